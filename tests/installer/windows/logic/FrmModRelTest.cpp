// The release editor over real INI files: what it shows, when it may write, and what it writes.
#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "InstallazioneDiProva.h"
#include "core/Ini.h"
#include "core/Sessione.h"
#include "windows/logic/FrmModRel.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;

class FrmModRelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installazione.CreaPatch();
    installazione.CreaTalvo('C', "2012/5|x");
    sessione.FileSysIni = installazione.Radice('C') + "TALVO\\SYS\\System.ini";
    sessione.VersioneInstallata = "2012/5";
  }

  InstallazioneDiProva installazione;
  test::FakeDesktop desktop;
  Sessione sessione;
  FrmModRel finestra{sessione, desktop, installazione.CartellaPatch()};
};

TEST_F(FrmModRelTest, ShowsTheLowestAcceptedReleaseAndRecordsItOnce) {
  finestra.Form_Load();
  EXPECT_EQ(finestra.Modello().Caption, "Modifica Release");
  EXPECT_EQ(finestra.Modello().txtVecchiarel.Text, "2013/1");
  EXPECT_FALSE(finestra.Modello().txtVecchiarel.Abilitato);
  ASSERT_TRUE(finestra.Modello().CmdAgg.Abilitato);

  finestra.CmdAgg_Click();
  EXPECT_EQ(LeggiIni(sessione.FileSysIni, "Application", "AppVer"), "2013/1");
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(
      desktop.Messaggi[0],
      (test::MessaggioMostrato{"Per rendere effettive le modifche occorre rilanciare il programma di setup",
                               "SetupTalvo", IconaMessaggio::Informazione, PulsantiMessaggio::Ok}));
  EXPECT_TRUE(finestra.Modello().Scaricata);
  // Only a new start of the installer reads the new release.
  EXPECT_EQ(sessione.VersioneInstallata, "2012/5");

  ScriviIni(sessione.FileSysIni, "Application", "AppVer", "2012/5");
  finestra.CmdAgg_Click();  // the window is gone: a second press does nothing
  EXPECT_EQ(LeggiIni(sessione.FileSysIni, "Application", "AppVer"), "2012/5");
  EXPECT_EQ(desktop.Messaggi.size(), 1u);
}

TEST_F(FrmModRelTest, NothingThatIsNotAReleaseCanBeWritten) {
  struct Caso {
    const char* sorgente;  // nullptr: the key is missing
    bool scrivibile;
  };
  for (const Caso& caso : {Caso{nullptr, false}, Caso{"", false}, Caso{"abc", false}, Caso{"2013", false},
                           Caso{"2013/", false}, Caso{"2013/1|nota", true}, Caso{"2014/10", true}}) {
    SCOPED_TRACE(caso.sorgente ? caso.sorgente : "(missing)");
    std::string ini = test::SetupPBDStandard;
    ini.erase(ini.find("[TestApplicazione]"),
              std::string("[TestApplicazione]\r\nVersione=2013/1\r\n").size());
    if (caso.sorgente) ini += std::string("[testapplicazione]\r\nversione=") + caso.sorgente + "\r\n";
    installazione.CreaPatch(ini);
    FrmModRel editor(sessione, desktop, installazione.CartellaPatch());
    editor.Form_Load();
    EXPECT_EQ(editor.Modello().txtVecchiarel.Text, caso.sorgente ? caso.sorgente : "Errore");
    EXPECT_EQ(editor.Modello().CmdAgg.Abilitato, caso.scrivibile);
    editor.CmdAgg_Click();
    EXPECT_EQ(LeggiIni(sessione.FileSysIni, "Application", "AppVer"),
              caso.scrivibile ? caso.sorgente : "2012/5|x");
    ScriviIni(sessione.FileSysIni, "Application", "AppVer", "2012/5|x");
  }
}

TEST_F(FrmModRelTest, NoSystemIniIsCreatedWhereTheInstallationHasNone) {
  sessione.FileSysIni = installazione.Radice('Z') + "TALVO\\SYS\\System.ini";
  finestra.Form_Load();
  EXPECT_FALSE(finestra.Modello().CmdAgg.Abilitato);
  finestra.CmdAgg_Click();
  EXPECT_FALSE(test::EsisteFile(sessione.FileSysIni));
  EXPECT_TRUE(desktop.Messaggi.empty());
}

}  // namespace
}  // namespace talvo
