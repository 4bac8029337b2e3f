// The journal of an update run, c:\SetupTalvo.journal: what the area step did to each destination,
// kept on disk while the run goes on, so that a run that dies half-way is put back at the next
// start instead of leaving the installation half-updated with its files hidden as ".old".
//
// How it works: a text file of CR LF lines that are only ever appended.
//
//   SetupTalvo giornale 1                      the first line: what the file is
//   <n>|<flags>|<area>|<backup>                one entry of FileSovrascritti, in full
//   completato                                 the run completed: nothing to put back
//
// n is the entry's position in FileSovrascritti, area the area number, backup the destination
// followed by ".old" (a path never holds "|", which the list lines are split at). flags holds, in
// this order, the letters that apply, or "-" when none does:
//   E  a file (hidden ones too) stood at the destination before the run
//   R  this run renamed the destination to its backup
//   C  this run started copying over the destination
//   P  the entry has been put back
// Each line holds the whole entry, so the last complete line of an entry is its state. A crash
// can cut off only the last line, which then has no CR LF and is ignored.
//
// The entry's line is written once an old backup in the way is deleted, and reaches the disk
// (FlushFileBuffers, once for a batch of entries) before the destination is renamed or written;
// the lines that follow (renamed, copied, put back) are appended without a flush of their own and
// reach the disk with the next batch's. That is safe because the playback decides from the entry and from
// what it finds on disk, never from those lines alone: once the entry is written no ordinary file stands at
// the backup name, and the run only ever renames an ordinary file there, so an ordinary file found there
// later is this run's backup; a destination that had nothing before the run holds only what this run put
// there.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "PuntoCrash.h"
#include "core/Sessione.h"
#include "raii/unique_any.h"

namespace talvo {

// Where the journal lives: one installation is updated at a time on a machine.
inline constexpr const char* PercorsoGiornale = "c:\\SetupTalvo.journal";

// One entry as the journal holds it.
struct VoceGiornale {
  std::size_t Numero = 0;  // position in FileSovrascritti
  FileSovrascritto Voce;
  bool Ripristinata = false;  // P

  bool operator==(const VoceGiornale& altra) const;
};

// What a journal file holds.
struct ContenutoGiornale {
  bool Riconosciuto = true;        // the first line is the journal's own (or the file holds no line yet)
  bool Completato = false;         // the run completed
  std::vector<VoceGiornale> Voci;  // the last state of each entry, by Numero
  std::size_t RigheIgnorate = 0;   // complete lines that are not understood
};

// One entry's line, without its CR LF.
std::string RigaGiornale(const VoceGiornale& voce);
// Reads the text of a journal; a last line without CR LF is ignored.
ContenutoGiornale AnalizzaGiornale(const std::string& testo);

// An open journal, held from the start of the run (or of the playback) to its end.
class Giornale {
 public:
  // A journal that is not open; a run that records nothing uses none.
  Giornale() = default;

  // Starts the journal of a run. An existing journal is never replaced (58): it holds what an
  // earlier run left to put back. Reads the crash point for this run. Throws ErroreRuntime.
  static Giornale Crea(const std::string& percorso);
  // Opens a journal left behind, to play it back: reads it, cuts off a last line that a crash left
  // incomplete, and appends from there on. A file whose first line is not the journal's is left as
  // it is and not kept open (Contenuto().Riconosciuto is false). Throws ErroreRuntime.
  static Giornale Riapri(const std::string& percorso);

  bool Aperto() const { return static_cast<bool>(file_); }
  // What the journal held when it was opened, with what was recorded since.
  const ContenutoGiornale& Contenuto() const { return contenuto_; }

  // A new entry, on disk before this returns. The destination must not have been touched yet,
  // and an old backup in the way (an ordinary file at the backup name) must already be gone. Throws
  // ErroreRuntime (52 for a path that the journal cannot hold).
  void Registra(std::size_t numero, const FileSovrascritto& voce);
  // The same entry, written but not yet on disk: a batch of entries reaches the disk with one
  // Conferma, before any of their destinations is touched. Throws as Registra does.
  void Annota(std::size_t numero, const FileSovrascritto& voce);
  // Every entry written so far is on disk when this returns. Throws ErroreRuntime.
  void Conferma();
  // The entry's destination was renamed to its backup / copied over. An entry never recorded is
  // left out: nothing was done to its destination.
  void Rinominata(std::size_t numero, const FileSovrascritto& voce);
  void Copiata(std::size_t numero, const FileSovrascritto& voce);
  // The entry has been put back; an entry the journal does not hold is left out.
  void Ripristinata(std::size_t numero);

  // After a complete run: the journal says so on disk, then is deleted. Throws ErroreRuntime.
  void Completa();
  // Closes and deletes the journal, whatever it holds. Throws ErroreRuntime.
  void Elimina();
  // After a restore or a playback: the journal is deleted when every entry was put back, and
  // otherwise replaced by one holding only the entries left. Returns how many are left. Throws
  // ErroreRuntime; the journal on disk then still holds every entry not put back.
  std::size_t Chiudi();

 private:
  Giornale(std::string percorso, unique_hfile file, PuntoCrash crash);
  VoceGiornale* Voce(std::size_t numero);
  void Aggiorna(std::size_t numero, const FileSovrascritto& voce);
  void Scrivi(const std::string& riga);
  void SuDisco();

  std::string percorso_;
  unique_hfile file_;
  PuntoCrash crash_;
  ContenutoGiornale contenuto_;
  std::map<std::size_t, std::size_t> posizioni_;  // entry number -> index in contenuto_.Voci
  std::vector<std::size_t> daConfermare_;         // entries written since the last Conferma
};

}  // namespace talvo
