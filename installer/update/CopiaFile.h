// Copying the files of the areas' lists into the installation, each with a ".old" backup of the
// installed file recorded for the restore.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "DestinazioneArea.h"

namespace talvo {

class ErroreRuntime;
class Giornale;
struct Sessione;

// The area step of one update run: the installation root it works under, and the record of what
// it wrote (the session's FileSovrascritti, indexed by destination), kept in the run's journal too
// when it has one.
//
// How it works: with a journal, every entry must be on disk before its destination changes, and
// a flush costs more than the copy of a small file. Consecutive copy lines are therefore taken in
// batches: each line's entry is recorded and its old backup deleted, the batch's entries reach
// the disk with one flush, and then the batch's files are renamed and copied in list order. A line
// that is not a plain copy (the archive database, an area without folders) and a line whose
// destination or backup is a name already in the batch first finish the batch, so that every
// file is found as the lines before it left it. When a line cannot be prepared, the lines before
// it are still done before its failure is reported, as they would be one at a time.
class CopiaAree {
 public:
  // Consecutive copy lines taken together at most.
  static constexpr std::size_t LineePerBlocco = 64;

  // radice: the installation root, with its trailing backslash, fixed for the whole run.
  CopiaAree(Sessione& sessione, std::string radice, Giornale* giornale = nullptr);

  // Does one line of area n's list ("file|folder|..."), or queues it in the current batch. False,
  // with a log line, when this line or a queued one failed and the run must restore; true when
  // the line is done or queued.
  bool CopiaFile(const std::string& riga, std::int16_t area);
  // Finishes the lines queued so far: false, with a log line, when one of them failed. Called at
  // the end of each area's list and before anything else is written to the log.
  bool Concludi();

 private:
  // One queued line: what to copy where, and its entry in FileSovrascritti (none when the
  // destination was written before in this run, whose backup then stays as it is).
  struct Copia {
    std::string Sorgente;
    std::string Destinazione;
    std::int16_t Area = 0;
    std::optional<std::size_t> Voce;
  };

  // minuscolo: the destination in lower case, as the batch and the run's record know it.
  Copia Prepara(const std::string& sorgente, const std::string& destinazione, const std::string& minuscolo,
                std::int16_t area);
  void Esegui(const Copia& copia);
  void LogErrore(const std::string& destinazione, std::int16_t area, const ErroreRuntime& e);

  Sessione& sessione_;
  std::string radice_;
  Giornale* giornale_;
  // Position in FileSovrascritti of each destination written in this run, by its lower-case path.
  std::unordered_map<std::string, std::size_t> scritti_;
  DestinazioniAree destinazioni_;
  std::vector<Copia> blocco_;
  // The lower-case destinations and backups of the batch.
  std::unordered_set<std::string> nomiBlocco_;
};

}  // namespace talvo
