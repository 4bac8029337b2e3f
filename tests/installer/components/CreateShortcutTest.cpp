// The check program's Start-menu shortcut, read back through the shell's link object.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include "DiscoC.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "com/ComPtr.h"
#include "components/CreateShortcut.h"
#include "core/TestoAnsi.h"

namespace talvo {
namespace {

struct Collegamento {
  std::string Descrizione;
  std::string Destinazione;
  std::string Icona;
  int IndiceIcona = -1;
  std::string CartellaLavoro;
};

Collegamento Leggi(const std::string& file) {
  Collegamento letto;
  com::ComPtr<IShellLinkA> link;
  EXPECT_EQ(
      ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void()),
      S_OK);
  com::ComPtr<IPersistFile> persist;
  EXPECT_EQ(link.As(persist), S_OK);
  EXPECT_EQ(persist->Load(WideDaAnsi(file).c_str(), STGM_READ), S_OK);
  char testo[MAX_PATH] = {};
  link->GetDescription(testo, MAX_PATH);
  letto.Descrizione = testo;
  link->GetPath(testo, MAX_PATH, nullptr, SLGP_RAWPATH);
  letto.Destinazione = testo;
  link->GetIconLocation(testo, MAX_PATH, &letto.IndiceIcona);
  letto.Icona = testo;
  link->GetWorkingDirectory(testo, MAX_PATH);
  letto.CartellaLavoro = testo;
  return letto;
}

class CreateShortcutTest : public test::DiscoC {
 protected:
  void SetUp() override {
    DiscoC::SetUp();
    ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    cartella = CartellaCollegamentoCheck(false);
    ASSERT_FALSE(cartella.empty());
    Traccia(cartella);
    Traccia(CartellaCollegamentoCheck(true));
    test::InstallazioneDiProva::Scrivi("c:\\talvocheck\\Talvocheck.exe", "MZ");
  }
  void TearDown() override {
    ::CoUninitialize();
    DiscoC::TearDown();
  }

  std::string cartella;
};

TEST_F(CreateShortcutTest, ThePathsAreOneNormalisedPathAndASecondRunReplacesTheShortcut) {
  char programmi[MAX_PATH] = {};
  ASSERT_EQ(::SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programmi), S_OK);
  EXPECT_EQ(cartella, std::string(programmi) + "\\TALVO CHECK");

  const std::string file = cartella + "\\TALVO CHECK.lnk";
  CreateShortcut("c:\\talvocheck\\", false);
  ASSERT_TRUE(test::EsisteFile(file));
  Collegamento letto = Leggi(file);
  EXPECT_EQ(letto.Descrizione, "TALVO CHECK");
  EXPECT_EQ(letto.Destinazione, "c:\\talvocheck\\Talvocheck.exe");
  EXPECT_EQ(letto.Icona, "c:\\talvocheck\\Talvocheck.exe");
  EXPECT_EQ(letto.IndiceIcona, 0);
  EXPECT_EQ(letto.CartellaLavoro, "c:\\talvocheck\\");

  // The folder is there already and the shortcut is replaced, here by one for another folder.
  test::InstallazioneDiProva::Scrivi("c:\\talvocheck\\altro\\Talvocheck.exe", "MZ");
  CreateShortcut(" c:\\talvocheck\\altro", false);
  letto = Leggi(file);
  EXPECT_EQ(letto.Destinazione, "c:\\talvocheck\\altro\\Talvocheck.exe");
  EXPECT_EQ(letto.Icona, "c:\\talvocheck\\altro\\Talvocheck.exe");
  EXPECT_EQ(letto.CartellaLavoro, "c:\\talvocheck\\altro\\");
}

// Run as the system account (a start-up script), the shortcut goes where every user sees it.
TEST_F(CreateShortcutTest, ForTheSystemAccountTheShortcutGoesToTheProgramsOfAllUsers) {
  char comuni[MAX_PATH] = {};
  ASSERT_EQ(::SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, comuni), S_OK);
  const std::string tutti = CartellaCollegamentoCheck(true);
  EXPECT_EQ(tutti, std::string(comuni) + "\\TALVO CHECK");
  EXPECT_NE(tutti, cartella);

  CreateShortcut("c:\\talvocheck\\", true);
  EXPECT_TRUE(test::EsisteFile(tutti + "\\TALVO CHECK.lnk"));
  EXPECT_FALSE(test::EsisteFile(cartella + "\\TALVO CHECK.lnk"));
  EXPECT_EQ(Leggi(tutti + "\\TALVO CHECK.lnk").Destinazione, "c:\\talvocheck\\Talvocheck.exe");
}

}  // namespace
}  // namespace talvo
