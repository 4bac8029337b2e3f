// The component installation over a real patch folder: the steps in order with their log lines,
// the files where they land, the switches, the error boxes, the kept configuration and the print
// component's cases. The patch lies in a temporary folder while the current folder is C:\, so
// every copy here also shows that the payload is found through the patch folder.
#include <gtest/gtest.h>

#include <algorithm>

#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "FakeMachine.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "components/CreateShortcut.h"
#include "components/InstallaComponenti.h"

namespace talvo {
namespace {

using test::CartellaTemporanea;
using test::EsisteFile;
using test::InstallazioneDiProva;
using test::LeggiFile;

const char* const TuttiAttivi =
    "[INSTALLA]\r\nDLL=SI\r\nCHECKTALVO=SI\r\nCORVANE=SI\r\nJAVAxTALVO=SI\r\nPLUMANE=SI\r\n7zipxTALVO=SI\r\n";

std::string Riga(const std::string& descrizione) {
  return "Funzione: Oper. Iniziali Descrizione: " + descrizione + " ESITO OK";
}

class InstallaComponentiTest : public test::ConLogDiProva {
 protected:
  void SetUp() override {
    ConLogDiProva::SetUp();
    Traccia(CartellaCollegamentoCheck(false));
    Traccia(CartellaCollegamentoCheck(true));
    sessione.PercorsoPatch = installazione.CartellaPatch() + "\\";
    sessione.Avvio.DriveTalvo = installazione.Radice('E');
    InstallazioneDiProva::CreaCartella(installazione.Radice('E') + "TALVO\\APP");
    sessione.Avvio.CartellaWindows = altrove / "windows";
    sessione.Avvio.PercorsoWinDir = altrove / "windows\\system32\\";
    InstallazioneDiProva::CreaCartella(sessione.Avvio.PercorsoWinDir);
    sessione.OTVTrovato = true;
    sessione.CartellaOpenTalvo = altrove / "OpenTalvo\\";
  }

  void Patch(const std::string& installa, const std::vector<std::string>& file) {
    InstallazioneDiProva::Scrivi(installazione.Patch("SetupPBD.ini"), installa);
    for (const std::string& nome : file)
      InstallazioneDiProva::Scrivi(installazione.Patch(nome), "da " + nome);
  }

  void Installa() { InstallaComponenti(sessione, desktop, machine); }

  // The log without the per-file copy lines, which follow the directory search's order.
  std::vector<std::string> Passi() const {
    std::vector<std::string> passi;
    for (const std::string& riga : Log()) {
      if (riga.find("Copia e registrazione delle DLL - Copia file: ") == std::string::npos)
        passi.push_back(riga);
    }
    return passi;
  }

  std::vector<std::string> Testi() const {
    std::vector<std::string> testi;
    for (const auto& m : desktop.Messaggi) {
      EXPECT_EQ(m.Titolo, "Installazione Talvo");
      EXPECT_EQ(m.Icona, IconaMessaggio::Critico);
      EXPECT_EQ(m.Pulsanti, PulsantiMessaggio::Ok);
      testi.push_back(m.Testo);
    }
    return testi;
  }

  InstallazioneDiProva installazione;
  CartellaTemporanea altrove;
  test::FakeDesktop desktop;
  test::FakeMachine machine;
};

TEST_F(InstallaComponentiTest, EveryStepRunsInOrderAndPutsItsFilesInPlace) {
  Patch(TuttiAttivi,
        {"DLL\\a.dll", "DLL\\b.OCX", "DLL\\leggimi.txt", "CheckTalvo\\Talvocheck.exe",
         "CheckTalvo\\cktlvhdr.dat", "Corvane\\corvane.jar", "Corvane\\lib\\x.jar",
         "Corvane\\configurazione\\config.prop", "Corvane\\configurazione\\note.txt",
         "Corvane\\jre\\bin\\java.exe", "Corvane\\jre\\lib\\rt.jar", "Plumane\\plumane.exe",
         "Plumane\\REPORT\\pagella.rpt", "Corvane\\7-Zip\\7z.exe", "Corvane\\7-Zip\\Lang\\it.txt"});
  Installa();

  const std::string wDir = sessione.Avvio.PercorsoWinDir;
  const std::string& drive = sessione.Avvio.DriveTalvo;
  EXPECT_EQ(Passi(), (std::vector<std::string>{
                         Riga("Copia e registrazione delle DLL - inizio"),
                         Riga("Copia e registrazione delle DLL - WDir3264: " + wDir),
                         Riga("Copia e registrazione delle DLL - fine - nFileCopiati: 2"),
                         Riga("Cartella ESAMI - inizio"),
                         Riga("Cartella ESAMI - fine"),
                         Riga("CHECK TALVO - inizio"),
                         Riga("CHECK TALVO - nFileCopiati: 2"),
                         Riga("CHECK TALVO - fine"),
                         Riga("CORVANE - inizio"),
                         Riga("CORVANE - fine - nFileCopiati: 3"),
                         Riga("JAVAxTALVO - inizio"),
                         Riga("JAVAxTALVO - fine - nFileCopiati: 2"),
                         Riga("ISCRIZIONI - inizio"),
                         Riga("ISCRIZIONI - fine"),
                         Riga("PLUMANE - inizio"),
                         Riga("PLUMANE - fine - nFileCopiati: 2"),
                         Riga("7zipxTALVO - inizio"),
                         Riga("7zipxTALVO - fine - nFileCopiati: 2"),
                     }));
  EXPECT_EQ(Log().size(), Passi().size() + 13);
  EXPECT_TRUE(desktop.Messaggi.empty());

  // Libraries and controls only, each registered with the regsvr32 of the same folder.
  EXPECT_EQ(LeggiFile(wDir + "a.dll"), "da DLL\\a.dll");
  EXPECT_EQ(LeggiFile(wDir + "b.OCX"), "da DLL\\b.OCX");
  EXPECT_FALSE(EsisteFile(wDir + "leggimi.txt"));
  std::vector<std::string> avviati = machine.ProcessiAvviati;
  std::sort(avviati.begin(), avviati.end());
  EXPECT_EQ(avviati, (std::vector<std::string>{wDir + "regsvr32 " + wDir + "a.dll /s",
                                               wDir + "regsvr32 " + wDir + "b.OCX /s"}));

  EXPECT_TRUE(EsisteFile(drive + "TALVO\\APP\\ALU\\PRG\\Esami"));
  EXPECT_TRUE(EsisteFile(drive + "TALVO\\APP\\ALU\\PRG\\ISCRIZIONI"));
  EXPECT_TRUE(EsisteFile("c:\\talvocheck\\Talvocheck.exe"));
  EXPECT_EQ(LeggiFile("C:\\cktlvhdr.dat"), "da CheckTalvo\\cktlvhdr.dat");
  EXPECT_TRUE(EsisteFile("c:\\talvocheck\\EXP"));
  EXPECT_TRUE(EsisteFile(CartellaCollegamentoCheck(false) + "\\TALVO CHECK.lnk"));
  EXPECT_TRUE(EsisteFile("C:\\Corvane\\corvane.jar"));
  EXPECT_TRUE(EsisteFile("C:\\Corvane\\lib\\x.jar"));
  EXPECT_TRUE(EsisteFile("C:\\Corvane\\configurazione\\config.prop"));
  EXPECT_FALSE(EsisteFile("C:\\Corvane\\configurazione\\note.txt"));
  EXPECT_TRUE(EsisteFile("C:\\Corvane\\jre\\lib\\rt.jar"));
  EXPECT_TRUE(EsisteFile("C:\\Corvane\\7-Zip\\Lang\\it.txt"));
  EXPECT_TRUE(EsisteFile(sessione.CartellaOpenTalvo + "Plumane\\plumane.exe"));
  EXPECT_TRUE(EsisteFile(sessione.CartellaOpenTalvo + "Plumane\\REPORT\\pagella.rpt"));
  EXPECT_TRUE(EsisteFile(sessione.CartellaOpenTalvo + "Plumane\\docvalutazioni"));
}

TEST_F(InstallaComponentiTest, OnlyAnUpperCaseSiSwitchesAStepOn) {
  Patch(
      "[INSTALLA]\r\nDLL=si\r\nCHECKTALVO=Si\r\nCORVANE=si\r\nJAVAxTALVO=SI "
      "\r\nPLUMANE=no\r\n7zipxTALVO=\r\n",
      {"DLL\\a.dll", "CheckTalvo\\Talvocheck.exe", "Corvane\\corvane.jar", "Plumane\\plumane.exe",
       "Corvane\\7-Zip\\7z.exe"});
  Installa();
  // "SI " is read without its trailing blank, so Java is the one step that runs.
  EXPECT_EQ(Passi(), (std::vector<std::string>{Riga("Cartella ESAMI - inizio"), Riga("Cartella ESAMI - fine"),
                                               Riga("JAVAxTALVO - inizio"),
                                               Riga("JAVAxTALVO - fine - nFileCopiati: 0"),
                                               Riga("ISCRIZIONI - inizio"), Riga("ISCRIZIONI - fine")}));
  EXPECT_EQ(Testi(), std::vector<std::string>{"Errore: Java x talvo non installato"});
  EXPECT_TRUE(machine.ProcessiAvviati.empty());
  EXPECT_FALSE(EsisteFile("c:\\talvocheck"));
}

TEST_F(InstallaComponentiTest, EachStepThatCopiesNothingShowsItsBoxAndTheNextStepRuns) {
  // A DLL folder with no library, no other payload at all.
  Patch(TuttiAttivi, {"DLL\\setup.exe"});
  Installa();
  EXPECT_EQ(Testi(),
            (std::vector<std::string>{
                "Errore: file dll o ocx non copiati/registrati", "Errore: file CheckTalvo non copiati",
                "Errore: file Corvane non copiati", "Errore: Java x talvo non installato",
                "Errore: file Plumane non copiati", "Errore: file Plumane\\REPORT non copiati",
                "Errore: 7-Zip x talvo non installato"}));
  const std::vector<std::string> passi = Passi();
  for (const char* fine :
       {"Copia e registrazione delle DLL - fine - nFileCopiati: 0", "CHECK TALVO - nFileCopiati: 0",
        "CORVANE - fine - nFileCopiati: 0", "JAVAxTALVO - fine - nFileCopiati: 0",
        "PLUMANE - fine - nFileCopiati: 0", "7zipxTALVO - fine - nFileCopiati: 0"}) {
    EXPECT_EQ(std::count(passi.begin(), passi.end(), Riga(fine)), 1) << fine;
  }
  EXPECT_TRUE(machine.ProcessiAvviati.empty());
}

TEST_F(InstallaComponentiTest, AnInstalledConfigurationIsNeverOverwritten) {
  Patch("[INSTALLA]\r\nCORVANE=SI\r\n",
        {"Corvane\\corvane.jar", "Corvane\\lib\\x.jar", "Corvane\\lib\\y.jar",
         "Corvane\\configurazione\\config.prop", "Corvane\\configurazione\\db.prop"});
  Installa();
  EXPECT_EQ(Passi().at(3), Riga("CORVANE - fine - nFileCopiati: 5"));

  // The second run finds config.prop: the site's settings stay, the other files are renewed.
  test::ScriviFile("C:\\Corvane\\configurazione\\config.prop", "locale");
  test::Elimina("C:\\Corvane\\configurazione\\db.prop");
  SvuotaLog();
  Installa();
  EXPECT_EQ(Passi().at(3), Riga("CORVANE - fine - nFileCopiati: 3"));
  EXPECT_EQ(LeggiFile("C:\\Corvane\\configurazione\\config.prop"), "locale");
  EXPECT_FALSE(EsisteFile("C:\\Corvane\\configurazione\\db.prop"));
}

TEST_F(InstallaComponentiTest, ThePrintComponentNeedsOpenTalvoAndCountsItsReports) {
  Patch("[INSTALLA]\r\nPLUMANE=SI\r\n", {"Plumane\\REPORT\\a.rpt", "Plumane\\REPORT\\b.rpt"});

  sessione.OTVTrovato = false;
  Installa();
  const std::vector<std::string> senzaOpenTalvo = Passi();
  EXPECT_EQ(std::count(senzaOpenTalvo.begin(), senzaOpenTalvo.end(), Riga("PLUMANE - inizio")), 0);
  EXPECT_TRUE(desktop.Messaggi.empty());

  // The main folder holds no file, its REPORT folder two: one box, the reports counted.
  sessione.OTVTrovato = true;
  SvuotaLog();
  Installa();
  EXPECT_EQ(Testi(), std::vector<std::string>{"Errore: file Plumane non copiati"});
  EXPECT_EQ(Passi().back(), Riga("PLUMANE - fine - nFileCopiati: 2"));
  EXPECT_TRUE(EsisteFile(sessione.CartellaOpenTalvo + "Plumane\\REPORT\\b.rpt"));
}

TEST_F(InstallaComponentiTest, WithoutATalvoDriveTheFoldersAreNotMade) {
  Patch("[INSTALLA]\r\n", {});
  sessione.Avvio.DriveTalvo.clear();
  Installa();
  EXPECT_EQ(Passi(),
            (std::vector<std::string>{Riga("Cartella ESAMI - inizio"), Riga("Cartella ESAMI - fine")}));
}

}  // namespace
}  // namespace talvo
