// Existence tests over real files and attributes, and the installation drive over scripted drives.
#include <gtest/gtest.h>
#include <windows.h>

#include "FakeMachine.h"
#include "InstallazioneDiProva.h"
#include "core/Esistenza.h"
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
