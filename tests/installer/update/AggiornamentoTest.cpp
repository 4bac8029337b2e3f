// The update run over a real installation: the fixed lists, the areas in row order, the summary
// and the release recorded after a complete run, the restore after a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "FileBloccato.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "core/Ini.h"
#include "core/Sessione.h"
#include "update/Aggiornamento.h"
#include "update/RiproduzioneGiornale.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;
using test::LeggiFile;

const std::string Giornale = "c:\\SetupTalvo.journal";

// What the run reported for the rows, as the window would show it.
struct Riga {
  std::string stato = "-";
  std::string esito = "-";  // "100%" green, "0%" red

  bool operator==(const Riga& altra) const { return stato == altra.stato && esito == altra.esito; }
};

void PrintTo(const Riga& riga, std::ostream* os) { *os << "{" << riga.stato << ", " << riga.esito << "}"; }

class Registratore final : public OsservatoreAggiornamento {
 public:
  std::vector<Riga> righe = std::vector<Riga>(3);
  std::vector<std::string> eventi;
  // The run's journal as it stood each time pending events ran ("-" while there was none).
  std::vector<std::string> giornali;
  // What happens while the run lets the n-th batch of pending events run (n from 1).
  std::function<void(int)> agliEventi;

  void EventiInAttesa() override {
    eventi.push_back("eventi");
    giornali.push_back(test::EsisteFile(Giornale) ? LeggiFile(Giornale) : "-");
    if (agliEventi) agliEventi(static_cast<int>(std::count(eventi.begin(), eventi.end(), "eventi")));
  }
  void Occupato(bool occupato) override { eventi.push_back(occupato ? "clessidra" : "normale"); }
  void StatoRiga(int area, StatoArea stato) override { righe.at(area).stato = TestoStatoArea(stato); }
  void EsitoRiga(int area, bool riuscito) override { righe.at(area).esito = riuscito ? "100%" : "0%"; }
  void AggiornaDisabilitato() override { eventi.push_back("aggiorna disabilitato"); }
  void DischiDisabilitati() override { eventi.push_back("dischi disabilitati"); }
};

// TALVO on E: with alunni and biblioteca installed, OpenTalvo (the third area) on C:.
class AggiornamentoTest : public test::ConLogDiProva {
 protected:
  void SetUp() override {
    ConLogDiProva::SetUp();
    Traccia("C:\\OpenTalvo");
    installazione.CreaPatch();
    installazione.CreaListeFisse();
    installazione.CreaTalvo('E', "2013/1");
    installazione.CreaProgrammaArea('E', "talalu");
    installazione.CreaProgrammaArea('E', "talbib");
    InstallazioneDiProva::CreaOpenTalvo("C:\\");
    Lista("ALUNNI\\alunni.txt",
          "anagrafe.exe|APP\\ALU\\PRG\\BIN\\\r\n  \r\nnuovo.dll|APP\\ALU\\PRG\\BIN\\\r\n",
          {"anagrafe.exe", "nuovo.dll"});
    Lista("BIBLIO\\biblio.txt", "prestiti.exe|APP\\BIB\\PRG\\BIN\\\r\n", {"prestiti.exe"});
    Lista("OTV\\otv.txt", "otv.exe|BIN\\\r\n", {"otv.exe"});
    InstallazioneDiProva::Scrivi(Bin("alu") + "anagrafe.exe", "anagrafe installato");
    InstallazioneDiProva::Scrivi(Bin("bib") + "prestiti.exe", "prestiti installato");
    InstallazioneDiProva::Scrivi("C:\\OpenTalvo\\BIN\\otv.exe", "otv installato");

    sessione.PercorsoPatch = installazione.CartellaPatch() + "\\";
    sessione.FileSysIni = Radice() + "SYS\\System.ini";
    sessione.NuovaVersione = "2013/2";
    sessione.InstallaOpenTalvo = "SI";
    sessione.CartellaOpenTalvo = "C:\\OpenTalvo\\";
    sessione.DimensionaTabellaAree(3);
    sessione.Aree[0] = {0, "alunni", sessione.PercorsoPatch + "ALUNNI\\", "alunni.txt", "talalu"};
    sessione.Aree[1] = {1, "biblioteca", sessione.PercorsoPatch + "BIBLIO\\", "biblio.txt", "talbib"};
    sessione.Aree[2] = {2, "opentalvo", sessione.PercorsoPatch + "OTV\\", "otv.txt", "OpenTalvo"};
  }

  void Lista(const std::string& lista, const std::string& testo, const std::vector<std::string>& file) {
    InstallazioneDiProva::Scrivi(installazione.Patch(lista), testo);
    const std::string cartella = lista.substr(0, lista.find('\\') + 1);
    for (const std::string& nome : file)
      InstallazioneDiProva::Scrivi(installazione.Patch(cartella + nome), "nuovo " + nome);
  }
  std::string Radice() const { return installazione.Radice('E') + "TALVO\\"; }
  std::string Bin(const std::string& area) const { return Radice() + "APP\\" + area + "\\PRG\\BIN\\"; }

  EsitoAggiornamento Esegui(std::vector<StatoArea> stati = {StatoArea::Installata, StatoArea::Installata,
                                                            StatoArea::Installata}) {
    return Aggiorna(sessione, desktop, righe, Radice(), stati);
  }

  InstallazioneDiProva installazione;
  test::FakeDesktop desktop;
  Registratore righe;
};

TEST_F(AggiornamentoTest, ACompleteRunCopiesEveryAreaAndRecordsTheRelease) {
  ASSERT_EQ(Esegui(), EsitoAggiornamento::Completo);

  EXPECT_EQ(LeggiFile(Bin("alu") + "anagrafe.exe"), "nuovo anagrafe.exe");
  EXPECT_EQ(LeggiFile(Bin("alu") + "anagrafe.exe.old"), "anagrafe installato");
  EXPECT_EQ(LeggiFile(Bin("alu") + "nuovo.dll"), "nuovo nuovo.dll");
  EXPECT_EQ(LeggiFile("C:\\OpenTalvo\\BIN\\otv.exe"), "nuovo otv.exe");
  EXPECT_EQ(righe.righe, std::vector<Riga>(3, Riga{"AREA AGGIORNATA", "100%"}));
  EXPECT_EQ(righe.eventi,
            (std::vector<std::string>{"eventi", "clessidra", "eventi", "eventi", "eventi", "eventi", "eventi",
                                      "normale", "dischi disabilitati", "aggiorna disabilitato"}));
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0],
            (test::MessaggioMostrato{"Aggiornamento terminato con successo", "SetupTalvo",
                                     IconaMessaggio::Informazione, PulsantiMessaggio::Ok}));
  EXPECT_EQ(LeggiIni(sessione.FileSysIni, "Application", "AppVer"), "2013/2");
  EXPECT_EQ(LeggiFile(Radice() + "sys\\vtrcntrl.ini"), "2013/2\r\n");
  const std::vector<std::string> log = Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], "Funzione: CmdAggiorna Descrizione: Trovata riga vuota nel file" +
                        installazione.Patch("ALUNNI\\alunni.txt") + " ESITO OK");
  EXPECT_EQ(log[1].rfind("Funzione: Aggiorna Descrizione: Aggiornamento concluso", 0), 0u) << log[1];
}

TEST_F(AggiornamentoTest, TheSummaryNamesTheAreasNotUpdated) {
  Lista("BIBLIO\\biblio.txt", "\r\n  \r\n", {});
  ASSERT_EQ(Esegui({StatoArea::NonInstallata, StatoArea::Installata, StatoArea::NonPrevista}),
            EsitoAggiornamento::Completo);
  EXPECT_EQ(
      righe.righe,
      (std::vector<Riga>{{"-", "0%"}, {"nessun aggiornamento incluso nella patch", "100%"}, {"-", "0%"}}));
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(
      desktop.Messaggi[0],
      (test::MessaggioMostrato{"Aggiornamento terminato \r\nLe Seguenti Aree Non sono state Aggiornate\r\n"
                               "ALUNNI - Motivo -> NON INSTALLATA\r\n"
                               "BIBLIOTECA - Motivo -> nessun aggiornamento incluso nella patch\r\n"
                               "OPENTALVO - Motivo -> Agg.to non previsto\r\n",
                               "SetupTalvo", IconaMessaggio::Esclamazione, PulsantiMessaggio::Ok}));
  const std::vector<std::string> log = Log();
  EXPECT_EQ(log.at(2),
            "Funzione: Resoconto Aggiornamento Descrizione: ALUNNI - Motivo -> NON INSTALLATA AVVISO");
  EXPECT_EQ(LeggiFile(Bin("alu") + "anagrafe.exe"), "anagrafe installato");

  // A patch that does not install OpenTalvo leaves it out of the summary.
  test::FakeDesktop schermo;
  sessione.InstallaOpenTalvo = "NO";
  Aggiorna(sessione, schermo, righe, Radice(),
           {StatoArea::Installata, StatoArea::Installata, StatoArea::NonPrevista});
  ASSERT_EQ(schermo.Messaggi.size(), 1u);
  EXPECT_EQ(schermo.Messaggi[0].Testo,
            "Aggiornamento terminato \r\nLe Seguenti Aree Non sono state Aggiornate\r\n"
            "BIBLIOTECA - Motivo -> nessun aggiornamento incluso nella patch\r\n");
}

TEST_F(AggiornamentoTest, OnlyOrdinaryNumericReleasesAreRecorded) {
  struct Caso {
    const char* release;
    const char* appVer;  // what System.ini holds afterwards
    bool marcatura;
  };
  for (const Caso& caso : {Caso{"2005/1", "2005/1", true}, Caso{"2099/1", "2013/1", false},
                           Caso{"9000", "2013/1", false}, Caso{"VTR5/1", "2013/1", false}}) {
    SCOPED_TRACE(caso.release);
    ScriviIni(sessione.FileSysIni, "Application", "AppVer", "2013/1");
    ScriviIni(sessione.FileSetupPBD(), "NUOVAVERSIONE", "Versione", caso.release);
    test::Elimina(Radice() + "sys\\vtrcntrl.ini");
    sessione.NuovaVersione = caso.release;
    SvuotaLog();
    ASSERT_EQ(Esegui(), EsitoAggiornamento::Completo);
    EXPECT_EQ(LeggiIni(sessione.FileSysIni, "Application", "AppVer"), caso.appVer);
    EXPECT_EQ(test::EsisteFile(Radice() + "sys\\vtrcntrl.ini"), caso.marcatura);
  }
  EXPECT_EQ(Log().at(1),
            "Funzione: Aggiorna Descrizione: Versione non numerica, non registrata: VTR5/1 AVVISO");
}

TEST_F(AggiornamentoTest, ADestinationHeldInTheThirdAreaRefusesTheRunBeforeAnyChange) {
  {
    test::FileBloccato bloccato("C:\\OpenTalvo\\BIN\\otv.exe");
    ASSERT_EQ(Esegui(), EsitoAggiornamento::Rifiutato);
  }
  EXPECT_EQ(LeggiFile(Bin("alu") + "anagrafe.exe"), "anagrafe installato");
  EXPECT_FALSE(test::EsisteFile(Bin("alu") + "anagrafe.exe.old"));
  EXPECT_FALSE(test::EsisteFile(Bin("alu") + "nuovo.dll"));
  EXPECT_EQ(LeggiFile(Bin("bib") + "prestiti.exe"), "prestiti installato");
  EXPECT_EQ(LeggiFile("C:\\OpenTalvo\\BIN\\otv.exe"), "otv installato");
  EXPECT_FALSE(test::EsisteFile("C:\\OpenTalvo\\BIN\\otv.exe.old"));
  EXPECT_EQ(righe.righe, std::vector<Riga>(3));  // the rows show what they showed before
  EXPECT_EQ(desktop.Identita, std::vector<IdMessaggio>{IdMessaggio::VerificaFallita});
  EXPECT_NE(desktop.Messaggi[0].Testo.find("C:\\OpenTalvo\\BIN\\otv.exe"), std::string::npos);
  EXPECT_EQ(Log(), std::vector<std::string>{
                       "Funzione: Verifica preliminare codice errore: 70 Descrizione: File in uso "
                       "da un altro programma: C:\\OpenTalvo\\BIN\\otv.exe FALLITO"});
  EXPECT_EQ(LeggiIni(sessione.FileSysIni, "Application", "AppVer"), "2013/1");
  EXPECT_EQ(righe.eventi, (std::vector<std::string>{"eventi", "clessidra", "normale"}));
}

TEST_F(AggiornamentoTest, AFailureTheChecksCannotForeseePutsBackEveryAreaAndMarksTheirRows) {
  // Another program takes the third area's destination once the run has started its first area.
  std::unique_ptr<test::FileBloccato> bloccato;
  righe.agliEventi = [&](int n) {
    if (n == 2) bloccato = std::make_unique<test::FileBloccato>("C:\\OpenTalvo\\BIN\\otv.exe");
  };
  ASSERT_EQ(Esegui(), EsitoAggiornamento::Fallito);
  ASSERT_TRUE(bloccato);
  bloccato.reset();
  EXPECT_EQ(LeggiFile(Bin("alu") + "anagrafe.exe"), "anagrafe installato");
  EXPECT_FALSE(test::EsisteFile(Bin("alu") + "nuovo.dll"));
  EXPECT_EQ(LeggiFile(Bin("bib") + "prestiti.exe"), "prestiti installato");
  EXPECT_EQ(LeggiFile("C:\\OpenTalvo\\BIN\\otv.exe"), "otv installato");
  EXPECT_EQ(righe.righe, std::vector<Riga>(3, Riga{"AREA RIPRISTINATA", "0%"}));
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0].Testo, "Ripristino in corso dei file sovrascritti");
  EXPECT_EQ(LeggiIni(sessione.FileSysIni, "Application", "AppVer"), "2013/1");
  EXPECT_FALSE(test::EsisteFile(Radice() + "sys\\vtrcntrl.ini"));
  EXPECT_EQ(righe.eventi.back(), "aggiorna disabilitato");
  // Everything was put back: nothing is left for the next start.
  EXPECT_FALSE(test::EsisteFile(Giornale));
}

TEST_F(AggiornamentoTest, AFailureInTheMiddleOfAListPutsBackTheLinesBeforeAndLeavesTheLinesAfter) {
  // Lines in a row are recorded together before any of them is copied: the failure of the
  // second must still leave the first put back and the third as it was.
  Lista("ALUNNI\\alunni.txt",
        "anagrafe.exe|APP\\ALU\\PRG\\BIN\\\r\nbloccato.exe|APP\\ALU\\PRG\\BIN\\\r\n"
        "terzo.exe|APP\\ALU\\PRG\\BIN\\\r\nnuovo.dll|APP\\ALU\\PRG\\BIN\\\r\n",
        {"anagrafe.exe", "bloccato.exe", "terzo.exe", "nuovo.dll"});
  InstallazioneDiProva::Scrivi(Bin("alu") + "bloccato.exe", "bloccato installato");
  InstallazioneDiProva::Scrivi(Bin("alu") + "terzo.exe", "terzo installato");
  std::optional<test::FileBloccato> bloccato;
  righe.agliEventi = [&](int n) {
    if (n == 2) bloccato.emplace(Bin("alu") + "bloccato.exe");
  };
  ASSERT_EQ(Esegui(), EsitoAggiornamento::Fallito);
  bloccato.reset();
  EXPECT_EQ(LeggiFile(Bin("alu") + "anagrafe.exe"), "anagrafe installato");
  EXPECT_FALSE(test::EsisteFile(Bin("alu") + "anagrafe.exe.old"));
  EXPECT_EQ(LeggiFile(Bin("alu") + "bloccato.exe"), "bloccato installato");
  EXPECT_EQ(LeggiFile(Bin("alu") + "terzo.exe"), "terzo installato");
  EXPECT_FALSE(test::EsisteFile(Bin("alu") + "terzo.exe.old"));
  EXPECT_FALSE(test::EsisteFile(Bin("alu") + "nuovo.dll"));
  EXPECT_EQ(righe.righe[0], (Riga{"AREA RIPRISTINATA", "0%"}));
  // The log names the failing line, and no line after it.
  EXPECT_NE(Log().back().find("Funzione: CopiaFile  codice errore"), std::string::npos);
  EXPECT_NE(Log().back().find(Radice() + "APP\\ALU\\PRG\\BIN\\bloccato.exe"), std::string::npos);
  EXPECT_FALSE(test::EsisteFile(Giornale));
}

TEST_F(AggiornamentoTest, TheJournalFollowsTheAreaStepAndGoesWithACompleteRun) {
  // A fixed list's file is backed up but never put back, so it is not in the journal.
  InstallazioneDiProva::Scrivi(installazione.Patch("SQL\\ListaSQL.txt"), "nuova.sql|SYS\\SQL\\\r\n");
  InstallazioneDiProva::Scrivi(installazione.Patch("SQL\\nuova.sql"), "nuova");
  InstallazioneDiProva::CreaCartella(Radice() + "SYS\\SQL");
  ASSERT_EQ(Esegui(), EsitoAggiornamento::Completo);

  EXPECT_EQ(LeggiFile(Radice() + "SYS\\SQL\\nuova.sql"), "nuova");
  // When the third area starts, the first two areas' entries with each step they went through.
  ASSERT_EQ(righe.giornali.size(), 6u);
  EXPECT_EQ(righe.giornali[0], "-");
  EXPECT_EQ(righe.giornali[1], "SetupTalvo giornale 1\r\n");
  const std::string alu = Radice() + "APP\\ALU\\PRG\\BIN\\";  // as the lists name the folders
  const std::string bib = Radice() + "APP\\BIB\\PRG\\BIN\\";
  EXPECT_EQ(righe.giornali[5],
            "SetupTalvo giornale 1\r\n"
            "0|E|0|" +
                alu +
                "anagrafe.exe.old\r\n"
                "0|ER|0|" +
                alu +
                "anagrafe.exe.old\r\n"
                "0|ERC|0|" +
                alu +
                "anagrafe.exe.old\r\n"
                "1|-|0|" +
                alu +
                "nuovo.dll.old\r\n"
                "1|C|0|" +
                alu +
                "nuovo.dll.old\r\n"
                "2|E|1|" +
                bib +
                "prestiti.exe.old\r\n"
                "2|ER|1|" +
                bib +
                "prestiti.exe.old\r\n"
                "2|ERC|1|" +
                bib + "prestiti.exe.old\r\n");
  EXPECT_FALSE(test::EsisteFile(Giornale));
}

TEST_F(AggiornamentoTest, AFileTheRestoreCannotPutBackStaysInTheJournalForTheNextStart) {
  // The third area fails on a locked file; meanwhile another program has opened a file the first
  // area added, so the restore cannot delete it.
  // Both are taken after the checks before the run passed, which they would have refused.
  std::optional<test::FileBloccato> aperto;
  std::optional<test::FileBloccato> bloccato;
  righe.agliEventi = [&](int n) {
    if (n == 2) bloccato.emplace("C:\\OpenTalvo\\BIN\\otv.exe");
    if (n == 5) aperto.emplace(Bin("alu") + "nuovo.dll");  // the third area starts
  };
  ASSERT_EQ(Esegui(), EsitoAggiornamento::Fallito);
  bloccato.reset();
  ASSERT_TRUE(aperto.has_value());
  EXPECT_EQ(LeggiFile(Bin("alu") + "anagrafe.exe"), "anagrafe installato");
  EXPECT_EQ(LeggiFile(Bin("bib") + "prestiti.exe"), "prestiti installato");
  EXPECT_EQ(LeggiFile("C:\\OpenTalvo\\BIN\\otv.exe"), "otv installato");
  EXPECT_TRUE(test::EsisteFile(Bin("alu") + "nuovo.dll"));
  EXPECT_EQ(Log().back(),
            "Funzione: Ripristino File codice errore: 70 Descrizione: Autorizzazione negata FALLITO");
  EXPECT_EQ(LeggiFile(Giornale),
            "SetupTalvo giornale 1\r\n1|C|0|" + Radice() + "APP\\ALU\\PRG\\BIN\\nuovo.dll.old\r\n");

  // At the next start the file is free again.
  aperto.reset();
  EXPECT_EQ(LeggiFile(Bin("alu") + "nuovo.dll"), "nuovo nuovo.dll");
  EXPECT_EQ(RiproduciGiornale(sessione, desktop), EsitoGiornale::Ripristinato);
  EXPECT_FALSE(test::EsisteFile(Bin("alu") + "nuovo.dll"));
  EXPECT_FALSE(test::EsisteFile(Giornale));
}

TEST_F(AggiornamentoTest, ARunDoesNotStartOverAJournalLeftBehind) {
  const std::string lasciato = "SetupTalvo giornale 1\r\n0|ERC|0|" + Bin("alu") + "anagrafe.exe.old\r\n";
  test::ScriviFile(Giornale, lasciato);
  ASSERT_EQ(Esegui(), EsitoAggiornamento::Fallito);
  EXPECT_EQ(LeggiFile(Giornale), lasciato);
  EXPECT_EQ(LeggiFile(Bin("alu") + "anagrafe.exe"), "anagrafe installato");
  EXPECT_FALSE(test::EsisteFile(Bin("alu") + "anagrafe.exe.old"));
  EXPECT_EQ(Log(), std::vector<std::string>{
                       "Funzione: Giornale codice errore: 58 Descrizione: Impossibile creare il "
                       "giornale c:\\SetupTalvo.journal: File già esistente FALLITO"});
}

TEST_F(AggiornamentoTest, AListThatCannotBeReadRefusesTheRunAndOneThatVanishesMidRunFailsIt) {
  test::Elimina(installazione.Patch("RIN\\ListaRIN.txt"));
  ASSERT_EQ(Esegui(), EsitoAggiornamento::Rifiutato);
  EXPECT_EQ(righe.righe, std::vector<Riga>(3));  // no area was touched
  EXPECT_EQ(Log(), std::vector<std::string>{"Funzione: Verifica preliminare codice errore: 53 Descrizione: "
                                            "Impossibile aprire il file " +
                                            installazione.Patch("RIN\\ListaRIN.txt") + " FALLITO"});
  EXPECT_EQ(LeggiFile(Bin("alu") + "anagrafe.exe"), "anagrafe installato");

  // The checks found the list; it is gone when the run reaches its area.
  installazione.CreaListeFisse();
  SvuotaLog();
  Registratore altre;
  altre.agliEventi = [&](int n) {
    if (n == 2) test::Elimina(installazione.Patch("BIBLIO\\biblio.txt"));
  };
  ASSERT_EQ(Aggiorna(sessione, desktop, altre, Radice(),
                     {StatoArea::Installata, StatoArea::Installata, StatoArea::Installata}),
            EsitoAggiornamento::Fallito);
  EXPECT_EQ(altre.righe, (std::vector<Riga>{{"AREA RIPRISTINATA", "0%"}, {"AREA RIPRISTINATA", "0%"}, {}}));
  EXPECT_EQ(LeggiFile(Bin("alu") + "anagrafe.exe"), "anagrafe installato");
  EXPECT_EQ(Log().back(), "Funzione: CmdAggiorna codice errore: 53 Descrizione: Impossibile aprire il file " +
                              installazione.Patch("BIBLIO\\biblio.txt") + " FALLITO");
}

}  // namespace
}  // namespace talvo
