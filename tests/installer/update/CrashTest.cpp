// Update runs killed for real: a separate process runs the update of a test installation and ends
// itself at a crash point (after an entry reached the journal, after a rename, after a copy, at
// several files), or dies half-way through a playback. The next start's playback must leave every
// installed file byte for byte as it was, and a complete run after it must keep those files as
// the ".old" backups.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include "AggiornamentoDiProva.h"
#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "FileDiProva.h"
#include "raii/unique_any.h"
#include "update/PuntoCrash.h"
#include "update/RiproduzioneGiornale.h"

namespace talvo {
namespace {

using test::LeggiFile;

const std::string Giornale = "c:\\SetupTalvo.journal";

// Every file under the folder except backups (".old"), by its path under the folder, with its
// bytes.
void Installati(const std::string& cartella, const std::string& relativa,
                std::map<std::string, std::string>& file) {
  WIN32_FIND_DATAA dati;
  const unique_hfind ricerca = make_hfind(::FindFirstFileA((cartella + relativa + "*").c_str(), &dati));
  if (!ricerca) return;
  do {
    const std::string nome = dati.cFileName;
    if (nome == "." || nome == "..") continue;
    if (dati.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Installati(cartella, relativa + nome + "\\", file);
    } else if (nome.size() < 4 || nome.compare(nome.size() - 4, 4, ".old") != 0) {
      file[relativa + nome] = LeggiFile(cartella + relativa + nome);
    }
  } while (::FindNextFileA(ricerca.get(), &dati));
}

std::map<std::string, std::string> Installati(const std::string& radice) {
  std::map<std::string, std::string> file;
  Installati(radice, "", file);
  return file;
}

// Runs the killable program on the installation in the folder, with the crash point (none when
// empty) in its environment alone, and returns its exit code.
DWORD Esegui(const std::string& cartella, const std::string& comando, const std::string& puntoCrash) {
  // The build compiles in the host path of the program; Wine sees the host's root as Z:.
  std::string programma = std::string("Z:") + TALVO_AGGIORNAMENTO_INTERROTTO_EXE;
  for (char& c : programma) {
    if (c == '/') c = '\\';
  }
  // The folder goes without its trailing backslash, which would escape the closing quote.
  std::string riga = "\"" + programma + "\" \"" + cartella.substr(0, cartella.size() - 1) + "\" " + comando;
  ::SetEnvironmentVariableA("TALVO_PUNTO_CRASH", puntoCrash.empty() ? nullptr : puntoCrash.c_str());
  STARTUPINFOA avvio{};
  avvio.cb = sizeof avvio;
  PROCESS_INFORMATION processo{};
  const BOOL avviato = ::CreateProcessA(nullptr, riga.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                                        nullptr, nullptr, &avvio, &processo);
  ::SetEnvironmentVariableA("TALVO_PUNTO_CRASH", nullptr);
  if (!avviato) throw std::runtime_error("cannot start " + programma);
  const unique_handle processoAvviato(processo.hProcess);
  const unique_handle thread(processo.hThread);
  if (::WaitForSingleObject(processoAvviato.get(), 60000) != WAIT_OBJECT_0) {
    ::TerminateProcess(processoAvviato.get(), 1);
    throw std::runtime_error("the update did not end within a minute");
  }
  DWORD codice = 0;
  ::GetExitCodeProcess(processoAvviato.get(), &codice);
  return codice;
}

// A fresh test installation for each case.
class CrashTest : public test::ConLogDiProva {
 protected:
  struct Installazione {
    test::CartellaTemporanea cartella;
    std::map<std::string, std::string> prima;

    Installazione() {
      test::CreaAggiornamentoDiProva(cartella.Percorso());
      prima = Installati(Radice());
    }
    std::string Radice() const { return test::RadiceDiProva(cartella.Percorso()); }
  };

  // Plays the journal back as the next start does.
  EsitoGiornale Riproduci(const Installazione& installazione) {
    Sessione avvio;
    test::PreparaSessione(avvio, installazione.cartella.Percorso());
    return RiproduciGiornale(avvio, desktop);
  }

  test::FakeDesktop desktop;
};

TEST_F(CrashTest, ARunKilledAtAnyPointIsPutBackByteForByteAndTheNextRunCompletes) {
  // Files 1, 3 and 5 rename an installed file; 2 and 4 are new; a.dll is copied twice. Entries
  // reach the journal a batch at a time, before any file of the batch changes: files 1 and 2
  // (the second a.dll ends the first area's batch), then files 3 to 5.
  struct Caso {
    const char* punto;
    std::size_t registrati;  // the entries on disk when the run is killed
  };
  for (const Caso& caso :
       {Caso{"voce", 2}, Caso{"voce:2", 2}, Caso{"voce:3", 5}, Caso{"voce:4", 5}, Caso{"voce:5", 5},
        Caso{"rinomina", 2}, Caso{"rinomina:3", 5}, Caso{"rinomina:5", 5}, Caso{"copia", 2},
        Caso{"copia:2", 2}, Caso{"copia:3", 5}, Caso{"copia:4", 5}, Caso{"copia:5", 5}}) {
    const char* punto = caso.punto;
    SCOPED_TRACE(punto);
    Installazione installazione;
    SvuotaLog();
    desktop = test::FakeDesktop();

    ASSERT_EQ(Esegui(installazione.cartella.Percorso(), "aggiorna", punto), CodiceUscitaCrash);
    ASSERT_TRUE(GiornalePresente());

    EXPECT_EQ(Riproduci(installazione), EsitoGiornale::Ripristinato);
    EXPECT_EQ(Installati(installazione.Radice()), installazione.prima);
    EXPECT_FALSE(GiornalePresente());
    ASSERT_EQ(desktop.Identita, std::vector<IdMessaggio>{IdMessaggio::GiornaleRipristinato});
    // One line when the journal is found, one per file the run had recorded, one at the end.
    const std::vector<std::string> log = Log();
    ASSERT_EQ(log.size(), caso.registrati + 2);
    EXPECT_EQ(log.front(),
              "Funzione: Ripristino Giornale Descrizione: Trovato il giornale di un aggiornamento "
              "interrotto: " +
                  Giornale + " AVVISO");
    EXPECT_EQ(log.back(),
              "Funzione: Ripristino Giornale Descrizione: Giornale riprodotto, tutti i file sono stati "
              "ripristinati: " +
                  Giornale + " ESITO OK");

    // The next run completes, and keeps the installed files as the backups.
    ASSERT_EQ(Esegui(installazione.cartella.Percorso(), "aggiorna", ""), 0u);
    EXPECT_FALSE(GiornalePresente());
    const std::string& radice = installazione.Radice();
    for (const char* installato :
         {"APP\\alu\\PRG\\BIN\\a.dll", "APP\\bib\\PRG\\BIN\\c.exe", "APP\\bib\\PRG\\BIN\\e.ini"}) {
      SCOPED_TRACE(installato);
      EXPECT_EQ(LeggiFile(radice + installato + ".old"), installazione.prima.at(installato));
    }
    for (const char* nome :
         {"APP\\alu\\PRG\\BIN\\a.dll", "APP\\alu\\PRG\\BIN\\b.dll", "APP\\bib\\PRG\\BIN\\c.exe",
          "APP\\bib\\PRG\\BIN\\DATI\\d.dat", "APP\\bib\\PRG\\BIN\\e.ini"}) {
      SCOPED_TRACE(nome);
      const std::string percorso = nome;
      EXPECT_EQ(
          LeggiFile(radice + percorso),
          test::ContenutoPatch(installazione.cartella.Percorso(), percorso.substr(percorso.rfind('\\') + 1)));
    }
  }
}

TEST_F(CrashTest, ThePlaybackSaysWhatItDidToEachFile) {
  // Killed right after renaming c.exe: a.dll was replaced, b.dll added, c.exe is at its backup,
  // d.dat and e.ini untouched.
  Installazione installazione;
  ASSERT_EQ(Esegui(installazione.cartella.Percorso(), "aggiorna", "rinomina:3"), CodiceUscitaCrash);
  const std::string& radice = installazione.Radice();
  EXPECT_FALSE(test::EsisteFile(radice + "APP\\bib\\PRG\\BIN\\c.exe"));
  EXPECT_EQ(Riproduci(installazione), EsitoGiornale::Ripristinato);
  const std::string testo = "Funzione: Ripristino Giornale Descrizione: ";
  EXPECT_EQ(Log(), (std::vector<std::string>{
                       testo + "Trovato il giornale di un aggiornamento interrotto: " + Giornale + " AVVISO",
                       testo + "Ripristinato il file " + radice + "APP\\ALU\\PRG\\BIN\\a.dll ESITO OK",
                       testo + "Eliminato il file lasciato dall'aggiornamento interrotto " + radice +
                           "APP\\ALU\\PRG\\BIN\\b.dll ESITO OK",
                       testo + "Ripristinato il file " + radice + "APP\\BIB\\PRG\\BIN\\c.exe ESITO OK",
                       // Recorded with c.exe in one batch, not reached yet.
                       testo + "Nessuna modifica da annullare per il file " + radice +
                           "APP\\BIB\\PRG\\BIN\\DATI\\d.dat ESITO OK",
                       testo + "Nessuna modifica da annullare per il file " + radice +
                           "APP\\BIB\\PRG\\BIN\\e.ini ESITO OK",
                       testo + "Giornale riprodotto, tutti i file sono stati ripristinati: " + Giornale +
                           " ESITO OK"}));
  EXPECT_EQ(Installati(radice), installazione.prima);
}

TEST_F(CrashTest, APlaybackKilledHalfWayIsPlayedBackAgain) {
  for (const char* punto : {"ripristino", "ripristino:2", "ripristino:3", "ripristino:5"}) {
    SCOPED_TRACE(punto);
    Installazione installazione;
    ASSERT_EQ(Esegui(installazione.cartella.Percorso(), "aggiorna", "copia:5"), CodiceUscitaCrash);
    ASSERT_EQ(Esegui(installazione.cartella.Percorso(), "riproduci", punto), CodiceUscitaCrash);
    ASSERT_TRUE(GiornalePresente());
    EXPECT_EQ(Riproduci(installazione), EsitoGiornale::Ripristinato);
    EXPECT_EQ(Installati(installazione.Radice()), installazione.prima);
    EXPECT_FALSE(GiornalePresente());
  }
}

}  // namespace
}  // namespace talvo
