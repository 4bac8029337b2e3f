// The update run over a real installation: the fixed lists, the areas in row order, the summary
// and the release recorded after a complete run, the restore after a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "FileBloccato.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "core/Ini.h"
#include "core/Sessione.h"
#include "update/Aggiornamento.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;
using test::LeggiFile;

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
  // What happens while the run lets the n-th batch of pending events run (n from 1).
  std::function<void(int)> agliEventi;

  void EventiInAttesa() override {
    eventi.push_back("eventi");
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
