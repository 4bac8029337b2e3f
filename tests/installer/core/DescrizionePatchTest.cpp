// Reading the patch description: the installation walk, the area count, the area table and the
// failure messages, over real INI files and folders.
#include <gtest/gtest.h>

#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "InstallazioneDiProva.h"
#include "core/DescrizionePatch.h"
#include "core/FinestraSetupPBD.h"
#include "core/Globale.h"
#include "core/Ini.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;

class DescrizionePatchTest : public test::ConLogDiProva {
 protected:
  void SetUp() override {
    ConLogDiProva::SetUp();
    Globale::PercorsoPatch = installazione.CartellaPatch() + "\\";
    stato.InstallaOpenTalvo = "SI";
    stato.VersInsOTV = "2.3.10";
    stato.VersMinOTV = "2.3.9";
    stato.VersMaxOTV = "2.4.0";
    stato.DescrizioneRilevamento = " RILEVATO TALVO IN RETE";
  }
  void Voci(std::vector<std::string> voci) { modello.CmbDischi.Voci = std::move(voci); }

  InstallazioneDiProva installazione;
  test::FakeDesktop desktop;
  ModelloSetupPBD modello;
  StatoSetupPBD stato;
  std::vector<int> selezioni;  // the entry selected at each run of the drive-selection step
  int passi = 0;               // runs of the area status pass
  FinestraSetupPBD finestra{desktop, modello, stato,
                            [this] { selezioni.push_back(modello.CmbDischi.Selezione); },
                            [this] { ++passi; }};
};

TEST_F(DescrizionePatchTest, FindsTheInstallationOnTheFirstDriveThatHasIt) {
  installazione.CreaPatch();
  installazione.CreaTalvo('D');
  Voci({installazione.Radice('C') + "TALVO\\", installazione.Radice('D') + "TALVO\\",
        installazione.Radice('E') + "TALVO\\"});
  Globale::VersioneInstallata = "2013/1|locale";

  ASSERT_TRUE(Inizializza(finestra));
  EXPECT_EQ(selezioni, (std::vector<int>{0, 1}));
  EXPECT_EQ(modello.CmbDischi.Selezione, 1);
  EXPECT_EQ(Globale::FileSysIni, installazione.Radice('D') + "TALVO\\SYS\\System.ini");
  EXPECT_EQ(LeggiIni(installazione.Patch("SetupPBD.ini"), "TALVO", "FileSysIni"), Globale::FileSysIni);
  EXPECT_EQ(modello.Caption, "Aggiornamento 2013/2  RILEVATO TALVO IN RETE");
  EXPECT_EQ(Globale::VersioneInstallata, "2013/1");
  EXPECT_EQ(Globale::NuovaVersione, "2013/2");
  EXPECT_TRUE(desktop.Messaggi.empty());
  EXPECT_EQ(passi, 1);

  ASSERT_EQ(stato.NumeroAree, 3);
  EXPECT_EQ(stato.CodiceArea, (std::vector<std::uint8_t>{0, 1, 2}));
  EXPECT_EQ(stato.NomeArea, (std::vector<std::string>{"alunni", "biblioteca", "opentalvo"}));
  EXPECT_EQ(stato.DirectoryArea[0], Globale::PercorsoPatch + "ALUNNI\\");
  EXPECT_EQ(stato.ListaScriptArea[1], "biblio.txt");
  EXPECT_EQ(stato.SuffissoArea[2], "OpenTalvo");
}

TEST_F(DescrizionePatchTest, KeepsTheFileSysIniOfAnEarlierRunWhenNoDriveMatches) {
  installazione.CreaPatch();
  installazione.CreaTalvo('D');
  ScriviIni(installazione.Patch("SetupPBD.ini"), "TALVO", "FileSysIni",
            installazione.Radice('D') + "TALVO\\SYS\\System.ini");
  Voci({installazione.Radice('C') + "TALVO\\"});
  EXPECT_TRUE(Inizializza(finestra));
  EXPECT_EQ(Globale::FileSysIni, installazione.Radice('D') + "TALVO\\SYS\\System.ini");
}

// One broken piece of the description, and what it shows and logs.
struct Guasto {
  const char* nome;
  const char* cerca;  // text of the standard SetupPBD.ini to replace
  const char* sostituto;
  const char* messaggio;  // MostraErrore's description, or nullptr for no box
  const char* log;        // the FALLITO line after its date
};

class GuastiTest : public DescrizionePatchTest, public ::testing::WithParamInterface<Guasto> {};

TEST_P(GuastiTest, EachFailureShowsAndLogsItsOwnText) {
  const Guasto& g = GetParam();
  std::string ini = test::SetupPBDStandard;
  if (*g.cerca) ini.replace(ini.find(g.cerca), std::string(g.cerca).size(), g.sostituto);
  installazione.CreaPatch(ini);
  installazione.CreaTalvo('C', std::string(g.nome) == "AppVer" ? "" : "2013/1");
  if (std::string(g.nome) == "AppVer") {
    InstallazioneDiProva::Scrivi(installazione.Radice('C') + "TALVO\\SYS\\System.ini", "[Application]\r\n");
  }
  Voci({installazione.Radice('C') + "TALVO\\"});

  EXPECT_FALSE(Inizializza(finestra));
  if (g.messaggio == nullptr) {
    EXPECT_TRUE(desktop.Messaggi.empty());
  } else {
    ASSERT_EQ(desktop.Messaggi.size(), 1u);
    EXPECT_EQ(desktop.Messaggi[0].Testo,
              "Si è verificato un errore \r\nDescrizione: " + std::string(g.messaggio) + "\r\n");
  }
  EXPECT_EQ(Log(), std::vector<std::string>{g.log});
}

INSTANTIATE_TEST_SUITE_P(Descrizione, GuastiTest,
                         ::testing::Values(Guasto{"AppVer", "", "",
                                                  "Non è presente il valore di versione per TALVO",
                                                  "Funzione: Inizializza codice errore: 1 Descrizione: Non è "
                                                  "presente il valore di versione per TALVO FALLITO"},
                                           Guasto{"parola", "quanti=3", "quanti=abc", nullptr,
                                                  "Funzione: DimensionaAree codice errore: 1 Descrizione: "
                                                  "Non è possibile determinare il numero delle aree "
                                                  "da aggiornare FALLITO"},
                                           Guasto{"zero", "quanti=3", "quanti=0", nullptr,
                                                  "Funzione: DimensionaAree codice errore: 1 Descrizione: "
                                                  "Non è possibile determinare il numero delle aree "
                                                  "da aggiornare FALLITO"},
                                           Guasto{"area", "1=Biblioteca\r\n", "",
                                                  "Non è stato possibile recuperare tutti i dati per le aree",
                                                  "Funzione: ValorizzaAree codice errore: 1 Descrizione: "
                                                  "Impossibile recuperare i valori per l'area con "
                                                  "codice1 FALLITO"},
                                           Guasto{"cartella", "DIRECTORYSCRIPT=BIBLIO\r\n", "",
                                                  "Non è stato possibile recuperare tutti i dati per le aree",
                                                  "Funzione: ValorizzaAree codice errore: 1 Descrizione: "
                                                  "Impossibile recuperare i valori per il percorso "
                                                  "sorgente dell'area biblioteca FALLITO"},
                                           Guasto{"nomelista", "LISTASCRIPT=biblio.txt\r\n", "",
                                                  "Non è stato possibile recuperare tutti i dati per le aree",
                                                  "Funzione: ValorizzaAree codice errore: 1 Descrizione: "
                                                  "Impossibile recuperare i valori per la lista "
                                                  "file dell'area biblioteca FALLITO"},
                                           Guasto{"suffisso", "SUFFISSO=OpenTalvo\r\n", "",
                                                  "Non è stato possibile recuperare tutti i dati per le aree",
                                                  "Funzione: ValorizzaAree codice errore: 1 Descrizione: "
                                                  "Impossibile recuperare i valori del suffisso "
                                                  "dell'areaopentalvo FALLITO"}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(DescrizionePatchTest, MissingListFileNamesTheFileAndTheArea) {
  installazione.CreaPatch();
  installazione.CreaTalvo('C');
  test::Elimina(installazione.Patch("BIBLIO\\biblio.txt"));
  Voci({installazione.Radice('C') + "TALVO\\"});
  EXPECT_FALSE(Inizializza(finestra));
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0].Testo,
            "Si è verificato un errore \r\nDescrizione: Non è stato possibile recuperare tutti i dati per le "
            "aree\r\n");
  EXPECT_EQ(Log(),
            std::vector<std::string>{
                "Funzione: CheckEsistenzaFile codice errore: 1 Descrizione:  Non è presente il file: " +
                installazione.Patch("BIBLIO\\biblio.txt") + " previsto per l'area: biblioteca FALLITO"});
  EXPECT_EQ(passi, 0);
}

TEST_F(DescrizionePatchTest, OpenTalvoListIsNeededOnlyWhenThePatchInstallsOpenTalvo) {
  installazione.CreaPatch();
  installazione.CreaTalvo('C');
  test::Elimina(installazione.Patch("OTV\\otv.txt"));
  Voci({installazione.Radice('C') + "TALVO\\"});
  stato.InstallaOpenTalvo = "NO";
  EXPECT_TRUE(Inizializza(finestra));

  stato.InstallaOpenTalvo = "SI";
  EXPECT_FALSE(Inizializza(finestra));
  EXPECT_EQ(desktop.Messaggi.size(), 1u);
  ASSERT_FALSE(Log().empty());
  EXPECT_NE(Log().back().find("previsto per l'area: opentalvo"), std::string::npos);
}

TEST_F(DescrizionePatchTest, NoInstallationShowsTheSystemIniMessageAndRefreshesTheRows) {
  installazione.CreaPatch();
  Voci({installazione.Radice('C') + "TALVO\\"});
  EXPECT_FALSE(Inizializza(finestra));
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0].Testo,
            "Si è verificato un errore \r\nDescrizione: Non è stato trovato il file System.ini di TALVO\r\n");
  EXPECT_EQ(Log(), std::vector<std::string>{
                       "Funzione: Inizializza codice errore: 1 Descrizione: Non è stato trovato il file "
                       "System.ini di TALVO FALLITO"});
  EXPECT_EQ(passi, 1);
  EXPECT_EQ(stato.NumeroAree, 0);
}

TEST_F(DescrizionePatchTest, AreaNamesAreLowerCaseAndMatchSectionsOfAnyCase) {
  std::string ini = test::SetupPBDStandard;
  ini.replace(ini.find("[alunni]"), 8, "[Alunni]");
  ini.replace(ini.find("quanti=3"), 8, "quanti= 2.5 ");  // rounds to 2, half to even
  installazione.CreaPatch(ini);
  installazione.CreaTalvo('C');
  Voci({installazione.Radice('C') + "TALVO\\"});
  ASSERT_TRUE(Inizializza(finestra));
  EXPECT_EQ(stato.NumeroAree, 2);
  EXPECT_EQ(stato.NomeArea[0], "alunni");
  EXPECT_EQ(stato.SuffissoArea[0], "talalu");
}

}  // namespace
}  // namespace talvo
