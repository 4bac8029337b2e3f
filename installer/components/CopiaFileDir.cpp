// The copy loop of the component installation.
//
// How it works: the source folder is listed once, before anything is copied, so that copies into
// a folder below the source never show up in the listing being walked. Files are handled in the
// order the directory search gives them, then the subfolders, each by a call of its own.
#include "CopiaFileDir.h"

#include <windows.h>

#include <vector>

#include "CreaDir.h"
#include "FiltroFile.h"
#include "RigaRegsvr32.h"
#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/Log.h"
#include "core/Machine.h"
#include "core/OperazioniFile.h"
#include "core/Testo.h"
#include "raii/unique_any.h"

namespace talvo {

namespace {

constexpr const char* Passo = "Oper. Iniziali";
constexpr int CodiceRegistrazioneNonAvviata = 9500;
constexpr int CodiceFileNonCopiato = 9510;

struct ContenutoCartella {
  std::vector<std::string> File;  // normal files: neither hidden nor system
  std::vector<std::string> Sottocartelle;
};

ContenutoCartella ElencaCartella(const std::string& cartella) {
  ContenutoCartella contenuto;
  WIN32_FIND_DATAA dati{};
  const unique_hfind ricerca = make_hfind(::FindFirstFileA((cartella + "*").c_str(), &dati));
  if (!ricerca) return contenuto;
  do {
    const std::string nome = dati.cFileName;
    if (nome == "." || nome == "..") continue;
    if (dati.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      contenuto.Sottocartelle.push_back(nome);
    } else if ((dati.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0) {
      contenuto.File.push_back(nome);
    }
  } while (::FindNextFileA(ricerca.get(), &dati));
  return contenuto;
}

void Log(const Sessione& sessione, const std::string& descrizione, int codice) {
  // A log line that cannot be written does not stop the copies.
  IgnoraErrori([&] { ScriviLog(sessione, Passo, descrizione, codice); });
}

}  // namespace

int CopiaFileDir(const Sessione& sessione, Desktop& desktop, Machine& machine, const std::string& sPathSorg,
                 const std::string& sPathDest, const std::string& TipiFile, const std::string& AltraAzione,
                 const std::string& WDir, const std::string& Ricorsivo) {
  const std::string sorgente = ConBarraFinale(sPathSorg);
  if (!EsisteCartella(sorgente)) return 0;
  std::string destinazione = ConBarraFinale(sPathDest);
  const std::string filtro = Trim(TipiFile);
  IgnoraErrori([&] { CreaDir(destinazione); });

  int copiati = 0;
  ContenutoCartella contenuto;
  IgnoraErrori([&] { contenuto = ElencaCartella(sorgente); });
  for (const std::string& nome : contenuto.File) {
    if (!FileDelFiltro(nome, filtro)) continue;
    const std::string copia = destinazione + nome;
    Log(sessione, "Copia e registrazione delle DLL - Copia file: " + copia, CodiceLog::Ok);
    if (CopiaSovrascrivendo_nothrow(sorgente + nome, copia) == 0) {
      ++copiati;
      if (AltraAzione == "regsvr32" && !machine.AvviaNascosto(RigaRegsvr32(WDir, copia))) {
        Log(sessione, "Copia e registrazione delle DLL - File: " + nome + " - ERRORE in registrazione",
            CodiceRegistrazioneNonAvviata);
      }
    } else {
      Log(sessione, "Copia e registrazione delle DLL - ERRORE - File: " + nome + " non copiato",
          CodiceFileNonCopiato);
    }
    desktop.DoEvents();
  }

  if (Ricorsivo == "R") {
    for (const std::string& sottocartella : contenuto.Sottocartelle) {
      copiati += CopiaFileDir(sessione, desktop, machine, sorgente + sottocartella,
                              destinazione + sottocartella, filtro, AltraAzione, WDir, Ricorsivo);
      desktop.DoEvents();
    }
  }
  return copiati;
}

}  // namespace talvo
