// Times CopiaFileDir in mode "R" (a log line per file, pending window events between files, as the
// installer runs it behind its wait window) against Wine's xcopy /e /i /y on the same tree, in the
// same run, and prints both times and their ratio. A third run without the event pump shows what
// the pending events cost.
//   CopiaFileDirBenchmark.exe [files, by default 5000] [rounds, by default 3]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Win32Desktop.h"
#include "Win32Machine.h"
#include "components/CopiaFileDir.h"
#include "core/Desktop.h"
#include "core/Sessione.h"
#include "raii/unique_any.h"

namespace {

double Secondi() {
  static const LARGE_INTEGER frequenza = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER adesso;
  ::QueryPerformanceCounter(&adesso);
  return static_cast<double>(adesso.QuadPart) / static_cast<double>(frequenza.QuadPart);
}

void Scrivi(const std::string& percorso, const std::string& testo) {
  const talvo::unique_hfile file = talvo::make_hfile(::CreateFileA(
      percorso.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD scritti = 0;
  if (!file || !::WriteFile(file.get(), testo.data(), static_cast<DWORD>(testo.size()), &scritti, nullptr)) {
    std::fprintf(stderr, "cannot write %s\n", percorso.c_str());
    std::exit(1);
  }
}

void Elimina(const std::string& percorso) {
  const DWORD attributi = ::GetFileAttributesA(percorso.c_str());
  if (attributi == INVALID_FILE_ATTRIBUTES) return;
  if (attributi & FILE_ATTRIBUTE_DIRECTORY) {
    WIN32_FIND_DATAA dati{};
    const talvo::unique_hfind ricerca =
        talvo::make_hfind(::FindFirstFileA((percorso + "\\*").c_str(), &dati));
    if (ricerca) {
      do {
        const std::string nome = dati.cFileName;
        if (nome != "." && nome != "..") Elimina(percorso + "\\" + nome);
      } while (::FindNextFileA(ricerca.get(), &dati));
    }
    ::RemoveDirectoryA(percorso.c_str());
  } else {
    ::DeleteFileA(percorso.c_str());
  }
}

// A tree of depth two: 10 folders of 10 subfolders, the files spread over the 100 subfolders, each
// file 1 KiB.
void CreaAlbero(const std::string& radice, int file) {
  ::CreateDirectoryA(radice.c_str(), nullptr);
  const std::string contenuto(1024, 'x');
  for (int i = 0; i < 10; ++i) {
    const std::string primo = radice + "\\d" + std::to_string(i);
    ::CreateDirectoryA(primo.c_str(), nullptr);
    for (int j = 0; j < 10; ++j) ::CreateDirectoryA((primo + "\\s" + std::to_string(j)).c_str(), nullptr);
  }
  for (int n = 0; n < file; ++n) {
    const int cartella = n % 100;
    Scrivi(radice + "\\d" + std::to_string(cartella / 10) + "\\s" + std::to_string(cartella % 10) + "\\f" +
               std::to_string(n) + ".dat",
           contenuto);
  }
}

// Runs xcopy over the tree and waits for it; its listing goes to NUL, so that only copying is timed.
bool Xcopy(const std::string& sorgente, const std::string& destinazione) {
  SECURITY_ATTRIBUTES ereditabile{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const talvo::unique_hfile nul = talvo::make_hfile(::CreateFileA(
      "NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &ereditabile, OPEN_EXISTING, 0, nullptr));
  STARTUPINFOA avvio{};
  avvio.cb = sizeof avvio;
  avvio.dwFlags = STARTF_USESTDHANDLES;
  avvio.hStdOutput = nul.get();
  avvio.hStdError = nul.get();
  avvio.hStdInput = nullptr;
  std::string riga = "xcopy /e /i /y " + sorgente + " " + destinazione;
  PROCESS_INFORMATION processo{};
  if (!::CreateProcessA(nullptr, riga.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &avvio, &processo))
    return false;
  talvo::unique_handle thread(processo.hThread);
  talvo::unique_handle process(processo.hProcess);
  ::WaitForSingleObject(process.get(), INFINITE);
  DWORD codice = 1;
  ::GetExitCodeProcess(process.get(), &codice);
  return codice == 0;
}

// A desktop whose pending events cost nothing, to tell the pump's share of the time.
class SenzaEventi final : public talvo::Desktop {
 public:
  talvo::RispostaMessaggio Messaggio(talvo::IdMessaggio, const std::string&, const std::string&,
                                     talvo::IconaMessaggio, talvo::PulsantiMessaggio) override {
    return talvo::RispostaMessaggio::Ok;
  }
  void MostraModale(talvo::FinestraModale) override {}
  void DoEvents() override {}
  void ImpostaPuntatoreMouse(talvo::PuntatoreMouse) override {}
  void CopiaNegliAppunti(const std::string&) override {}
  std::vector<std::string> Stampanti() override { return {}; }
  void ImpostaStampanteCorrente(const std::string&) override {}
  void Stampa(const talvo::LavoroDiStampa&) override {}
};

double Mediana(std::vector<double> tempi) {
  std::sort(tempi.begin(), tempi.end());
  return tempi[tempi.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int file = argc > 1 ? std::atoi(argv[1]) : 5000;
  const int giri = argc > 2 ? std::atoi(argv[2]) : 3;
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string base =
      std::string(temp) + "CopiaFileDirBenchmark" + std::to_string(::GetCurrentProcessId());
  const std::string sorgente = base + "\\sorgente";
  const std::string copia = base + "\\copia";
  const std::string xcopia = base + "\\xcopy";
  ::CreateDirectoryA(base.c_str(), nullptr);
  CreaAlbero(sorgente, file);

  talvo::Sessione sessione;
  sessione.NomeFileLog = "CopiaFileDirBenchmark.log";
  talvo::Win32Desktop desktop;
  SenzaEventi senzaEventi;
  talvo::Win32Machine machine;
  std::vector<double> tempiCopia;
  std::vector<double> tempiSenzaEventi;
  std::vector<double> tempiXcopy;
  // One unmeasured round of each first, so that both find the source tree in the cache.
  for (int giro = 0; giro <= giri; ++giro) {
    Elimina(copia);
    Elimina(xcopia);
    ::DeleteFileA(sessione.PercorsoLog().c_str());
    double inizio = Secondi();
    const int copiati = talvo::CopiaFileDir(sessione, desktop, machine, sorgente, copia, "", "", "", "R");
    const double copiaFileDir = Secondi() - inizio;
    inizio = Secondi();
    const bool xcopyRiuscito = Xcopy(sorgente, xcopia);
    const double xcopy = Secondi() - inizio;
    Elimina(copia);
    inizio = Secondi();
    const int copiatiSenzaEventi =
        talvo::CopiaFileDir(sessione, senzaEventi, machine, sorgente, copia, "", "", "", "R");
    const double senzaPompa = Secondi() - inizio;
    if (copiati != file || copiatiSenzaEventi != file || !xcopyRiuscito) {
      std::fprintf(stderr, "round %d: CopiaFileDir copied %d of %d files, xcopy %s\n", giro, copiati, file,
                   xcopyRiuscito ? "succeeded" : "failed");
      return 1;
    }
    if (giro == 0) continue;
    tempiCopia.push_back(copiaFileDir);
    tempiXcopy.push_back(xcopy);
    tempiSenzaEventi.push_back(senzaPompa);
    std::printf("round %d: CopiaFileDir %.3f s, xcopy %.3f s, CopiaFileDir without events %.3f s\n", giro,
                copiaFileDir, xcopy, senzaPompa);
  }
  const double mCopia = Mediana(tempiCopia);
  const double mXcopy = Mediana(tempiXcopy);
  std::printf("%d files of 1 KiB in 100 folders, median of %d rounds:\n", file, giri);
  std::printf("  CopiaFileDir \"R\" (log line and pending events per file): %.3f s\n", mCopia);
  std::printf("  xcopy /e /i /y:                                         %.3f s\n", mXcopy);
  std::printf("  ratio: %.2f\n", mCopia / mXcopy);
  std::printf("  CopiaFileDir \"R\" with a log line but no event pump:      %.3f s (ratio %.2f)\n",
              Mediana(tempiSenzaEventi), Mediana(tempiSenzaEventi) / mXcopy);

  Elimina(base);
  ::DeleteFileA(sessione.PercorsoLog().c_str());
  return 0;
}
