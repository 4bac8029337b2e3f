// Release ranges of TALVO and OpenTalvo, and the OpenTalvo step of the load, over real INI files.
#include <gtest/gtest.h>

#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "FakeMachine.h"
#include "InstallazioneDiProva.h"
#include "core/Compatibilita.h"
#include "core/Formati.h"
#include "core/Ini.h"
#include "core/Sessione.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;

class CompatibilitaTest : public test::ConLogDiProva {
 protected:
  void SetUp() override {
    ConLogDiProva::SetUp();
    Traccia("C:\\OpenTalvo");
    installazione.CreaPatch();
    sessione.PercorsoPatch = installazione.CartellaPatch() + "\\";
  }

  InstallazioneDiProva installazione;
  test::FakeDesktop desktop;
  test::FakeMachine machine;

  // A session of its own that reads the same patch and writes the same log.
  Sessione AltraSessione() const {
    Sessione altra;
    altra.NomeFileLog = sessione.NomeFileLog;
    altra.PercorsoPatch = sessione.PercorsoPatch;
    return altra;
  }
};

TEST_F(CompatibilitaTest, TalvoRangeIncludesBothBounds) {
  struct Caso {
    const char* minima;
    const char* installata;
    const char* patch;
    bool compatibile;
    const char* numeri;  // the numbers in the refusal, when refused
  };
  const Caso casi[] = {
      {"2013/1", "2013/1", "2013/2", true, ""},
      {"2013/1", "2013/2", "2013/2", true, ""},
      {"2013/1", "2013/2|x", "2013/2", true, ""},
      {"2013/1", "2013/2", "2013/2|note", true, ""},
      {"2013/1", "2012/9", "2013/2", false, "201209<->201302"},
      {"2013/1", "2013/3", "2013/2", false, "201303<->201302"},
      {"Errore", "2013/1", "2013/2", false, nullptr},  // lowest release missing: silent
      {"2013/1", "2013", "2013/2", false, nullptr},    // installed release malformed: silent
      {"2013/1", "2013/1", "nuova", false, nullptr},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(std::string(caso.minima) + " " + caso.installata + " " + caso.patch);
    SvuotaLog();
    test::FakeDesktop schermo;
    const std::string ini = sessione.PercorsoPatch + "SetupPBD.ini";
    if (std::string(caso.minima) == "Errore") {
      std::string testo = test::SetupPBDStandard;
      testo.erase(testo.find("[TestApplicazione]"),
                  std::string("[TestApplicazione]\r\nVersione=2013/1\r\n").size());
      test::InstallazioneDiProva::Scrivi(ini, testo);
    } else {
      test::InstallazioneDiProva::Scrivi(ini, test::SetupPBDStandard);
      ScriviIni(ini, "TestApplicazione", "Versione", caso.minima);
    }
    ScriviIni(ini, "NUOVAVERSIONE", "Versione", caso.patch);
    ScriviIni(ini, "INSTALLA", "OpenTalvo", "NO");
    sessione.VersioneInstallata = caso.installata;

    EXPECT_EQ(VerificaCompatibilita(sessione, schermo), caso.compatibile);
    EXPECT_EQ(sessione.NuovaVersione, caso.patch);
    EXPECT_EQ(sessione.VersioneInstallata.find('|'), std::string::npos);
    if (caso.compatibile || caso.numeri == nullptr) {
      EXPECT_TRUE(schermo.Messaggi.empty());
      EXPECT_TRUE(Log().empty());
      continue;
    }
    const std::string testo =
        std::string("Questo aggiornamento non è compatibile con la versione installata (") + caso.numeri +
        " )";
    EXPECT_EQ(Log(), std::vector<std::string>{
                         "Funzione: VerificaCompatibilita TALVO codice errore: 1 Descrizione: " + testo +
                         " FALLITO"});
    ASSERT_EQ(schermo.Messaggi.size(), 1u);
    EXPECT_EQ(schermo.Messaggi[0].Testo, "Si è verificato un errore \r\nDescrizione: \r\n" + testo + "\r\n");
  }
}

TEST_F(CompatibilitaTest, OpenTalvoRangeIsCheckedWhenThePatchInstallsIt) {
  struct Caso {
    const char* installata;
    const char* log;  // the refusal's log text; empty when it passes, nullptr when refused silently
    const char* messaggio;
  };
  const Caso casi[] = {
      {"2.3.10", "", ""},
      {"2.3.9", "", ""},
      {"2.4.0", "", ""},
      {"2.3.8", "La versione installata (2.3.8) è inferiore alla minima richiesta (2.3.9)",
       "\r\nLa versione OpenTalvo installata (2.3.8 ) è inferiore alla minima richiesta (2.3.9 )\r\n"
       "Aggiornare prima OpenTalvo e riprovare"},
      {"2.4.1",
       "La versione Open TALVO installata (2.4.1 ) è più recente (o uguale) di questo aggiornamento (2.4.0 )",
       "\r\nLa versione Open TALVO installata (2.4.1 ) è più recente (o uguale) di questo aggiornamento "
       "(2.4.0 )"},
      {"2.4", nullptr, nullptr},
      {"", nullptr, nullptr},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.installata);
    SvuotaLog();
    test::FakeDesktop schermo;
    sessione.VersioneInstallata = "2013/1";
    sessione.InstallaOpenTalvo = "SI";
    sessione.VersInsOTV = caso.installata;
    sessione.VersMinOTV = "2.3.9";
    sessione.VersMaxOTV = "2.4.0";
    const bool passa = caso.log != nullptr && std::string(caso.log).empty();
    EXPECT_EQ(VerificaCompatibilita(sessione, schermo), passa);
    if (caso.log == nullptr || passa) {
      EXPECT_TRUE(schermo.Messaggi.empty());
      EXPECT_TRUE(Log().empty());
      continue;
    }
    EXPECT_EQ(Log(), std::vector<std::string>{
                         "Funzione: VerificaCompatibilita OpenTalvo codice errore: 1 Descrizione: " +
                         std::string(caso.log) + " FALLITO"});
    ASSERT_EQ(schermo.Messaggi.size(), 1u);
    EXPECT_EQ(schermo.Messaggi[0].Testo,
              "Si è verificato un errore \r\nDescrizione: " + std::string(caso.messaggio) + "\r\n");
  }

  // A patch that does not install OpenTalvo ignores its release.
  sessione.InstallaOpenTalvo = "NO";
  sessione.VersInsOTV = "9.9.9";
  EXPECT_TRUE(VerificaCompatibilita(sessione, desktop));
}

TEST_F(CompatibilitaTest, OpenTalvoIsLookedForOnFixedDrivesOnly) {
  InstallazioneDiProva::CreaOpenTalvo(installazione.Radice('D'));
  machine.Dischi = {{installazione.Radice('D'), TipoDisco::Ottico}, {"C:\\", TipoDisco::Fisso}};
  TrovaOpenTalvo(sessione, desktop, machine);
  EXPECT_FALSE(sessione.OTVTrovato);

  InstallazioneDiProva::CreaOpenTalvo("C:\\");
  TrovaOpenTalvo(sessione, desktop, machine);
  EXPECT_TRUE(sessione.OTVTrovato);
  EXPECT_EQ(sessione.DriveOpenTalvo, "C");
  EXPECT_TRUE(desktop.Messaggi.empty());
}

TEST_F(CompatibilitaTest, LoadStepReadsTheInstalledReleaseAndTheAcceptedRange) {
  InstallazioneDiProva::CreaOpenTalvo("C:\\", "2.3.10");
  machine.Dischi = {{"C:\\", TipoDisco::Fisso}};
  LeggiReleaseOpenTalvo(sessione, desktop, machine);
  EXPECT_TRUE(desktop.Messaggi.empty());
  EXPECT_EQ(sessione.InstallaOpenTalvo, "SI");
  EXPECT_EQ(sessione.VersInsOTV, "2.3.10");
  EXPECT_EQ(sessione.VersMinOTV, "2.3.9");
  EXPECT_EQ(sessione.VersMaxOTV, "2.4.0");
  EXPECT_EQ(Log().back(),
            "Funzione: Oper. Iniziali Descrizione: VersMinOTV: 2.3.9 - VersMaxOTV: 2.4.0 ESITO OK");
}

TEST_F(CompatibilitaTest, LoadStepReadsTheReleasesEvenWhenTheLogCannotBeWritten) {
  InstallazioneDiProva::CreaOpenTalvo("C:\\", "2.3.10");
  machine.Dischi = {{"C:\\", TipoDisco::Fisso}};
  sessione.NomeFileLog = "cartella-assente\\prova.log";
  LeggiReleaseOpenTalvo(sessione, desktop, machine);
  EXPECT_TRUE(desktop.Messaggi.empty());
  EXPECT_EQ(sessione.InstallaOpenTalvo, "SI");
  EXPECT_EQ(sessione.VersInsOTV, "2.3.10");
  EXPECT_EQ(sessione.VersMinOTV, "2.3.9");
  EXPECT_EQ(sessione.VersMaxOTV, "2.4.0");
}

TEST_F(CompatibilitaTest, LoadStepWithoutOpenTalvoOrItsFiles) {
  machine.Dischi = {{"C:\\", TipoDisco::Fisso}};

  // Not found: one message, and OpenTalvo is left out of the update.
  LeggiReleaseOpenTalvo(sessione, desktop, machine);
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0].Testo, "Non è stata rilevata l'installazione di OpenTalvo ");
  EXPECT_EQ(desktop.Messaggi[0].Titolo, "Ricerca installazione OpenTalvo");
  EXPECT_EQ(desktop.Messaggi[0].Icona, IconaMessaggio::Critico);
  EXPECT_EQ(sessione.InstallaOpenTalvo, "NO");
  EXPECT_EQ(sessione.CartellaOpenTalvo, ":\\OpenTalvo\\");
  EXPECT_EQ(Log().at(1),
            "Funzione: Oper. Iniziali Descrizione: OTVTrovato: " + ParolaBooleana(false) + " ESITO OK");

  // Found without BIN\ver.ini: left out silently; OTV.ini missing: a plain message.
  InstallazioneDiProva::CreaOpenTalvo("C:\\", "");
  test::Elimina(installazione.Patch("OTV.ini"));
  test::FakeDesktop schermo;
  Sessione altro = AltraSessione();
  LeggiReleaseOpenTalvo(altro, schermo, machine);
  EXPECT_EQ(altro.InstallaOpenTalvo, "NO");
  ASSERT_EQ(schermo.Messaggi.size(), 1u);
  EXPECT_EQ(schermo.Messaggi[0].Testo, "Non è stato trovato il file di inizializzazione OTV.ini");
  EXPECT_EQ(schermo.Messaggi[0].Icona, IconaMessaggio::Nessuna);
  EXPECT_EQ(altro.VersMinOTV, "");

  // A patch that does not install OpenTalvo logs nothing about it.
  SvuotaLog();
  ScriviIni(sessione.PercorsoPatch + "SetupPBD.ini", "INSTALLA", "OpenTalvo", "si");
  Sessione terzo = AltraSessione();
  LeggiReleaseOpenTalvo(terzo, schermo, machine);
  EXPECT_EQ(terzo.InstallaOpenTalvo, "si");
  EXPECT_EQ(terzo.CartellaOpenTalvo, "C:\\OpenTalvo\\");
  EXPECT_TRUE(Log().empty());
}

}  // namespace
}  // namespace talvo
