// CopiaFileDir and CreaDir on real folders: the filter, hidden files, recursion, a destination
// locked by another handle, the registration command lines and the log lines.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "FileBloccato.h"
#include "FakeMachine.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "components/CopiaFileDir.h"
#include "components/CreaDir.h"
#include "raii/unique_any.h"

namespace talvo {
namespace {

using test::CartellaTemporanea;
using test::InstallazioneDiProva;
using test::LeggiFile;

std::string Riga(const std::string& descrizione) {
  return "Funzione: Oper. Iniziali Descrizione: " + descrizione + " ESITO OK";
}
std::string RigaErrore(int codice, const std::string& descrizione) {
  return "Funzione: Oper. Iniziali codice errore: " + std::to_string(codice) +
         " Descrizione: " + descrizione + " FALLITO";
}

// The names of the files and folders in a folder, sorted, "sub\name" for what is below it.
std::vector<std::string> Albero(const std::string& cartella, const std::string& prefisso = "") {
  std::vector<std::string> nomi;
  WIN32_FIND_DATAA dati{};
  const unique_hfind ricerca = make_hfind(::FindFirstFileA((cartella + "*").c_str(), &dati));
  if (!ricerca) return nomi;
  do {
    const std::string nome = dati.cFileName;
    if (nome == "." || nome == "..") continue;
    nomi.push_back(prefisso + nome);
    if (dati.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (const std::string& sotto : Albero(cartella + nome + "\\", prefisso + nome + "\\"))
        nomi.push_back(sotto);
    }
  } while (::FindNextFileA(ricerca.get(), &dati));
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

class CopiaFileDirTest : public test::ConLogDiProva {
 protected:
  void Scrivi(const std::string& relativo, const std::string& testo = "x") {
    InstallazioneDiProva::Scrivi(sorgente / relativo, testo);
  }

  int Copia(const std::string& filtro, const std::string& azione = "", const std::string& modo = "F",
            const std::string& destinazione = "", const std::string& wDir = "C:\\windows\\system32\\") {
    return CopiaFileDir(sessione, desktop, machine, sorgente.Percorso(),
                        destinazione.empty() ? arrivo.Percorso() : destinazione, filtro, azione, wDir, modo);
  }

  CartellaTemporanea sorgente;
  CartellaTemporanea arrivo;
  test::FakeDesktop desktop;
  test::FakeMachine machine;
};

TEST_F(CopiaFileDirTest, TheFilterTakesItsExtensionsAndNeverAHiddenFile) {
  for (const char* nome : {"a.DLL", "a.ocx", "a.exe", "readme", "x.dll.bak", "b.ll"}) Scrivi(nome);
  Scrivi("h.dll");
  ASSERT_TRUE(::SetFileAttributesA((sorgente / "h.dll").c_str(), FILE_ATTRIBUTE_HIDDEN));

  struct Caso {
    const char* filtro;
    std::vector<std::string> presi;
  };
  for (const Caso& caso :
       {Caso{"dll_ocx_", {"a.DLL", "a.ocx"}}, Caso{" dll_ocx_ ", {"a.DLL", "a.ocx"}},
        Caso{"", {"a.DLL", "a.exe", "a.ocx", "b.ll", "readme", "x.dll.bak"}}, Caso{"bak_", {}}}) {
    SCOPED_TRACE(std::string("filter '") + caso.filtro + "'");
    CartellaTemporanea destinazione;
    EXPECT_EQ(Copia(caso.filtro, "", "F", destinazione.Percorso()), static_cast<int>(caso.presi.size()));
    EXPECT_EQ(Albero(destinazione.Percorso()), caso.presi);
  }
  EXPECT_TRUE(machine.ProcessiAvviati.empty());
}

TEST_F(CopiaFileDirTest, EachFileIsLoggedCopiedAndRegisteredWithTheExactCommandLine) {
  Scrivi("a.dll", "nuova a");
  ASSERT_EQ(arrivo.Percorso().find(' '), std::string::npos) << "the temporary folder holds a blank";

  EXPECT_EQ(Copia("dll_ocx_", "regsvr32"), 1);
  EXPECT_EQ(LeggiFile(arrivo / "a.dll"), "nuova a");
  EXPECT_EQ(Log(), std::vector<std::string>{
                       Riga("Copia e registrazione delle DLL - Copia file: " + (arrivo / "a.dll"))});
  EXPECT_EQ(machine.ProcessiAvviati,
            std::vector<std::string>{"C:\\windows\\system32\\regsvr32 " + (arrivo / "a.dll") + " /s"});
  EXPECT_GE(desktop.EventiElaborati, 1);

  // Blanks in the registration program's folder and in the destination: both paths quoted.
  machine.ProcessiAvviati.clear();
  const std::string conSpazi = arrivo / "Con spazi\\";
  EXPECT_EQ(Copia("dll_", "regsvr32", "F", conSpazi, "C:\\Win Dows\\system32\\"), 1);
  EXPECT_EQ(machine.ProcessiAvviati,
            std::vector<std::string>{"\"C:\\Win Dows\\system32\\regsvr32\" \"" + conSpazi + "a.dll\" /s"});
}

TEST_F(CopiaFileDirTest, ARegistrationThatCannotStartIsLoggedAndTheFileStillCounts) {
  Scrivi("a.dll");
  machine.AvvioRiesce = false;
  EXPECT_EQ(Copia("dll_", "regsvr32"), 1);
  EXPECT_EQ(
      Log(),
      (std::vector<std::string>{
          Riga("Copia e registrazione delle DLL - Copia file: " + (arrivo / "a.dll")),
          RigaErrore(9500, "Copia e registrazione delle DLL - File: a.dll - ERRORE in registrazione")}));
}

TEST_F(CopiaFileDirTest, ALockedDestinationIsNeitherCountedNorRegistered) {
  Scrivi("a.dll", "nuova a");
  Scrivi("b.dll", "nuova b");
  test::ScriviFile(arrivo / "b.dll", "vecchia b");
  {
    // Held open without sharing by another program, as one using the library would hold it.
    test::FileBloccato blocco(arrivo / "b.dll");
    EXPECT_EQ(Copia("dll_", "regsvr32"), 1);
  }
  EXPECT_EQ(LeggiFile(arrivo / "a.dll"), "nuova a");
  EXPECT_EQ(LeggiFile(arrivo / "b.dll"), "vecchia b");
  EXPECT_EQ(machine.ProcessiAvviati,
            std::vector<std::string>{"C:\\windows\\system32\\regsvr32 " + (arrivo / "a.dll") + " /s"});
  const auto righe = Log();
  EXPECT_EQ(
      std::count(righe.begin(), righe.end(),
                 RigaErrore(9510, "Copia e registrazione delle DLL - ERRORE - File: b.dll non copiato")),
      1);
  EXPECT_EQ(righe.size(), 3u);
}

TEST_F(CopiaFileDirTest, RecursionRebuildsTheTreeThreeLevelsDeep) {
  for (const char* nome :
       {"1.txt", "A\\2.txt", "A\\B\\3.txt", "A\\B\\C\\4.txt", "A\\B\\C\\5.txt", "D\\6.txt"})
    Scrivi(nome);

  EXPECT_EQ(Copia("", "", "R"), 6);
  EXPECT_EQ(Albero(arrivo.Percorso()), Albero(sorgente.Percorso()));
  // Events ran after each file and after each subfolder.
  EXPECT_EQ(desktop.EventiElaborati, 6 + 4);

  // Any mode but "R" copies the folder alone.
  CartellaTemporanea piatta;
  EXPECT_EQ(Copia("", "", "F", piatta.Percorso()), 1);
  EXPECT_EQ(Albero(piatta.Percorso()), std::vector<std::string>{"1.txt"});
}

TEST_F(CopiaFileDirTest, AMissingSourceCopiesCreatesAndLogsNothing) {
  const std::string destinazione = arrivo / "nuova\\";
  EXPECT_EQ(CopiaFileDir(sessione, desktop, machine, sorgente / "manca", destinazione, "", "", "", "R"), 0);
  EXPECT_FALSE(test::EsisteFile(destinazione));
  EXPECT_TRUE(Log().empty());
}

TEST_F(CopiaFileDirTest, CreaDirCountsTheLevelsItCreates) {
  InstallazioneDiProva::CreaCartella(arrivo / "A");
  std::string percorso = "  " + (arrivo / "A\\B\\C") + "  ";
  EXPECT_EQ(CreaDir(percorso), 2);
  EXPECT_EQ(percorso, arrivo / "A\\B\\C\\");
  EXPECT_EQ(Albero(arrivo.Percorso()), (std::vector<std::string>{"A", "A\\B", "A\\B\\C"}));
  EXPECT_EQ(CreaDir(percorso), 0);

  // A level that cannot be made (a file stands in the way) is skipped, not counted.
  test::ScriviFile(arrivo / "F", "");
  std::string bloccato = arrivo / "F\\G\\";
  EXPECT_EQ(CreaDir(bloccato), 0);
}

}  // namespace
}  // namespace talvo
