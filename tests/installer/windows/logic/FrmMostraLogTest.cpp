// The log viewer and the printer window over the real log in the root of C:, with the Desktop fake
// for the clipboard, the printers and the error box.
#include <gtest/gtest.h>
#include <windows.h>

#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "FileDiProva.h"
#include "core/Log.h"
#include "raii/unique_any.h"
#include "windows/logic/FrmMostraLog.h"
#include "windows/logic/FrmStampa.h"

namespace talvo {
namespace {

// "Errore.log" in the current folder, which for the tests is the root of C:.
constexpr const char* FileRiserva = "C:\\Errore.log";

test::MessaggioMostrato BoxErrore(const std::string& testo) {
  return {testo, "SetupTalvo", IconaMessaggio::Critico, PulsantiMessaggio::Ok};
}

class FrmMostraLogTest : public test::ConLogDiProva {
 protected:
  void SetUp() override {
    ConLogDiProva::SetUp();
    Traccia(FileRiserva);
  }

  test::FakeDesktop desktop;
  FrmMostraLog viewer{sessione, desktop};
};

TEST_F(FrmMostraLogTest, CaptionMenuAndPlaceFollowTheScreen) {
  viewer.Form_Load(19200, 15360);
  const ModelloFrmMostraLog& m = viewer.Modello();
  EXPECT_EQ(m.Caption, "LogFile");
  EXPECT_EQ(m.mnup, "&Principale");
  EXPECT_EQ(m.mnup3.Caption, "&Copia");
  EXPECT_EQ(m.mnup2.Caption, "&Stampa");
  EXPECT_EQ(m.mnup4.Caption, "&Esci");
  EXPECT_EQ(m.Finestra.Left, 0);
  EXPECT_EQ(m.Finestra.Top, 0);
  EXPECT_EQ(m.Finestra.Width, 19000);
  EXPECT_EQ(m.Finestra.Height, 14360);
  EXPECT_EQ(m.PosizioneTxtFile.Left, 0);
  EXPECT_EQ(m.PosizioneTxtFile.Top, 0);
  EXPECT_EQ(m.PosizioneTxtFile.Width, 18930);
  EXPECT_EQ(m.PosizioneTxtFile.Height, 13360);
}

TEST_F(FrmMostraLogTest, EachActivationShowsTheLogAsItIsNow) {
  ScriviLog(sessione, "Inizializza", "prima", 0);
  viewer.Form_Activate();
  const std::string prima = viewer.Modello().TxtFile.Text;
  EXPECT_EQ(test::Righe(prima).size(), 1u);
  EXPECT_NE(prima.find(" Funzione: Inizializza Descrizione: prima ESITO OK\r\n"), std::string::npos);

  // The run goes on writing while the printer window is open; coming back reads the file again.
  desktop.AllaFinestra = [this](FinestraModale) { ScriviLog(sessione, "Aggiorna", "seconda", 1976); };
  viewer.mnup2_Click();
  EXPECT_EQ(desktop.FinestreMostrate, std::vector<FinestraModale>{FinestraModale::Stampa});
  EXPECT_EQ(viewer.Modello().TxtFile.Text, prima);
  viewer.Form_Activate();
  const std::vector<std::string> righe = test::Righe(viewer.Modello().TxtFile.Text);
  ASSERT_EQ(righe.size(), 2u);
  EXPECT_EQ(righe[0] + "\r\n", prima);
  EXPECT_NE(righe[1].find(" Funzione: Aggiorna Descrizione: seconda AVVISO"), std::string::npos);
  EXPECT_TRUE(desktop.Messaggi.empty());
}

TEST_F(FrmMostraLogTest, TheLogComesFirstThenErroreLogThenNothing) {
  struct Caso {
    const char* nome;
    bool log;
    bool logNascosto;
    bool riserva;
    const char* atteso;
  };
  for (const Caso& caso :
       {Caso{"log and fallback", true, false, true, "dal log\r\n"},
        Caso{"log only", true, false, false, "dal log\r\n"},
        Caso{"fallback only", false, false, true, "di riserva\r\n"},
        // A hidden file does not exist for the installer.
        Caso{"hidden log", true, true, true, "di riserva\r\n"}, Caso{"neither", false, false, false, ""}}) {
    SCOPED_TRACE(caso.nome);
    test::Elimina(FileLog);
    test::Elimina(FileRiserva);
    if (caso.log) test::ScriviFile(FileLog, "dal log\r\n");
    if (caso.logNascosto) ::SetFileAttributesA(FileLog, FILE_ATTRIBUTE_HIDDEN);
    if (caso.riserva) test::ScriviFile(FileRiserva, "di riserva\r\n");
    FrmMostraLog finestra(sessione, desktop);
    finestra.Modello().TxtFile.Text = "stale";
    finestra.Form_Activate();
    EXPECT_EQ(finestra.Modello().TxtFile.Text, caso.atteso);
    EXPECT_FALSE(finestra.Modello().Scaricata);
    ::SetFileAttributesA(FileLog, FILE_ATTRIBUTE_NORMAL);
  }
  EXPECT_TRUE(desktop.Messaggi.empty());
}

TEST_F(FrmMostraLogTest, EveryLineEndsWithCrLfWhateverTheFileUsed) {
  const std::pair<std::string, std::string> casi[] = {
      {"", ""},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\r\nb", "a\r\nb\r\n"},  // the last line without its end
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb", "a\r\nb\r\n"},
      {"a\r\n\r\nb\r\n", "a\r\n\r\nb\r\n"},  // an empty line stays
      {"\xE8 \r\n", "\xE8 \r\n"},            // bytes as they are, in the ANSI code page
  };
  for (const auto& [contenuto, atteso] : casi) {
    SCOPED_TRACE(contenuto);
    test::ScriviFile(FileLog, contenuto);
    viewer.Form_Activate();
    EXPECT_EQ(viewer.Modello().TxtFile.Text, atteso);
  }
}

TEST_F(FrmMostraLogTest, CopiaPutsTheWholeTextOnTheClipboardEndingWithCrLf) {
  test::ScriviFile(FileLog, "uno\r\ndue");
  viewer.Form_Activate();
  viewer.mnup3_Click();
  ASSERT_EQ(desktop.Copie.size(), 1u);
  EXPECT_EQ(desktop.Copie[0], "uno\r\ndue\r\n");

  // What the box holds when the person copies, edits included.
  viewer.Modello().TxtFile.Text += "modificato";
  viewer.mnup3_Click();
  ASSERT_EQ(desktop.Copie.size(), 2u);
  EXPECT_EQ(desktop.Copie[1], "uno\r\ndue\r\nmodificato");
  EXPECT_FALSE(viewer.Modello().Scaricata);
}

TEST_F(FrmMostraLogTest, FailuresAreShownAndTheWindowStaysOpen) {
  // A clipboard another program holds.
  test::ScriviFile(FileLog, "riga\r\n");
  viewer.Form_Activate();
  desktop.ErroreAppunti = 70;
  viewer.mnup3_Click();
  EXPECT_TRUE(desktop.Copie.empty());
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0],
            BoxErrore("Si è verificato un errore \r\nDescrizione: Autorizzazione negata\r\nCodice: 70\r\n"));

  // A log held open without sharing cannot be read: the box is empty and says nothing false.
  {
    const unique_hfile bloccato = make_hfile(
        ::CreateFileA(FileLog, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(bloccato);
    viewer.Form_Activate();
  }
  EXPECT_EQ(viewer.Modello().TxtFile.Text, "");
  ASSERT_EQ(desktop.Messaggi.size(), 2u);
  EXPECT_EQ(desktop.Messaggi[1],
            BoxErrore("Si è verificato un errore \r\nDescrizione: Autorizzazione negata\r\nCodice: 70\r\n"));
  EXPECT_FALSE(viewer.Modello().Scaricata);
  viewer.Form_Activate();
  EXPECT_EQ(viewer.Modello().TxtFile.Text, "riga\r\n");
}

TEST_F(FrmMostraLogTest, EsciUnloadsAndNothingRunsAfterwards) {
  test::ScriviFile(FileLog, "riga\r\n");
  viewer.Form_Activate();
  viewer.mnup4_Click();
  EXPECT_TRUE(viewer.Modello().Scaricata);
  viewer.mnup3_Click();
  viewer.mnup2_Click();
  EXPECT_TRUE(desktop.Copie.empty());
  EXPECT_TRUE(desktop.FinestreMostrate.empty());
}

TEST_F(FrmMostraLogTest, StampaPrintsTheViewersTextFromThePrinterWindow) {
  test::ScriviFile(FileLog, "riga 1\r\nriga 2\r\n");
  viewer.Form_Activate();
  desktop.StampantiInstallate = {"Laser", "PDF"};
  desktop.AllaFinestra = [this](FinestraModale finestra) {
    ASSERT_EQ(finestra, FinestraModale::Stampa);
    FrmStampa stampa(desktop, viewer.Modello().TxtFile);
    stampa.Form_Activate();
    stampa.Modello().CmbStampante.Selezione = 2;
    stampa.CmdStampa_Click();
    stampa.CmdEsci_Click();
  };
  viewer.mnup2_Click();
  ASSERT_EQ(desktop.Stampati.size(), 1u);
  EXPECT_EQ(desktop.Stampati[0].Stampante, "PDF");
  EXPECT_EQ(desktop.Stampati[0].Lavoro.Testo, "riga 1\r\nriga 2\r\n");
}

class FrmStampaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop.StampantiInstallate = {"Zeta", "Alfa", "PDF"};
    desktop.StampanteCorrente = "Zeta";
    testo.Text = "prima riga\r\nseconda riga\r\n";
  }

  test::FakeDesktop desktop;
  CasellaDiTesto testo;
  FrmStampa finestra{desktop, testo};
};

TEST_F(FrmStampaTest, ListsAnEmptyEntryThenThePrintersInThePlatformsOrder) {
  finestra.Form_Activate();
  const ModelloFrmStampa& m = finestra.Modello();
  EXPECT_EQ(m.Caption, "Scelta Stampante");
  EXPECT_EQ(m.Label1.Caption, "Seleziona Stampante");
  EXPECT_EQ(m.CmdStampa.Caption, "&Stampa");
  EXPECT_EQ(m.CmdEsci.Caption, "&Esci");
  EXPECT_EQ(m.CmbStampante.Voci, (std::vector<std::string>{"", "Zeta", "Alfa", "PDF"}));
  EXPECT_EQ(m.CmbStampante.Selezione, -1);

  // Each activation builds the list anew.
  desktop.StampantiInstallate = {"Nuova"};
  finestra.Modello().CmbStampante.Selezione = 1;
  finestra.Form_Activate();
  EXPECT_EQ(finestra.Modello().CmbStampante.Voci, (std::vector<std::string>{"", "Nuova"}));
  EXPECT_EQ(finestra.Modello().CmbStampante.Selezione, -1);
}

TEST_F(FrmStampaTest, NoChoiceAsksForAPrinterAndPrintsNothing) {
  finestra.Form_Activate();
  for (int selezione : {-1, 0}) {
    finestra.Modello().CmbStampante.Selezione = selezione;
    finestra.CmdStampa_Click();
  }
  EXPECT_TRUE(desktop.Stampati.empty());
  const auto box = BoxErrore("Si è verificato un errore \r\nDescrizione: Selezionare una stampante\r\n");
  EXPECT_EQ(desktop.Messaggi, (std::vector<test::MessaggioMostrato>{box, box}));
  EXPECT_FALSE(finestra.Modello().Scaricata);
}

TEST_F(FrmStampaTest, PrintsTheWholeTextLandscapeInCourierNewSevenOnTheChosenPrinter) {
  finestra.Form_Activate();
  finestra.Modello().CmbStampante.Selezione = 2;
  finestra.CmdStampa_Click();
  // The text as it is when the person presses the button.
  testo.Text = "";
  finestra.Modello().CmbStampante.Selezione = 3;
  finestra.CmdStampa_Click();

  ASSERT_EQ(desktop.Stampati.size(), 2u);
  const std::pair<const char*, const char*> attesi[] = {{"Alfa", "prima riga\r\nseconda riga\r\n"},
                                                        {"PDF", ""}};
  for (std::size_t i = 0; i < 2; ++i) {
    const auto& stampato = desktop.Stampati[i];
    EXPECT_EQ(stampato.Stampante, attesi[i].first);
    EXPECT_EQ(stampato.Lavoro.Orientamento, 2);
    EXPECT_EQ(stampato.Lavoro.DimensioneCarattere, 7);
    EXPECT_EQ(stampato.Lavoro.NomeCarattere, "Courier New");
    EXPECT_EQ(stampato.Lavoro.Testo, attesi[i].second);
  }
  EXPECT_TRUE(desktop.Messaggi.empty());
  EXPECT_FALSE(finestra.Modello().Scaricata);
}

TEST_F(FrmStampaTest, APrinterGoneSinceTheListWasBuiltLeavesTheCurrentPrinter) {
  finestra.Form_Activate();
  finestra.Modello().CmbStampante.Selezione = 2;  // "Alfa"
  desktop.StampantiInstallate = {"Zeta", "PDF"};
  finestra.CmdStampa_Click();
  ASSERT_EQ(desktop.Stampati.size(), 1u);
  EXPECT_EQ(desktop.Stampati[0].Stampante, "Zeta");
}

TEST_F(FrmStampaTest, AFailedPrintIsShownWithItsNumberAndTheWindowStaysOpen) {
  finestra.Form_Activate();
  finestra.Modello().CmbStampante.Selezione = 3;
  desktop.ErroreStampa = 482;
  finestra.CmdStampa_Click();
  EXPECT_TRUE(desktop.Stampati.empty());
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(
      desktop.Messaggi[0],
      BoxErrore("Si è verificato un errore \r\nDescrizione: Errore della stampante\r\nCodice: 482\r\n"));
  EXPECT_FALSE(finestra.Modello().Scaricata);

  // The person tries again once the printer works.
  desktop.ErroreStampa = 0;
  finestra.CmdStampa_Click();
  EXPECT_EQ(desktop.Stampati.size(), 1u);
}

TEST_F(FrmStampaTest, EsciUnloadsAndNothingPrintsAfterwards) {
  finestra.Form_Activate();
  finestra.Modello().CmbStampante.Selezione = 1;
  finestra.CmdEsci_Click();
  EXPECT_TRUE(finestra.Modello().Scaricata);
  finestra.CmdStampa_Click();
  EXPECT_TRUE(desktop.Stampati.empty());
  EXPECT_TRUE(desktop.Messaggi.empty());
}

}  // namespace
}  // namespace talvo
