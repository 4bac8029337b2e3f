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

TEST(EsistenzaTest, InstallationDriveIsTheFirstFixedDriveWithTheFolder) {
  InstallazioneDiProva installazione;
  for (char lettera : {'C', 'D', 'E'}) installazione.CreaTalvo(lettera);
  test::FakeMachine machine;
  machine.Dischi = installazione.Dischi({{'C', TipoDisco::Ottico}, {'D', TipoDisco::Fisso}, {'E', TipoDisco::Fisso}});
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
