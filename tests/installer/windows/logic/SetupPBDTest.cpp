// The main window's load and activation sequences, run with scripted ports over real files, INI
// files and registry values.
#include <gtest/gtest.h>

#include <memory>

#include "DiscoC.h"
#include "FakeDesktop.h"
#include "FakeMachine.h"
#include "FileBloccato.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "RegistroOdbc.h"
#include "core/Formati.h"
#include "core/Ini.h"
#include "core/Sessione.h"
#include "core/Testo.h"
#include "windows/logic/SetupPBD.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;

const std::string AvvisoStandard =
    "ATTENZIONE ! \t\r\n\r\nE' stata attivata la procedura di aggiornamento di TALVO \r\nalla versione "
    "VTR2013/2.\r\n"
    "Per la corretta installazione è necessario che tale operazione venga effettuata dall'Amministratore\r\n"
    "del sistema e che al termine dell'operazione venga riavviato il computer.\r\n\r\n\tSi desidera "
    "continuare?\r\n\r\n";

class SetupPBDTest : public test::DiscoC {
 protected:
  void SetUp() override {
    DiscoC::SetUp();
    for (const char* percorso : {"C:\\TalvoProva.log", "C:\\OpenTalvo", "C:\\TALVO"}) Traccia(percorso);
    // Drive C: is the real one (it holds OpenTalvo); E: stands for a second fixed drive with TALVO.
    machine.Dischi = {{"C:\\", TipoDisco::Fisso}, {installazione.Radice('E'), TipoDisco::Fisso}};
    finestra.AttendereCambiato = [this] { attendere.push_back(finestra.Attendere().Visibile); };
  }

  // The standard patch, TALVO on E: with the alunni program, OpenTalvo on C:.
  void InstallazioneCompleta() {
    installazione.CreaPatch();
    installazione.CreaTalvo('E');
    installazione.CreaProgrammaArea('E', "talalu");
    InstallazioneDiProva::CreaOpenTalvo("C:\\");
  }

  std::vector<std::string> Log() const { return test::RigheLog("C:\\TalvoProva.log"); }
  std::string Ok(const std::string& testo) const {
    return "Funzione: Oper. Iniziali Descrizione: " + testo + " ESITO OK";
  }
  std::vector<std::string> Testi() const {
    std::vector<std::string> testi;
    for (const auto& m : desktop.Messaggi) testi.push_back(m.Testo);
    return testi;
  }

  InstallazioneDiProva installazione;
  test::FakeDesktop desktop;
  test::FakeMachine machine;
  Sessione sessione;
  SetupPBD finestra{sessione, desktop, machine, installazione.CartellaPatch()};
  std::vector<bool> attendere;
  test::RegistroOdbc odbc{"Adaptive Server Anywhere 8.0", "C:\\TALVO\\DB\\talvo.db"};
};

TEST_F(SetupPBDTest, LoadWarnsLogsAndReadsOpenTalvoInOrder) {
  InstallazioneCompleta();
  ASSERT_TRUE(finestra.Form_Load());

  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0],
            (test::MessaggioMostrato{AvvisoStandard, "aggiornamento TALVO e OpenTalvo",
                                     IconaMessaggio::Informazione, PulsantiMessaggio::OkAnnulla}));

  EXPECT_EQ(sessione.PercorsoPatch, installazione.CartellaPatch() + "\\");
  EXPECT_EQ(sessione.NomeFileLog, "TalvoProva.log");
  const std::vector<std::string> attese = {
      "Inizio : TalvoProva.log",
      Ok("Utente: docente"),
      Ok("UtenteAmm: " + ParolaBooleana(true)),
      Ok("DriveTALVO: " + installazione.Radice('E')),
      Ok("PercorsoWinDir: C:\\windows\\system32\\"),
      Ok("Rilevazione OpenTalvo - inizio"),
      Ok("OTVTrovato: " + ParolaBooleana(true)),
      Ok("dirOpenTalvo: C:\\OpenTalvo\\"),
      Ok("VersInsOTV: 2.3.10"),
      Ok("VersMinOTV: 2.3.9 - VersMaxOTV: 2.4.0"),
      // The component installation: the patch switches no component on, the folders are made.
      Ok("Cartella ESAMI - inizio"),
      Ok("Cartella ESAMI - fine"),
      Ok("ISCRIZIONI - inizio"),
      Ok("ISCRIZIONI - fine"),
  };
  EXPECT_EQ(Log(), attese);
  EXPECT_TRUE(test::EsisteFile(installazione.Radice('E') + "TALVO\\APP\\ALU\\PRG\\ISCRIZIONI"));

  // The wait window came and went around the two-second wait.
  EXPECT_EQ(attendere, (std::vector<bool>{true, false}));
  EXPECT_EQ(machine.Attese, 1);
  EXPECT_EQ(finestra.Attendere().Caption, "Attendere prego ...");
  EXPECT_EQ(finestra.Attendere().Label1.Caption, "      Copia files in corso ...");
  EXPECT_EQ(finestra.Attendere().LeftLabel, 100);
  EXPECT_EQ(finestra.Attendere().Larghezza, finestra.Attendere().LarghezzaLabel + 1000);
  EXPECT_EQ(sessione.InstallaOpenTalvo, "SI");
  EXPECT_EQ(sessione.CartellaOpenTalvo, "C:\\OpenTalvo\\");
}

TEST_F(SetupPBDTest, LoadInstallsTheComponentsAfterOpenTalvoBehindTheWaitWindow) {
  InstallazioneCompleta();
  ScriviIni(installazione.Patch("SetupPBD.ini"), "INSTALLA", "DLL", "SI");
  InstallazioneDiProva::Scrivi(installazione.Patch("DLL\\a.dll"), "libreria");
  test::CartellaTemporanea sistema;
  machine.Sistema = SenzaBarraFinale(sistema.Percorso());
  ASSERT_TRUE(finestra.Form_Load());

  EXPECT_EQ(test::LeggiFile(sistema / "a.dll"), "libreria");
  EXPECT_EQ(machine.ProcessiAvviati,
            std::vector<std::string>{sistema.Percorso() + "regsvr32 " + (sistema / "a.dll") + " /s"});
  const std::vector<std::string> righe = Log();
  ASSERT_GE(righe.size(), 14u);
  EXPECT_EQ(std::vector<std::string>(righe.begin() + 9, righe.begin() + 14),
            (std::vector<std::string>{
                Ok("VersMinOTV: 2.3.9 - VersMaxOTV: 2.4.0"), Ok("Copia e registrazione delle DLL - inizio"),
                Ok("Copia e registrazione delle DLL - WDir3264: " + sistema.Percorso()),
                Ok("Copia e registrazione delle DLL - Copia file: " + (sistema / "a.dll")),
                Ok("Copia e registrazione delle DLL - fine - nFileCopiati: 1")}));
  // The copies ran, letting events through, before the two-second wait closed the wait window.
  EXPECT_GE(desktop.EventiElaborati, 1);
  EXPECT_EQ(attendere, (std::vector<bool>{true, false}));
  EXPECT_EQ(machine.Attese, 1);
}

TEST_F(SetupPBDTest, ReleaseWarningNamesTheReleaseOrTheSpecialLabel) {
  struct Caso {
    const char* versione;
    const char* riga;
  };
  for (const Caso& caso :
       {Caso{"2012/3", "alla versione VTR2012/3."}, Caso{"2012/3|x", "alla versione VTR2012/3."},
        Caso{"9000", "Edizione speciale."}, Caso{"2099/1", "Edizione speciale."}}) {
    SCOPED_TRACE(caso.versione);
    test::FakeDesktop schermo;
    schermo.Risposte = {RispostaMessaggio::Annulla};
    installazione.CreaPatch();
    ScriviIni(installazione.Patch("SetupPBD.ini"), "NUOVAVERSIONE", "Versione", caso.versione);
    ScriviIni(installazione.Patch("SetupPBD.ini"), "ETICHETTA", "Versione", "Edizione speciale");
    Sessione propria;
    SetupPBD avvio(propria, schermo, machine, installazione.CartellaPatch());
    EXPECT_FALSE(avvio.Form_Load());
    ASSERT_EQ(schermo.Messaggi.size(), 1u);
    EXPECT_EQ(test::Righe(schermo.Messaggi[0].Testo).at(3), caso.riga);
  }
}

TEST_F(SetupPBDTest, CancelAtTheWarningEndsTheProgramWithOnlyTheFirstLogLine) {
  InstallazioneCompleta();
  desktop.Risposte = {RispostaMessaggio::Annulla};
  EXPECT_FALSE(finestra.Form_Load());
  EXPECT_EQ(Log(), std::vector<std::string>{"Inizio : TalvoProva.log"});
  EXPECT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_TRUE(attendere.empty());
}

TEST_F(SetupPBDTest, NonAdministratorIsAskedAndMayStop) {
  InstallazioneCompleta();
  machine.Amministratore = false;
  machine.Utente = "supplente";
  const std::string domanda =
      "Attenzione: l'utente corrente: supplente non è amministratore.\r\n\r\n"
      "L'aggiornamento potrebbe non andare a buon fine.\r\nSi desidera continuare?";

  desktop.Risposte = {RispostaMessaggio::Ok, RispostaMessaggio::No};
  EXPECT_FALSE(finestra.Form_Load());
  ASSERT_EQ(desktop.Messaggi.size(), 2u);
  EXPECT_EQ(desktop.Messaggi[1], (test::MessaggioMostrato{domanda, "Installazione Talvo",
                                                          IconaMessaggio::Nessuna, PulsantiMessaggio::SiNo}));
  EXPECT_EQ(Log().back(), Ok("UtenteAmm: " + ParolaBooleana(false)));
  EXPECT_EQ(machine.Attese, 0);

  test::FakeDesktop schermo;
  schermo.Risposte = {RispostaMessaggio::Ok, RispostaMessaggio::Si};
  Sessione propria;
  SetupPBD avvio(propria, schermo, machine, installazione.CartellaPatch());
  EXPECT_TRUE(avvio.Form_Load());
  EXPECT_EQ(machine.Attese, 1);
}

TEST_F(SetupPBDTest, LoadStopsEarlyWithoutDescriptionOrLogName) {
  // No SetupPBD.ini: two messages, no log.
  EXPECT_TRUE(finestra.Form_Load());
  EXPECT_EQ(
      Testi(),
      (std::vector<std::string>{
          "Si è verificato un errore \r\nDescrizione: Non è stato trovato il file di inizializzazione\r\n",
          "Non è stato trovato il file di inizializzazione"}));
  EXPECT_EQ(desktop.Messaggi[1].Icona, IconaMessaggio::Nessuna);
  EXPECT_EQ(desktop.Messaggi[1].Titolo, "SetupTalvo");
  EXPECT_FALSE(test::EsisteFile("C:\\TalvoProva.log"));

  // No log name: one plain message, no log, and the drive list then changes nothing.
  installazione.CreaPatch("[NUOVAVERSIONE]\r\nVersione=2013/2\r\n");
  test::FakeDesktop schermo;
  Sessione propria;
  SetupPBD avvio(propria, schermo, machine, installazione.CartellaPatch());
  EXPECT_TRUE(avvio.Form_Load());
  ASSERT_EQ(schermo.Messaggi.size(), 1u);
  EXPECT_EQ(schermo.Messaggi[0].Testo,
            "Non è stato rilevato il valore del file di log nel file di inizializzazione");
  EXPECT_EQ(propria.NomeFileLog, "");
  avvio.Modello().CmbDischi.Voci = {"C:\\TALVO\\"};
  avvio.Modello().CmbDischi.Selezione = 0;
  avvio.CmbDischi_Click();
  EXPECT_EQ(avvio.Modello().CmbDischi.ToolTipText, "");
}

TEST_F(SetupPBDTest, NoDriveWithTalvoLeavesTheDriveLineEmpty) {
  installazione.CreaPatch();
  InstallazioneDiProva::CreaOpenTalvo("C:\\");
  ASSERT_TRUE(finestra.Form_Load());
  EXPECT_EQ(Log().at(3), "Funzione: Oper. Iniziali Descrizione: DriveTALVO:  ESITO OK");
}

TEST_F(SetupPBDTest, ActivationListsFixedDrivesFindsTheInstallationAndShowsTheAreas) {
  InstallazioneCompleta();
  machine.Dischi = {{"C:\\", TipoDisco::Fisso},
                    {installazione.Radice('D'), TipoDisco::Ottico},
                    {installazione.Radice('E'), TipoDisco::Fisso},
                    {installazione.Radice('F'), TipoDisco::Removibile}};
  ASSERT_TRUE(finestra.Form_Load());
  desktop.Messaggi.clear();
  finestra.Form_Activate();

  const ModelloSetupPBD& m = finestra.Modello();
  EXPECT_EQ(m.CmbDischi.Voci,
            (std::vector<std::string>{"C:\\TALVO\\", installazione.Radice('E') + "TALVO\\"}));
  EXPECT_EQ(m.CmbDischi.Selezione, 1);
  EXPECT_EQ(m.CmbDischi.ToolTipText, "In questa Directory E' STATO RILEVATO il programma TALVO");
  EXPECT_EQ(LeggiIni(installazione.Patch("SetupPBD.ini"), "TALVO", "FileSysIni"),
            installazione.Radice('E') + "TALVO\\SYS\\System.ini");
  EXPECT_EQ(m.Caption, "Aggiornamento 2013/2  RILEVATO TALVO IN RETE *** SYBASE 8 ( LOCALE ) ***");
  EXPECT_TRUE(desktop.Messaggi.empty());
  EXPECT_TRUE(m.cmdAggiorna.Abilitato);
  EXPECT_EQ(m.Righe[0].LblStato.Caption, "INSTALLATA");
  EXPECT_EQ(m.Righe[1].LblStato.Caption, "NON INSTALLATA");
  EXPECT_FALSE(m.Righe[1].LblEsito.Visibile);
  EXPECT_EQ(m.Righe[2].LblStato.Caption, "INSTALLATA");              // OpenTalvo, found on C:
  EXPECT_EQ(m.Righe[3].LblStato.Caption, "Aggiornamento in corso");  // no area in this row
  // No run yet: no row shows an outcome box or a percentage, those without an area included.
  for (const RigaArea& riga : m.Righe) {
    EXPECT_FALSE(riga.Shape1.Visibile) << riga.LblArea.Caption;
    EXPECT_FALSE(riga.lblOk.Visibile) << riga.LblArea.Caption;
  }

  // A second activation rebuilds the caption instead of piling the database text up.
  finestra.Form_Activate();
  EXPECT_EQ(finestra.Modello().Caption,
            "Aggiornamento 2013/2  RILEVATO TALVO IN RETE *** SYBASE 8 ( LOCALE ) ***");
}

TEST_F(SetupPBDTest, MinisterialInstallationIsRefusedOnEveryActivation) {
  InstallazioneCompleta();
  ASSERT_TRUE(finestra.Form_Load());
  desktop.Messaggi.clear();
  test::ScriviFile("C:\\pers.ini", "");
  finestra.Form_Activate();  // one marker alone: a normal installation
  EXPECT_TRUE(desktop.Messaggi.empty());
  EXPECT_TRUE(finestra.Modello().cmdAggiorna.Abilitato);

  test::ScriviFile("C:\\versione.ini", "");
  finestra.Form_Activate();
  finestra.Form_Activate();
  ASSERT_EQ(desktop.Messaggi.size(), 2u);
  for (const auto& m : desktop.Messaggi) {
    EXPECT_EQ(m.Testo, "Non è possibile utilizzare questo software Per Talvo Ministeriale");
    EXPECT_EQ(m.Icona, IconaMessaggio::Critico);
    EXPECT_EQ(m.Titolo, "SetupTalvo");
  }
  EXPECT_EQ(sessione.DescrizioneRilevamento, " RILEVATO TALVO MINISTERIALE");
  EXPECT_FALSE(finestra.Modello().cmdAggiorna.Abilitato);

  // Once disabled, the update button stays disabled.
  test::Elimina("C:\\versione.ini");
  finestra.Form_Activate();
  EXPECT_FALSE(finestra.Modello().cmdAggiorna.Abilitato);
}

TEST_F(SetupPBDTest, MissingSystemIniDisablesTheUpdate) {
  installazione.CreaPatch();
  InstallazioneDiProva::CreaOpenTalvo("C:\\");
  ASSERT_TRUE(finestra.Form_Load());
  desktop.Messaggi.clear();
  finestra.Form_Activate();
  EXPECT_EQ(
      Testi(),
      std::vector<std::string>{
          "Si è verificato un errore \r\nDescrizione: Non è stato trovato il file System.ini di TALVO\r\n"});
  EXPECT_EQ(Log().back(),
            "Funzione: Inizializza codice errore: 1 Descrizione: Non è stato trovato il file System.ini di "
            "TALVO FALLITO");
  EXPECT_FALSE(finestra.Modello().cmdAggiorna.Abilitato);
  // The rows were refreshed for the first entry all the same.
  EXPECT_EQ(finestra.Modello().CmbDischi.ToolTipText,
            "In questa Directory  NON E' STATO RILEVATO il programma TALVO\"");
}

TEST_F(SetupPBDTest, PickingAnotherRootRefreshesTheRows) {
  InstallazioneCompleta();
  ASSERT_TRUE(finestra.Form_Load());
  finestra.Form_Activate();
  ModelloSetupPBD& m = finestra.Modello();
  m.Righe[0].Shape1.Visibile = true;
  m.Righe[0].lblOk.Visibile = true;

  m.CmbDischi.Selezione = 0;  // C:\TALVO\ does not exist
  finestra.CmbDischi_Click();
  EXPECT_EQ(m.CmbDischi.ToolTipText, "In questa Directory  NON E' STATO RILEVATO il programma TALVO\"");
  EXPECT_EQ(m.Righe[0].LblStato.Caption, "NON INSTALLATA");
  EXPECT_EQ(m.Righe[1].LblStato.Caption, "NON INSTALLATA");
  EXPECT_EQ(m.Righe[2].LblStato.Caption, "INSTALLATA");  // OpenTalvo is found whatever the root
  EXPECT_FALSE(m.Righe[0].Shape1.Visibile);
  EXPECT_FALSE(m.Righe[0].lblOk.Visibile);

  // Back to E:: installed again, but the hidden outcome caption stays hidden.
  m.CmbDischi.Selezione = 1;
  finestra.CmbDischi_Click();
  EXPECT_EQ(m.Righe[0].LblStato.Caption, "INSTALLATA");
  EXPECT_FALSE(m.Righe[0].LblEsito.Visibile);
  EXPECT_FALSE(m.Righe[1].LblEsito.Visibile);
}

TEST_F(SetupPBDTest, MoreAreasThanRowsStopsThePassAtTheLastRow) {
  std::string ini = test::SetupPBDStandard;
  ini.replace(ini.find("quanti=3"), 8, "quanti=10");
  ini.replace(ini.find("2=OpenTalvo\r\n"), 13, "");
  std::string aree;
  for (int i = 2; i <= 9; ++i) aree += std::to_string(i) + "=Alunni\r\n";
  ini.insert(ini.find("[alunni]"), aree);
  installazione.CreaPatch(ini);
  installazione.CreaTalvo('E');
  installazione.CreaProgrammaArea('E', "talalu");
  ASSERT_TRUE(finestra.Form_Load());
  finestra.Form_Activate();
  // Row 8 is the OpenTalvo row by its number, and OpenTalvo was not found.
  for (int i = 0; i < Disposizione::NumeroRighe; ++i) {
    const char* atteso = i == 1 ? "NON INSTALLATA" : i == 8 ? "Agg.to non previsto" : "INSTALLATA";
    EXPECT_EQ(finestra.Modello().Righe[static_cast<std::size_t>(i)].LblStato.Caption, atteso) << i;
  }
  EXPECT_EQ(finestra.Modello().CmbDischi.ToolTipText,
            "In questa Directory E' STATO RILEVATO il programma TALVO");
}

TEST_F(SetupPBDTest, OnlyRightButtonWithShiftCtrlAltOpensTheReleaseEditor) {
  struct Caso {
    int pulsante, tasti;
    bool apre;
  };
  for (const Caso& caso :
       {Caso{Mouse::Destro, Mouse::Shift | Mouse::Ctrl | Mouse::Alt, true},
        Caso{Mouse::Destro, Mouse::Ctrl | Mouse::Alt, false}, Caso{Mouse::Destro, 0, false},
        Caso{Mouse::Sinistro, Mouse::Shift | Mouse::Ctrl | Mouse::Alt, false}}) {
    desktop.FinestreMostrate.clear();
    finestra.Form_MouseUp(caso.pulsante, caso.tasti);
    const auto attese = caso.apre ? std::vector<FinestraModale>{FinestraModale::ModificaRelease}
                                  : std::vector<FinestraModale>{};
    EXPECT_EQ(desktop.FinestreMostrate, attese) << caso.pulsante << " " << caso.tasti;
  }
}

// The update run as the window drives it: TALVO on E: with the alunni program, OpenTalvo on C:.
class AggiornaTest : public SetupPBDTest {
 protected:
  void SetUp() override {
    SetupPBDTest::SetUp();
    InstallazioneCompleta();
    installazione.CreaListeFisse();
    for (const char* nome : {"ALUNNI\\anagrafe.exe", "OTV\\otv.exe"}) {
      InstallazioneDiProva::Scrivi(installazione.Patch(nome), "nuovo");
    }
    InstallazioneDiProva::Scrivi(installazione.Patch("ALUNNI\\alunni.txt"),
                                 "anagrafe.exe|APP\\ALU\\PRG\\BIN\\\r\n");
    InstallazioneDiProva::Scrivi(installazione.Patch("OTV\\otv.txt"), "otv.exe|BIN\\\r\n");
    InstallazioneDiProva::Scrivi("C:\\OpenTalvo\\BIN\\otv.exe", "installato");
    ASSERT_TRUE(finestra.Form_Load());
    finestra.Form_Activate();
    ASSERT_TRUE(finestra.Modello().cmdAggiorna.Abilitato);
    desktop.Messaggi.clear();
  }

  std::vector<std::string> Righe() const {
    std::vector<std::string> righe;
    for (int i = 0; i < 3; ++i) {
      const RigaArea& riga = finestra.Modello().Righe[static_cast<std::size_t>(i)];
      righe.push_back(riga.LblStato.Caption + " " + (riga.lblOk.Visibile ? riga.lblOk.Caption : "-") + " " +
                      (!riga.Shape1.Visibile                            ? "-"
                       : riga.Shape1.ColoreRiempimento == Colore::Verde ? "verde"
                                                                        : "rosso"));
    }
    return righe;
  }
};

TEST_F(AggiornaTest, ACompleteRunPaintsTheRowsAndLeavesOnlyFine) {
  finestra.cmdAggiorna_Click();
  EXPECT_EQ(Righe(), (std::vector<std::string>{"AREA AGGIORNATA 100% verde", "NON INSTALLATA 0% rosso",
                                               "AREA AGGIORNATA 100% verde"}));
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0].Testo,
            "Aggiornamento terminato \r\nLe Seguenti Aree Non sono state Aggiornate\r\n"
            "BIBLIOTECA - Motivo -> NON INSTALLATA\r\n");
  EXPECT_FALSE(finestra.Modello().cmdAggiorna.Abilitato);
  EXPECT_FALSE(finestra.Modello().CmbDischi.Abilitato);
  EXPECT_EQ(finestra.Modello().Puntatore, PuntatoreMouse::Predefinito);
  EXPECT_EQ(desktop.Puntatori,
            (std::vector<PuntatoreMouse>{PuntatoreMouse::Clessidra, PuntatoreMouse::Predefinito}));
  EXPECT_EQ(test::LeggiFile(installazione.Radice('E') + "TALVO\\APP\\alu\\PRG\\BIN\\anagrafe.exe"), "nuovo");
  EXPECT_EQ(test::LeggiFile(installazione.Radice('E') + "TALVO\\sys\\vtrcntrl.ini"), "2013/2\r\n");
  EXPECT_TRUE(desktop.FinestreMostrate.empty());

  // Only "&Fine" is left: the button does nothing more.
  finestra.cmdAggiorna_Click();
  EXPECT_EQ(desktop.Messaggi.size(), 1u);
}

TEST_F(AggiornaTest, AFailedRunShowsTheRestoredRowsInTheLogViewerUntilTheNextActivation) {
  std::vector<std::string> righeNelVisore;
  desktop.AllaFinestra = [&](FinestraModale f) {
    if (f == FinestraModale::MostraLog) righeNelVisore = Righe();
  };
  // Another program takes the OpenTalvo destination once the checks before the run have passed.
  std::unique_ptr<test::FileBloccato> bloccato;
  int eventi = 0;
  desktop.AgliEventi = [&] {
    if (++eventi == 2) bloccato = std::make_unique<test::FileBloccato>("C:\\OpenTalvo\\BIN\\otv.exe");
  };
  finestra.cmdAggiorna_Click();
  ASSERT_TRUE(bloccato);
  bloccato.reset();
  EXPECT_EQ(desktop.FinestreMostrate, std::vector<FinestraModale>{FinestraModale::MostraLog});
  EXPECT_EQ(righeNelVisore, (std::vector<std::string>{"AREA RIPRISTINATA 0% rosso", "NON INSTALLATA 0% rosso",
                                                      "AREA RIPRISTINATA 0% rosso"}));
  EXPECT_FALSE(test::EsisteFile(installazione.Radice('E') + "TALVO\\APP\\alu\\PRG\\BIN\\anagrafe.exe"));
  EXPECT_EQ(test::LeggiFile("C:\\OpenTalvo\\BIN\\otv.exe"), "installato");
  EXPECT_FALSE(finestra.Modello().cmdAggiorna.Abilitato);
  EXPECT_TRUE(finestra.Modello().CmbDischi.Abilitato);

  finestra.Form_Activate();
  EXPECT_EQ(Righe()[0], "INSTALLATA - -");
  EXPECT_FALSE(finestra.Modello().cmdAggiorna.Abilitato);
}

TEST_F(AggiornaTest, ARefusedRunLeavesTheRowsAndTheButtonAsTheyWere) {
  const std::vector<std::string> prima = Righe();
  desktop.Identita.clear();
  {
    test::FileBloccato bloccato("C:\\OpenTalvo\\BIN\\otv.exe");
    finestra.cmdAggiorna_Click();
  }
  EXPECT_EQ(desktop.Identita, std::vector<IdMessaggio>{IdMessaggio::VerificaFallita});
  EXPECT_TRUE(desktop.FinestreMostrate.empty());
  EXPECT_EQ(Righe(), prima);
  EXPECT_EQ(test::LeggiFile("C:\\OpenTalvo\\BIN\\otv.exe"), "installato");
  EXPECT_EQ(finestra.Modello().Puntatore, PuntatoreMouse::Predefinito);
  // Nothing was changed: once the other program lets go, the run can be started again.
  EXPECT_TRUE(finestra.Modello().cmdAggiorna.Abilitato);
  finestra.cmdAggiorna_Click();
  EXPECT_EQ(test::LeggiFile("C:\\OpenTalvo\\BIN\\otv.exe"), "nuovo");
}

TEST_F(AggiornaTest, WhileTheRunLetsEventsRunNothingStartsOrEndsOrChangesTheRoot) {
  int volte = 0;
  desktop.AgliEventi = [&] {
    ++volte;
    finestra.cmdAggiorna_Click();
    finestra.CmdEsci_Click();
    finestra.SelezioneDischi(0);
    finestra.Form_MouseUp(Mouse::Destro, Mouse::Shift | Mouse::Ctrl | Mouse::Alt);
    finestra.Form_Activate();
  };
  finestra.cmdAggiorna_Click();
  EXPECT_GT(volte, 0);
  EXPECT_FALSE(finestra.Modello().Scaricata);
  EXPECT_EQ(finestra.Modello().CmbDischi.Selezione, 1);
  EXPECT_EQ(sessione.RadiceInstallazione, installazione.Radice('E') + "TALVO\\");
  EXPECT_TRUE(desktop.FinestreMostrate.empty());
  EXPECT_EQ(desktop.Messaggi.size(), 1u);  // one summary: one run
  EXPECT_EQ(Righe()[0], "AREA AGGIORNATA 100% verde");
}

TEST(MostraStatoArea, EachStatusHasItsTextsAndHidesTheOutcome) {
  struct Caso {
    StatoArea stato;
    const char* testo;
    bool esito;  // the outcome caption stays visible
  };
  for (const Caso& caso : {Caso{StatoArea::NonInstallata, "NON INSTALLATA", false},
                           Caso{StatoArea::Installata, "INSTALLATA", true},
                           Caso{StatoArea::NonPrevista, "Agg.to non previsto", true}}) {
    RigaArea riga;
    riga.Shape1.Visibile = true;
    riga.lblOk.Visibile = true;
    MostraStatoArea(riga, caso.stato);
    EXPECT_EQ(riga.LblStato.Caption, caso.testo);
    EXPECT_EQ(riga.LblEsito.Visibile, caso.esito) << caso.testo;
    EXPECT_FALSE(riga.Shape1.Visibile) << caso.testo;
    EXPECT_FALSE(riga.lblOk.Visibile) << caso.testo;
  }
}

TEST_F(SetupPBDTest, FineUnloadsTheWindow) {
  EXPECT_FALSE(finestra.Modello().Scaricata);
  finestra.CmdEsci_Click();
  EXPECT_TRUE(finestra.Modello().Scaricata);
}

}  // namespace
}  // namespace talvo
