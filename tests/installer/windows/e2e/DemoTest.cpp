// The real SetupTalvo.exe started from the demo patch (C:\PatchDemo\, laid out by
// tools/demo-layout.sh): the release warning is answered with OK in the real message box, the
// main window then shows the drive list and, for C:\TALVO\, the status of each area of the demo
// installation; "&Aggiorna" then updates it, and the rows, the summary and the files say so.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "FileDiProva.h"
#include "IdControlli.h"
#include "SetupInCorso.h"
#include "UiAutomation.h"

namespace talvo::test {
namespace {

namespace id = finestre::IdSetupPBD;

constexpr DWORD Avvio = 60000;
constexpr DWORD Quiete = 2000;

const std::string AvvisoRelease =
    "ATTENZIONE ! \t\r\n\r\nE' stata attivata la procedura di aggiornamento di TALVO \r\n"
    "alla versione VTR2013/2.\r\n"
    "Per la corretta installazione è necessario che tale operazione venga effettuata dall'Amministratore\r\n"
    "del sistema e che al termine dell'operazione venga riavviato il computer.\r\n\r\n"
    "\tSi desidera continuare?\r\n\r\n";

struct RigaAttesa {
  const char* Area;
  const char* Stato;
  bool Esito;  // the "Esito" caption is shown
};

// The demo installation has no programs for "Libri di testo" (APP\lib) and "Fiscale" (APP\fis);
// OpenTalvo 2.3.10 is inside the patch's accepted range, so its row is to be updated.
const RigaAttesa Righe[] = {
    {"Alunni", "INSTALLATA", true},         {"Biblioteca", "INSTALLATA", true},
    {"Nuovo Bilancio", "INSTALLATA", true}, {"Libri di testo", "NON INSTALLATA", false},
    {"Magazzino", "INSTALLATA", true},      {"Retribuzioni", "INSTALLATA", true},
    {"Fiscale", "NON INSTALLATA", false},   {"Personale", "INSTALLATA", true},
    {"OpenTALVO", "INSTALLATA", true},
};

// The person declines the release warning: the program ends at once, and deployment tools read
// that the user cancelled. Nothing is installed before the warning is answered.
TEST(DemoTest, AnnullareLAvvisoDiReleaseTerminaComeAnnullato) {
  SetupInCorso setup("C:\\PatchDemo\\SetupTalvo.exe");
  const MessaggioVisto avviso = setup.Rispondi(Avvio, IDCANCEL);
  EXPECT_EQ(avviso.Testo, AvvisoRelease);
  DWORD codice = 0;
  EXPECT_TRUE(setup.Processo().WaitForExit(10000, &codice));
  EXPECT_EQ(codice, 1602u);
  EXPECT_FALSE(EsisteFile("C:\\talvocheck\\Talvocheck.exe"));
}

// Runs first among the runs: the failed run puts back every file of the areas, so the installation is as laid
// out for the complete run below (the fixed lists' changes are kept, as the installer keeps them).
TEST(DemoTest, UnAggiornamentoFallitoRipristinaEApreIlLog) {
  // A hidden installed file passes the checks before the run (nothing holds it, its folder
  // exists) but cannot be copied over: the area fails.
  const std::string nascosto = "C:\\TALVO\\APP\\RET\\PRG\\tabelle.txt";
  const std::string tabelle = LeggiFile(nascosto);
  ASSERT_TRUE(::SetFileAttributesA(nascosto.c_str(), FILE_ATTRIBUTE_HIDDEN));
  const std::string anagrafe = LeggiFile("C:\\TALVO\\APP\\ALU\\PRG\\BIN\\a_alu.exe");

  SetupInCorso setup("C:\\PatchDemo\\SetupTalvo.exe");
  const HWND principale = setup.FinestraPrincipale(Avvio);
  ASSERT_NE(principale, nullptr) << "no main window";
  ASSERT_TRUE(ui::WaitUntil(
      [&] { return ui::Responds(principale, 1000) && setup.NessunMessaggioPer(Quiete); }, 30000));
  ui::ClickButton(::GetDlgItem(principale, id::cmdAggiorna));
  EXPECT_EQ(setup.Rispondi(120000).Testo, "Ripristino in corso dei file sovrascritti");

  // The log viewer, modal over the main window, holds the log with the failed line.
  const HWND visore = ui::WaitForWindow(setup.Id(), finestre::ClasseFrmMostraLog, 30000);
  ASSERT_NE(visore, nullptr) << "no log viewer";
  // The viewer loads the log when it becomes active, just after it appears.
  const HWND testo = ::GetDlgItem(visore, finestre::IdFrmMostraLog::TxtFile);
  std::string log;
  EXPECT_TRUE(ui::WaitUntil(
      [&] {
        log = ui::WindowText(testo);
        return log.find("AREA: retribuzioni") != std::string::npos;
      },
      30000));
  EXPECT_NE(log.find("Funzione: CopiaFile  codice errore: 70"), std::string::npos) << log;
  EXPECT_NE(log.find("AREA: retribuzioni"), std::string::npos) << log;
  for (int i : {0, 1, 2, 4, 5}) {
    EXPECT_EQ(ui::ControlText(principale, id::LblStato + i), "AREA RIPRISTINATA") << i;
    EXPECT_EQ(ui::ControlText(principale, id::lblOk + i), "0%") << i;
  }
  EXPECT_EQ(LeggiFile("C:\\TALVO\\APP\\ALU\\PRG\\BIN\\a_alu.exe"), anagrafe);
  EXPECT_EQ(LeggiFile(nascosto), tabelle);
  EXPECT_FALSE(EsisteFile("C:\\TALVO\\SYS\\leggimi.txt"));
  EXPECT_FALSE(EsisteFile("C:\\TALVO\\sys\\vtrcntrl.ini"));

  // Closing it gives the activation back: the rows show the installation again.
  ::PostMessageA(visore, WM_CLOSE, 0, 0);
  EXPECT_TRUE(
      ui::WaitUntil([&] { return ui::ControlText(principale, id::LblStato) == "INSTALLATA"; }, 30000));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(principale, id::cmdAggiorna)));
  setup.EsciConFine(principale, 1603);  // the run failed and was put back
  ::SetFileAttributesA(nascosto.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(DemoTest, LaFinestraPrincipaleMostraLInstallazioneDemo) {
  SetupInCorso setup("C:\\PatchDemo\\SetupTalvo.exe");
  const HWND principale = setup.FinestraPrincipale(Avvio);
  ASSERT_NE(principale, nullptr) << "no main window";
  ASSERT_EQ(setup.Risposti().size(), 1u) << "the load should ask one question";
  EXPECT_EQ(setup.Risposti()[0].Titolo, "aggiornamento TALVO e OpenTalvo");
  EXPECT_EQ(setup.Risposti()[0].Testo, AvvisoRelease);

  // The activation runs once the window is shown; it has nothing to report on the demo.
  ASSERT_TRUE(ui::WaitUntil(
      [&] { return ui::Responds(principale, 1000) && setup.NessunMessaggioPer(Quiete); }, 30000))
      << "the activation showed a message box: " << ui::MessageBoxText(ui::FindMessageBox(setup.Id()));

  const HWND dischi = ::GetDlgItem(principale, id::CmbDischi);
  // The prefix's fixed drives: C: and the host's root, which Wine maps as Z:.
  EXPECT_EQ(ui::ComboEntries(dischi), (std::vector<std::string>{"C:\\TALVO\\", "Z:\\TALVO\\"}));
  EXPECT_EQ(ui::ComboSelection(dischi), 0);
  EXPECT_EQ(ui::ControlText(principale, id::Label1), "Percorso TALVO");
  // The patch's label, where the installation was found, and the database of its data source.
  EXPECT_EQ(ui::WindowText(principale),
            "TALVO 2013/2 (demo)  RILEVATO TALVO IN RETE *** SYBASE 8 ( LOCALE ) ***");
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(ui::ControlText(principale, id::LblArea + i), Righe[i].Area);
    EXPECT_EQ(ui::ControlText(principale, id::LblStato + i), Righe[i].Stato);
    EXPECT_EQ(::IsWindowVisible(::GetDlgItem(principale, id::LblEsito + i)) != FALSE, Righe[i].Esito);
    // No run yet: no outcome box and no percentage.
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(principale, id::Shape1 + i)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(principale, id::lblOk + i)));
  }
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(principale, id::cmdAggiorna)));

  // The update run, answered as a person would: one summary box naming the areas not updated.
  ui::ClickButton(::GetDlgItem(principale, id::cmdAggiorna));
  const MessaggioVisto resoconto = setup.Rispondi(120000);
  EXPECT_EQ(resoconto.Testo,
            "Aggiornamento terminato \r\nLe Seguenti Aree Non sono state Aggiornate\r\n"
            "LIBRITESTO - Motivo -> NON INSTALLATA\r\nFISCALE - Motivo -> NON INSTALLATA\r\n"
            "PERSONALE - Motivo -> nessun aggiornamento incluso nella patch\r\n");
  ASSERT_TRUE(ui::WaitUntil(
      [&] {
        return !::IsWindowEnabled(::GetDlgItem(principale, id::cmdAggiorna)) &&
               setup.NessunMessaggioPer(Quiete);
      },
      30000));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(principale, id::CmbDischi)));
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    const bool installata = Righe[i].Esito;
    const char* stato = !installata ? "NON INSTALLATA"
                        : i == 7    ? "nessun aggiornamento incluso nella patch"
                                    : "AREA AGGIORNATA";
    EXPECT_EQ(ui::ControlText(principale, id::LblStato + i), stato);
    EXPECT_EQ(ui::ControlText(principale, id::lblOk + i), installata ? "100%" : "0%");
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(principale, id::Shape1 + i)));
    // The box keeps its colour where other processes can read it.
    EXPECT_EQ(::GetWindowLongPtrA(::GetDlgItem(principale, id::Shape1 + i), GWLP_USERDATA),
              installata ? 0x00FF00 : 0x0000FF);
  }
  EXPECT_EQ(LeggiFile("C:\\TALVO\\sys\\vtrcntrl.ini"), "2013/2\r\n");
  EXPECT_EQ(LeggiFile("C:\\TALVO\\SYS\\leggimi.txt"), "Note sulla release 2013/2 della demo.\r\n");
  EXPECT_TRUE(EsisteFile("C:\\TALVO\\APP\\ALU\\PRG\\BIN\\registro.txt"));
  EXPECT_TRUE(EsisteFile("C:\\TALVO\\APP\\ALU\\PRG\\BIN\\a_alu.exe.old"));
  EXPECT_TRUE(EsisteFile("c:\\pre1996\\cong.mdb"));

  setup.EsciConFine(principale, 3010);  // files changed: restart
}

}  // namespace
}  // namespace talvo::test
