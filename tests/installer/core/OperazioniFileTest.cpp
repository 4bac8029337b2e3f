// The file operations over real files and attributes: existence tests, copy, rename, delete and
// folder creation with their run-time errors; and the installation drive over scripted drives.
#include <gtest/gtest.h>
#include <windows.h>

#include "FakeMachine.h"
#include "FileBloccato.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "core/ErroreRuntime.h"
#include "core/OperazioniFile.h"
#include "core/SistemaOperativo.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;

TEST(EsistenzaTest, FilesAndFoldersAsADirectoryListingSeesThem) {
  test::CartellaTemporanea cartella;
  InstallazioneDiProva::Scrivi(cartella / "visibile.txt", "x");
  InstallazioneDiProva::Scrivi(cartella / "nascosto.txt", "x");
  InstallazioneDiProva::Scrivi(cartella / "sistema.txt", "x");
  InstallazioneDiProva::CreaCartella(cartella / "sotto");
  ::SetFileAttributesA((cartella / "nascosto.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ::SetFileAttributesA((cartella / "sistema.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);

  EXPECT_TRUE(EsisteFile(cartella / "visibile.txt"));
  EXPECT_FALSE(EsisteFile(cartella / "nascosto.txt"));
  EXPECT_FALSE(EsisteFile(cartella / "sistema.txt"));
  EXPECT_FALSE(EsisteFile(cartella / "sotto"));
  EXPECT_FALSE(EsisteFile(cartella / "manca.txt"));
  EXPECT_FALSE(EsisteFile(""));
  EXPECT_FALSE(EsisteFile(cartella / "visibile.txt\\"));  // a name ending in a separator names no file

  EXPECT_TRUE(EsisteCartella(cartella / "sotto"));
  EXPECT_TRUE(EsisteCartella(cartella / "sotto\\"));
  EXPECT_TRUE(EsisteCartella(cartella / "visibile.txt"));  // a file of that name counts
  EXPECT_FALSE(EsisteCartella(cartella / "manca"));
  EXPECT_TRUE(EsisteCartella("C:\\"));
}

TEST(EsistenzaTest, ASearchWithWildcardsLooksPastEntriesThatDoNotCount) {
  // A dozen hidden and system entries match the name as well as, at most, one ordinary entry.
  struct Caso {
    const char* nascoste;   // what the hidden and system entries are: "file" or "cartella"
    const char* ordinaria;  // what the ordinary entry is; empty for none
    bool file, cartella;    // what the two tests answer
  };
  for (const Caso& caso :
       {Caso{"file", "", false, false}, Caso{"file", "file", true, true}, Caso{"cartella", "", false, false},
        Caso{"cartella", "cartella", false, true}, Caso{"cartella", "file", true, true}}) {
    SCOPED_TRACE(std::string("hidden ") + caso.nascoste + ", ordinary " + caso.ordinaria);
    test::CartellaTemporanea cartella;
    const auto crea = [&](const std::string& nome, const std::string& tipo) {
      if (tipo == "file") {
        InstallazioneDiProva::Scrivi(cartella / nome, "x");
      } else {
        InstallazioneDiProva::CreaCartella(cartella / nome);
      }
    };
    for (int i = 0; i < 12; ++i) {
      const std::string nome = "m" + std::to_string(10 + i);
      crea(nome, caso.nascoste);
      ::SetFileAttributesA((cartella / nome).c_str(), i % 2 ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_SYSTEM);
    }
    if (*caso.ordinaria) crea("m99", caso.ordinaria);
    EXPECT_EQ(EsisteFile(cartella / "m*"), caso.file);
    EXPECT_EQ(EsisteCartella(cartella / "m??"), caso.cartella);
  }
}

enum class Operazione { Copia, Rinomina, Elimina, CreaCartella };

// Runs the operation in its throwing form or as its _nothrow twin and gives the run-time error
// number it reports, 0 when it succeeded. A thrown error must carry the table's description.
int Esegui(Operazione operazione, const std::string& da, const std::string& a, bool lancia) {
  if (!lancia) {
    switch (operazione) {
      case Operazione::Copia: return CopiaSovrascrivendo_nothrow(da, a);
      case Operazione::Rinomina: return Rinomina_nothrow(da, a);
      case Operazione::Elimina: return EliminaFile_nothrow(da);
      case Operazione::CreaCartella: return CreaCartella_nothrow(da);
    }
  }
  try {
    switch (operazione) {
      case Operazione::Copia: CopiaSovrascrivendo(da, a); break;
      case Operazione::Rinomina: Rinomina(da, a); break;
      case Operazione::Elimina: EliminaFile(da); break;
      case Operazione::CreaCartella: CreaCartella(da); break;
    }
    return 0;
  } catch (const ErroreRuntime& e) {
    EXPECT_EQ(e.Descrizione(), DescrizioneErrore(e.Numero()));
    return e.Numero();
  }
}

// A fresh folder holding a.txt ("a"), b.txt ("b") and the folder sotto.
struct Cartella {
  Cartella() {
    test::ScriviFile(cartella / "a.txt", "a");
    test::ScriviFile(cartella / "b.txt", "b");
    InstallazioneDiProva::CreaCartella(cartella / "sotto");
  }
  std::string operator/(const std::string& nome) const { return nome.empty() ? "" : cartella / nome; }
  test::CartellaTemporanea cartella;
};

TEST(OperazioniFileTest, EachOperationReportsTheRunTimeErrorOfItsFailure) {
  struct Caso {
    const char* descrizione;
    Operazione operazione;
    const char* da;
    const char* a;
    int numero;
  };
  const Caso casi[] = {
      {"copy over an existing file", Operazione::Copia, "a.txt", "b.txt", 0},
      {"copy to a new file", Operazione::Copia, "a.txt", "sotto\\c.txt", 0},
      {"copy of a missing source", Operazione::Copia, "manca.txt", "b.txt", 53},
      {"copy into a missing folder", Operazione::Copia, "a.txt", "manca\\b.txt", 76},
      {"copy from a missing folder", Operazione::Copia, "manca\\a.txt", "c.txt", 76},
      {"rename to a free name", Operazione::Rinomina, "a.txt", "c.txt", 0},
      {"rename into another folder", Operazione::Rinomina, "a.txt", "sotto\\a.txt", 0},
      {"rename onto an existing file", Operazione::Rinomina, "a.txt", "b.txt", 58},
      {"rename onto an existing folder", Operazione::Rinomina, "a.txt", "sotto", 58},
      {"rename of a missing file", Operazione::Rinomina, "manca.txt", "c.txt", 53},
      {"rename into a missing folder", Operazione::Rinomina, "a.txt", "manca\\a.txt", 76},
      {"delete a file", Operazione::Elimina, "a.txt", "", 0},
      {"delete a missing file", Operazione::Elimina, "manca.txt", "", 53},
      {"delete in a missing folder", Operazione::Elimina, "manca\\a.txt", "", 76},
      {"create a folder", Operazione::CreaCartella, "nuova", "", 0},
      {"create a folder that exists", Operazione::CreaCartella, "sotto", "", 58},
      {"create a folder in a missing one", Operazione::CreaCartella, "manca\\nuova", "", 76},
  };
  for (const Caso& caso : casi) {
    for (bool lancia : {true, false}) {
      SCOPED_TRACE(std::string(caso.descrizione) + (lancia ? ", throwing" : ", _nothrow"));
      Cartella cartella;
      EXPECT_EQ(Esegui(caso.operazione, cartella / caso.da, cartella / caso.a, lancia), caso.numero);
    }
  }
}

TEST(OperazioniFileTest, SuccessfulOperationsChangeTheDiskAsNamed) {
  Cartella cartella;
  CopiaSovrascrivendo(cartella / "a.txt", cartella / "b.txt");
  EXPECT_EQ(test::LeggiFile(cartella / "b.txt"), "a");  // replaced
  EXPECT_EQ(test::LeggiFile(cartella / "a.txt"), "a");  // the source stays

  test::ScriviFile(cartella / "b.txt", "b");
  Rinomina(cartella / "b.txt", cartella / "sotto\\c.txt");
  EXPECT_FALSE(EsisteFile(cartella / "b.txt"));
  EXPECT_EQ(test::LeggiFile(cartella / "sotto\\c.txt"), "b");

  EliminaFile(cartella / "a.txt");
  EXPECT_FALSE(test::EsisteFile(cartella / "a.txt"));

  CreaCartella(cartella / "sotto\\nuova");
  EXPECT_TRUE(EsisteCartella(cartella / "sotto\\nuova"));
  EXPECT_FALSE(EsisteFile(cartella / "sotto\\nuova"));
}

TEST(OperazioniFileTest, AFileLockedByAnotherProgramIsPermissionDenied) {
  const Operazione operazioni[] = {Operazione::Copia, Operazione::Rinomina, Operazione::Elimina};
  for (bool bloccataDestinazione : {false, true}) {
    for (Operazione operazione : operazioni) {
      if (bloccataDestinazione && operazione != Operazione::Copia) continue;
      for (bool lancia : {true, false}) {
        SCOPED_TRACE(std::to_string(static_cast<int>(operazione)) +
                     (bloccataDestinazione ? " onto" : " from") + (lancia ? ", throwing" : ", _nothrow"));
        Cartella cartella;
        const std::string bloccato = cartella / (bloccataDestinazione ? "b.txt" : "a.txt");
        {
          test::FileBloccato blocco(bloccato);
          EXPECT_EQ(Esegui(operazione, cartella / "a.txt", cartella / "b.txt", lancia), 70);
        }
        // Once the other program lets go, the file is as it was and the operation works.
        EXPECT_EQ(test::LeggiFile(bloccato), bloccataDestinazione ? "b" : "a");
        EXPECT_EQ(Esegui(operazione, cartella / "a.txt", cartella / "c.txt", lancia), 0);
      }
    }
  }
}

TEST(OperazioniFileTest, ProtectedDestinationsRefuseTheCopy) {
  for (DWORD attributo : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
    SCOPED_TRACE(attributo);
    Cartella cartella;
    ::SetFileAttributesA((cartella / "b.txt").c_str(), attributo);
    EXPECT_EQ(CopiaSovrascrivendo_nothrow(cartella / "a.txt", cartella / "b.txt"), 70);
    ::SetFileAttributesA((cartella / "b.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(test::LeggiFile(cartella / "b.txt"), "b");
  }
}

TEST(OperazioniFileTest, ACopyToAFreePlaceNeverReplacesAFileFoundThere) {
  Cartella cartella;
  EXPECT_THROW(
      try { CopiaSuPostoLibero(cartella / "a.txt", cartella / "b.txt"); } catch (const ErroreRuntime& e) {
        EXPECT_EQ(e.Numero(), 58);
        throw;
      },
      ErroreRuntime);
  EXPECT_EQ(test::LeggiFile(cartella / "b.txt"), "b");
  CopiaSuPostoLibero(cartella / "a.txt", cartella / "c.txt");
  EXPECT_EQ(test::LeggiFile(cartella / "c.txt"), "a");
}

TEST(EsistenzaTest, InstallationDriveIsTheFirstFixedDriveWithTheFolder) {
  InstallazioneDiProva installazione;
  for (char lettera : {'C', 'D', 'E'}) installazione.CreaTalvo(lettera);
  test::FakeMachine machine;
  machine.Dischi =
      installazione.Dischi({{'C', TipoDisco::Ottico}, {'D', TipoDisco::Fisso}, {'E', TipoDisco::Fisso}});
  EXPECT_EQ(DriveInstallazione(machine, "TALVO\\APP"), installazione.Radice('D'));

  machine.Dischi = installazione.Dischi({{'F', TipoDisco::Fisso}, {'E', TipoDisco::Fisso}});
  EXPECT_EQ(DriveInstallazione(machine, "TALVO\\APP"), installazione.Radice('E'));

  machine.Dischi = installazione.Dischi({{'C', TipoDisco::Removibile}, {'F', TipoDisco::Fisso}});
  EXPECT_EQ(DriveInstallazione(machine, "TALVO\\APP"), "");
}

TEST(EsistenzaTest, FolderQueriesDropTheTrailingBackslash) {
  test::FakeMachine machine;
  machine.Sistema = "C:\\windows\\system32\\";
  machine.Windows = "C:\\windows";
  EXPECT_EQ(GetWindowsSystemDirectory(machine), "C:\\windows\\system32");
  EXPECT_EQ(sWinDir(machine), "C:\\windows");
  machine.Sistema = "";
  EXPECT_EQ(GetWindowsSystemDirectory(machine), "");
}

}  // namespace
}  // namespace talvo
