// Reading the patch description: finding the installation among the drive entries, the area
// count, the area table and the failure messages, over real INI files and folders.
#include <windows.h>

#include <gtest/gtest.h>

#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "core/DescrizionePatch.h"
#include "core/Ini.h"
#include "core/Sessione.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;

class DescrizionePatchTest : public test::ConLogDiProva {
 protected:
  void SetUp() override {
    ConLogDiProva::SetUp();
    sessione.PercorsoPatch = installazione.CartellaPatch() + "\\";
    sessione.InstallaOpenTalvo = "SI";
    sessione.VersInsOTV = "2.3.10";
    sessione.VersMinOTV = "2.3.9";
    sessione.VersMaxOTV = "2.4.0";
    sessione.DescrizioneRilevamento = " RILEVATO TALVO IN RETE";
  }
  void Voci(std::vector<std::string> voci) { voci_ = std::move(voci); }

  // The reading as the main window runs it: the entries in turn until one holds the
  // installation (their indexes recorded), then the rest of the description.
  EsitoInizializza Leggi() {
    AzzeraAree(sessione);
    sessione.FileSysIni.clear();
    selezioni.clear();
    for (std::size_t i = 0; i < voci_.size(); ++i) {
      selezioni.push_back(static_cast<int>(i));
      if (SegnaInstallazione(sessione, voci_[i])) break;
    }
    caption = CaptionSetupPBD(sessione);
    return Inizializza(sessione, desktop);
  }

  InstallazioneDiProva installazione;
  test::FakeDesktop desktop;
  std::vector<int> selezioni;  // the entries looked at, in order
  std::string caption;
  std::vector<std::string> voci_;
};

TEST_F(DescrizionePatchTest, FindsTheInstallationOnTheFirstDriveThatHasIt) {
  installazione.CreaPatch();
  installazione.CreaTalvo('D');
  Voci({installazione.Radice('C') + "TALVO\\", installazione.Radice('D') + "TALVO\\",
        installazione.Radice('E') + "TALVO\\"});
  sessione.VersioneInstallata = "2013/1|locale";

  const EsitoInizializza esito = Leggi();
  ASSERT_EQ(esito, EsitoInizializza::Completa);
  EXPECT_EQ(selezioni, (std::vector<int>{0, 1}));
  EXPECT_EQ(sessione.FileSysIni, installazione.Radice('D') + "TALVO\\SYS\\System.ini");
  EXPECT_EQ(LeggiIni(installazione.Patch("SetupPBD.ini"), "TALVO", "FileSysIni"), sessione.FileSysIni);
  EXPECT_EQ(caption, "Aggiornamento 2013/2  RILEVATO TALVO IN RETE");
  EXPECT_EQ(sessione.VersioneInstallata, "2013/1");
  EXPECT_EQ(sessione.NuovaVersione, "2013/2");
  EXPECT_TRUE(desktop.Messaggi.empty());
  EXPECT_TRUE(AggiornaRigheDopo(esito));

  ASSERT_EQ(sessione.NumeroAree, 3);
  ASSERT_EQ(sessione.Aree.size(), 3u);
  std::vector<std::uint8_t> codici;
  std::vector<std::string> nomi;
  for (const Area& area : sessione.Aree) {
    codici.push_back(area.CodiceArea);
    nomi.push_back(area.NomeArea);
  }
  EXPECT_EQ(codici, (std::vector<std::uint8_t>{0, 1, 2}));
  EXPECT_EQ(nomi, (std::vector<std::string>{"alunni", "biblioteca", "opentalvo"}));
  EXPECT_EQ(sessione.Aree[0].DirectoryArea, sessione.PercorsoPatch + "ALUNNI\\");
  EXPECT_EQ(sessione.Aree[1].ListaScriptArea, "biblio.txt");
  EXPECT_EQ(sessione.Aree[2].SuffissoArea, "OpenTalvo");
}

// The value another machine (or an earlier run) left in a shared patch description is never
// taken for this machine's installation.
TEST_F(DescrizionePatchTest, IgnoresTheFileSysIniWrittenIntoThePatchByAnotherMachine) {
  installazione.CreaPatch();
  installazione.CreaTalvo('D');
  ScriviIni(installazione.Patch("SetupPBD.ini"), "TALVO", "FileSysIni",
            installazione.Radice('D') + "TALVO\\SYS\\System.ini");
  Voci({installazione.Radice('C') + "TALVO\\"});
  EXPECT_EQ(Leggi(), EsitoInizializza::SysIniMancante);
  EXPECT_EQ(sessione.FileSysIni, "");
}

// A patch that cannot be written (a read-only share; here another reader that lets nobody write):
// the write-back fails quietly and the installation found is used.
TEST_F(DescrizionePatchTest, APatchThatCannotBeWrittenStillFindsTheInstallation) {
  installazione.CreaPatch();
  installazione.CreaTalvo('D');
  const std::string ini = installazione.Patch("SetupPBD.ini");
  const HANDLE lettore = ::CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lettore, INVALID_HANDLE_VALUE);
  Voci({installazione.Radice('D') + "TALVO\\"});
  const EsitoInizializza esito = Leggi();
  ::CloseHandle(lettore);
  EXPECT_EQ(esito, EsitoInizializza::Completa);
  EXPECT_EQ(sessione.FileSysIni, installazione.Radice('D') + "TALVO\\SYS\\System.ini");
  // The file itself, not the platform's cache of profiles, which keeps what it could not write.
  EXPECT_EQ(test::LeggiFile(ini).find("FileSysIni"), std::string::npos);
}

TEST_F(DescrizionePatchTest, ADryRunWritesNothingIntoThePatch) {
  installazione.CreaPatch();
  installazione.CreaTalvo('D');
  sessione.SoloVerifica = true;
  Voci({installazione.Radice('D') + "TALVO\\"});
  EXPECT_EQ(Leggi(), EsitoInizializza::Completa);
  EXPECT_EQ(test::LeggiFile(installazione.Patch("SetupPBD.ini")).find("FileSysIni"), std::string::npos);
}

// One broken piece of the description, and what it shows and logs.
struct Guasto {
  const char* nome;
  const char* cerca;  // text of the standard SetupPBD.ini to replace
  const char* sostituto;
  const char* messaggio;  // MostraErrore's description, or nullptr for no box
  const char* log;        // the FALLITO line after its date
  EsitoInizializza esito;
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

  const EsitoInizializza esito = Leggi();
  EXPECT_EQ(esito, g.esito);
  EXPECT_FALSE(AggiornaRigheDopo(esito));
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
                                                  "presente il valore di versione per TALVO FALLITO",
                                                  EsitoInizializza::VersioneMancante},
                                           Guasto{"parola", "quanti=3", "quanti=abc", nullptr,
                                                  "Funzione: DimensionaAree codice errore: 1 Descrizione: "
                                                  "Non è possibile determinare il numero delle aree "
                                                  "da aggiornare FALLITO",
                                                  EsitoInizializza::NumeroAreeNonValido},
                                           Guasto{"zero", "quanti=3", "quanti=0", nullptr,
                                                  "Funzione: DimensionaAree codice errore: 1 Descrizione: "
                                                  "Non è possibile determinare il numero delle aree "
                                                  "da aggiornare FALLITO",
                                                  EsitoInizializza::NumeroAreeNonValido},
                                           Guasto{"area", "1=Biblioteca\r\n", "",
                                                  "Non è stato possibile recuperare tutti i dati per le aree",
                                                  "Funzione: ValorizzaAree codice errore: 1 Descrizione: "
                                                  "Impossibile recuperare i valori per l'area con "
                                                  "codice1 FALLITO",
                                                  EsitoInizializza::AreeIncomplete},
                                           Guasto{"cartella", "DIRECTORYSCRIPT=BIBLIO\r\n", "",
                                                  "Non è stato possibile recuperare tutti i dati per le aree",
                                                  "Funzione: ValorizzaAree codice errore: 1 Descrizione: "
                                                  "Impossibile recuperare i valori per il percorso "
                                                  "sorgente dell'area biblioteca FALLITO",
                                                  EsitoInizializza::AreeIncomplete},
                                           Guasto{"nomelista", "LISTASCRIPT=biblio.txt\r\n", "",
                                                  "Non è stato possibile recuperare tutti i dati per le aree",
                                                  "Funzione: ValorizzaAree codice errore: 1 Descrizione: "
                                                  "Impossibile recuperare i valori per la lista "
                                                  "file dell'area biblioteca FALLITO",
                                                  EsitoInizializza::AreeIncomplete},
                                           Guasto{"suffisso", "SUFFISSO=OpenTalvo\r\n", "",
                                                  "Non è stato possibile recuperare tutti i dati per le aree",
                                                  "Funzione: ValorizzaAree codice errore: 1 Descrizione: "
                                                  "Impossibile recuperare i valori del suffisso "
                                                  "dell'areaopentalvo FALLITO",
                                                  EsitoInizializza::AreeIncomplete}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(DescrizionePatchTest, MissingListFileNamesTheFileAndTheArea) {
  installazione.CreaPatch();
  installazione.CreaTalvo('C');
  test::Elimina(installazione.Patch("BIBLIO\\biblio.txt"));
  Voci({installazione.Radice('C') + "TALVO\\"});
  const EsitoInizializza esito = Leggi();
  EXPECT_EQ(esito, EsitoInizializza::AreeIncomplete);
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0].Testo,
            "Si è verificato un errore \r\nDescrizione: Non è stato possibile recuperare tutti i dati per le "
            "aree\r\n");
  EXPECT_EQ(Log(),
            std::vector<std::string>{
                "Funzione: CheckEsistenzaFile codice errore: 1 Descrizione:  Non è presente il file: " +
                installazione.Patch("BIBLIO\\biblio.txt") + " previsto per l'area: biblioteca FALLITO"});
  EXPECT_FALSE(AggiornaRigheDopo(esito));
}

TEST_F(DescrizionePatchTest, OpenTalvoListIsNeededOnlyWhenThePatchInstallsOpenTalvo) {
  installazione.CreaPatch();
  installazione.CreaTalvo('C');
  test::Elimina(installazione.Patch("OTV\\otv.txt"));
  Voci({installazione.Radice('C') + "TALVO\\"});
  sessione.InstallaOpenTalvo = "NO";
  EXPECT_EQ(Leggi(), EsitoInizializza::Completa);

  sessione.InstallaOpenTalvo = "SI";
  EXPECT_EQ(Leggi(), EsitoInizializza::AreeIncomplete);
  EXPECT_EQ(desktop.Messaggi.size(), 1u);
  ASSERT_FALSE(Log().empty());
  EXPECT_NE(Log().back().find("previsto per l'area: opentalvo"), std::string::npos);
}

TEST_F(DescrizionePatchTest, NoInstallationShowsTheSystemIniMessageAndRefreshesTheRows) {
  installazione.CreaPatch();
  Voci({installazione.Radice('C') + "TALVO\\"});
  const EsitoInizializza esito = Leggi();
  EXPECT_EQ(esito, EsitoInizializza::SysIniMancante);
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0].Testo,
            "Si è verificato un errore \r\nDescrizione: Non è stato trovato il file System.ini di TALVO\r\n");
  EXPECT_EQ(Log(), std::vector<std::string>{
                       "Funzione: Inizializza codice errore: 1 Descrizione: Non è stato trovato il file "
                       "System.ini di TALVO FALLITO"});
  EXPECT_TRUE(AggiornaRigheDopo(esito));
  EXPECT_EQ(sessione.NumeroAree, 0);
}

TEST_F(DescrizionePatchTest, AreaNamesAreLowerCaseAndMatchSectionsOfAnyCase) {
  std::string ini = test::SetupPBDStandard;
  ini.replace(ini.find("[alunni]"), 8, "[Alunni]");
  ini.replace(ini.find("quanti=3"), 8, "quanti= 2.5 ");  // rounds to 2, half to even
  installazione.CreaPatch(ini);
  installazione.CreaTalvo('C');
  Voci({installazione.Radice('C') + "TALVO\\"});
  ASSERT_EQ(Leggi(), EsitoInizializza::Completa);
  EXPECT_EQ(sessione.NumeroAree, 2);
  EXPECT_EQ(sessione.Aree[0].NomeArea, "alunni");
  EXPECT_EQ(sessione.Aree[0].SuffissoArea, "talalu");
}

}  // namespace
}  // namespace talvo
