// Cost of the update run against the least Win32 work that does the same to the same files:
// per file a search for an old ".old" and its deletion, a search for the destination, MoveFileA
// to ".old" and CopyFileA. Both work on an installation laid out afresh before each pass, with
// areas whose destinations all exist: 5,000 files in five areas, then 20,000 files in twenty.
// Each area folder holds 1,000 files in both, because Wine looks a missing name up by reading the
// whole folder: with the folder size fixed, what grows is the number of files alone.
// The run keeps its journal (c:\SetupTalvo.journal): one line on disk (FlushFileBuffers) before
// each file is renamed, two more lines without a flush. The price of one such line is timed on
// its own first. AggiornamentoBenchmarkSenzaFlush is the same program built with a journal that
// never flushes, to show what the flushes cost within the run.
// The checks the run makes before its first change are also timed alone, on the same layout.
//   AggiornamentoBenchmark.exe [working folder, by default the temporary folder] [rounds, 3]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "core/Desktop.h"
#include "core/Sessione.h"
#include "update/Aggiornamento.h"
#include "update/Giornale.h"
#include "update/VerificaPreliminare.h"

namespace {

using namespace talvo;

// A desktop with nobody at it: every box answered with its first button, nothing shown.
class DesktopMuto final : public Desktop {
 public:
  RispostaMessaggio Messaggio(IdMessaggio, const std::string&, const std::string&, IconaMessaggio,
                              PulsantiMessaggio) override {
    return RispostaMessaggio::Ok;
  }
  void MostraModale(FinestraModale) override {}
  void DoEvents() override {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  }
  void ImpostaPuntatoreMouse(PuntatoreMouse) override {}
  void CopiaNegliAppunti(const std::string&) override {}
  std::vector<std::string> Stampanti() override { return {}; }
  void ImpostaStampanteCorrente(const std::string&) override {}
  void Stampa(const LavoroDiStampa&) override {}
};

// The rows as a window would get them, with pending events run where the run allows it.
class RigheMute final : public OsservatoreAggiornamento {
 public:
  explicit RigheMute(Desktop& desktop) : desktop_(desktop) {}
  void EventiInAttesa() override { desktop_.DoEvents(); }
  void Occupato(bool) override {}
  void StatoRiga(int, StatoArea) override {}
  void EsitoRiga(int, bool) override {}
  void AggiornaDisabilitato() override {}
  void DischiDisabilitati() override {}

 private:
  Desktop& desktop_;
};

void Scrivi(const std::string& percorso, const std::string& testo) {
  const HANDLE file = ::CreateFileA(percorso.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD scritti = 0;
  ::WriteFile(file, testo.data(), static_cast<DWORD>(testo.size()), &scritti, nullptr);
  // On disk now, so that the timed passes do not meet the write-back of the layout.
  ::FlushFileBuffers(file);
  ::CloseHandle(file);
}

void RimuoviAlbero(const std::string& cartella) {
  WIN32_FIND_DATAA dati;
  const HANDLE ricerca = ::FindFirstFileA((cartella + "\\*").c_str(), &dati);
  if (ricerca != INVALID_HANDLE_VALUE) {
    do {
      const std::string nome = dati.cFileName;
      if (nome == "." || nome == "..") continue;
      const std::string percorso = cartella + "\\" + nome;
      if (dati.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RimuoviAlbero(percorso);
      } else {
        ::DeleteFileA(percorso.c_str());
      }
    } while (::FindNextFileA(ricerca, &dati));
    ::FindClose(ricerca);
  }
  ::RemoveDirectoryA(cartella.c_str());
}

std::string Area(int a) { return "AR" + std::to_string(a); }

// The patch (an area folder with its list and files for each area, seven empty fixed lists) and
// the installation (the area programs and an installed copy of every file).
struct Banco {
  std::string cartella, patch, radice;
  int file;
  int aree;

  // The patch: the runs only read it, so it is laid out once.
  void PreparaPatch() {
    RimuoviAlbero(cartella);
    ::CreateDirectoryA(cartella.c_str(), nullptr);
    ::CreateDirectoryA(patch.c_str(), nullptr);
    for (const char* codice : {"ATT", "BAR", "CNV", "SEC", "SQL", "EXT", "RIN"}) {
      ::CreateDirectoryA((patch + codice).c_str(), nullptr);
      Scrivi(patch + codice + "\\Lista" + codice + ".txt", "");
    }
    const std::string contenuto(4096, 'x');
    for (int a = 0; a < aree; ++a) {
      ::CreateDirectoryA((patch + Area(a)).c_str(), nullptr);
      std::string lista;
      for (int f = 0; f < file / aree; ++f) {
        const std::string nome = "f" + std::to_string(f) + ".dat";
        lista += nome + "|APP\\" + Area(a) + "\\PRG\\\r\n";
        Scrivi(patch + Area(a) + "\\" + nome, contenuto);
      }
      Scrivi(patch + Area(a) + "\\lista.txt", lista);
    }
  }

  // The installation afresh: the area programs and an installed copy of every file, no backups.
  void Prepara() {
    RimuoviAlbero(radice.substr(0, radice.size() - 1));
    ::CreateDirectoryA(radice.c_str(), nullptr);
    ::CreateDirectoryA((radice + "APP").c_str(), nullptr);
    for (int a = 0; a < aree; ++a) {
      const std::string app = radice + "APP\\" + Area(a);
      for (const std::string& c : {app, app + "\\PRG", app + "\\PRG\\BIN"}) {
        ::CreateDirectoryA(c.c_str(), nullptr);
      }
      Scrivi(app + "\\PRG\\BIN\\TAL" + Area(a) + ".exe", "MZ");
      for (int f = 0; f < file / aree; ++f) {
        Scrivi(app + "\\PRG\\f" + std::to_string(f) + ".dat", "installato");
      }
    }
  }

  Sessione SessioneBanco() const {
    Sessione sessione;
    sessione.PercorsoPatch = patch;
    sessione.NomeFileLog = "TalvoBenchmark.log";
    sessione.FileSysIni = radice + "System.ini";
    sessione.NuovaVersione = "2099/1";  // nothing recorded: only the files count
    sessione.InstallaOpenTalvo = "NO";
    sessione.DimensionaTabellaAree(aree);
    for (int a = 0; a < aree; ++a) {
      sessione.Aree[static_cast<std::size_t>(a)] = {static_cast<std::uint8_t>(a), Area(a),
                                                    patch + Area(a) + "\\", "lista.txt", "TAL" + Area(a)};
    }
    return sessione;
  }

  // The checks the run makes before its first change, alone: the plan and its one pass over
  // every source and destination.
  double Verifica() {
    const Sessione sessione = SessioneBanco();
    const auto inizio = std::chrono::steady_clock::now();
    const std::vector<Difetto> difetti =
        VerificaPrimaDellAggiornamento(sessione, radice, std::vector<StatoArea>(aree, StatoArea::Installata));
    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    if (!difetti.empty()) std::fprintf(stderr, "the checks found %zu faults\n", difetti.size());
    return secondi;
  }

  double Aggiornamento() {
    Sessione sessione = SessioneBanco();
    DesktopMuto desktop;
    RigheMute righe(desktop);
    const auto inizio = std::chrono::steady_clock::now();
    const EsitoAggiornamento esito =
        Aggiorna(sessione, desktop, righe, radice, std::vector<StatoArea>(aree, StatoArea::Installata));
    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    if (esito != EsitoAggiornamento::Completo) std::fprintf(stderr, "the run failed\n");
    return secondi;
  }

  double CicloMinimo() {
    const auto inizio = std::chrono::steady_clock::now();
    WIN32_FIND_DATAA dati;
    for (int a = 0; a < aree; ++a) {
      for (int f = 0; f < file / aree; ++f) {
        const std::string nome = "f" + std::to_string(f) + ".dat";
        const std::string destinazione = radice + "APP\\" + Area(a) + "\\PRG\\" + nome;
        const std::string backup = destinazione + ".old";
        HANDLE h = ::FindFirstFileA(backup.c_str(), &dati);
        if (h != INVALID_HANDLE_VALUE) {
          ::FindClose(h);
          ::DeleteFileA(backup.c_str());
        }
        h = ::FindFirstFileA(destinazione.c_str(), &dati);
        if (h != INVALID_HANDLE_VALUE) {
          ::FindClose(h);
          ::MoveFileA(destinazione.c_str(), backup.c_str());
        }
        ::CopyFileA((patch + Area(a) + "\\" + nome).c_str(), destinazione.c_str(), FALSE);
      }
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  }
};

// The time of one journal entry as the run writes it, over a few hundred entries.
double TempoVoceGiornale(const std::string& cartella) {
  const std::string percorso = cartella + "talvo-bench.journal";
  ::DeleteFileA(percorso.c_str());
  constexpr int voci = 300;
  Giornale giornale = Giornale::Crea(percorso);
  const auto inizio = std::chrono::steady_clock::now();
  for (int i = 0; i < voci; ++i) {
    giornale.Registra(
        static_cast<std::size_t>(i),
        FileSovrascritto{cartella + "TALVO\\APP\\AR3\\PRG\\f" + std::to_string(i) + ".dat.old", 3, true});
  }
  const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  giornale.Elimina();
  return secondi / voci;
}

}  // namespace

int main(int argc, char** argv) {
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const std::string base = argc > 1 ? argv[1] : std::string(temp);
  const int giri = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  std::setvbuf(stdout, nullptr, _IONBF, 0);
#ifdef TALVO_BENCHMARK_GIORNALE_SENZA_FLUSH
  std::printf("journal built without its flush (benchmark only)\n");
#endif
  std::printf("one journal entry on disk: %.3f ms\n", TempoVoceGiornale(base) * 1e3);
  for (const auto& [file, aree] : {std::pair{5000, 5}, std::pair{20000, 20}}) {
    Banco banco{base + "talvo-bench", base + "talvo-bench\\patch\\", base + "talvo-bench\\TALVO\\", file,
                aree};
    banco.PreparaPatch();
    double run = 1e9, minimo = 1e9, verifica = 1e9;
    // Best of the rounds (three by default), alternating, so that all meet the same state of the machine.
    for (int giro = 0; giro < giri; ++giro) {
      banco.Prepara();
      verifica = std::min(verifica, banco.Verifica());
      run = std::min(run, banco.Aggiornamento());
      banco.Prepara();
      minimo = std::min(minimo, banco.CicloMinimo());
    }
    std::printf(
        "%d files in %d areas: update run with its journal %.3f s, minimal loop %.3f s, ratio %.2f (%.1f us "
        "per file)\n",
        file, aree, run, minimo, run / minimo, run * 1e6 / file);
    std::printf(
        "  of which the checks before the first change %.3f s (%.1f%% of the run, %.1f us per file)\n",
        verifica, 100 * verifica / run, verifica * 1e6 / file);
    RimuoviAlbero(banco.cartella);
  }
  ::DeleteFileA("c:\\TalvoBenchmark.log");
  ::DeleteFileA(PercorsoGiornale);
  return 0;
}
