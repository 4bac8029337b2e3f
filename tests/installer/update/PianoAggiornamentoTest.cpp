// The plan of a run against what the run then does to the same installation, and the plan's
// failures where the run would fail.
#include "update/PianoAggiornamento.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "FileDiProva.h"
#include "PatchCompleta.h"
#include "core/Testo.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;
using test::LeggiFile;

class PianoAggiornamentoTest : public test::PatchCompleta {};

struct Voce {
  OperazionePiano operazione;
  std::string lista;
  std::string sorgente;
  std::string destinazione;
  bool assoluta;

  bool operator==(const Voce& altra) const {
    return operazione == altra.operazione && lista == altra.lista && sorgente == altra.sorgente &&
           destinazione == altra.destinazione && assoluta == altra.assoluta;
  }
};

void PrintTo(const Voce& voce, std::ostream* os) {
  *os << "{" << static_cast<int>(voce.operazione) << ", " << voce.lista << ", " << voce.sorgente << " -> "
      << voce.destinazione << (voce.assoluta ? ", assoluta}" : "}");
}

std::vector<Voce> Voci(const PianoAggiornamento& piano) {
  std::vector<Voce> voci;
  for (const VocePiano& v : piano.Voci)
    voci.push_back({v.Operazione, v.Lista, v.Sorgente, v.Destinazione, v.CartellaAssoluta});
  return voci;
}

TEST_F(PianoAggiornamentoTest, ThePlanListsEveryLineThatWouldActWithItsResolvedDestination) {
  const PianoAggiornamento piano = PreparaPiano(sessione, Radice(), Stati());
  ASSERT_TRUE(piano.Completo) << piano.Errore;
  const std::string alunni = Patch("ALUNNI\\");
  EXPECT_EQ(
      Voci(piano),
      (std::vector<Voce>{
          {OperazionePiano::Sostituisce, "ATT", Patch("ATT\\a_att.exe"),
           Radice() + "app\\att\\PRG\\BIN\\a_att.exe", false},
          {OperazionePiano::Copia, "SQL", Patch("SQL\\nuovo.sql"), Radice() + "SYS\\SQL\\nuovo.sql", false},
          {OperazionePiano::Rinomina, "RIN", Radice() + "SYS\\vecchio.dmg", Radice() + "SYS\\oldvecchio.old",
           false},
          {OperazionePiano::CopiaArea, "alunni", alunni + "anagrafe.exe",
           Radice() + "APP\\ALU\\PRG\\BIN\\anagrafe.exe", false},
          {OperazionePiano::CopiaArea, "alunni", alunni + "nuovo.dll",
           Radice() + "APP\\ALU\\PRG\\BIN\\nuovo.dll", false},
          // The folder is missing: the file goes into the program folder.
          {OperazionePiano::CopiaArea, "alunni", alunni + "guida.txt", Bin("alu") + "guida.txt", false},
          {OperazionePiano::CopiaArea, "alunni", alunni + "assoluto.txt", Altrove() + "assoluto.txt", true},
          {OperazionePiano::Archivio, "alunni", alunni + "cong.mdb", "c:\\pre1996\\cong.mdb", false},
          {OperazionePiano::CopiaArea, "biblioteca", Patch("BIBLIO\\prestiti.exe"),
           Radice() + "APP\\BIB\\PRG\\BIN\\prestiti.exe", false},
          {OperazionePiano::CopiaArea, "opentalvo", Patch("OTV\\otv.exe"), "C:\\OpenTalvo\\BIN\\otv.exe",
           false},
          {OperazionePiano::Nessuna, "iscrizioni", Patch("ISCR\\iscritti.exe"), "", false},
      }));
  EXPECT_EQ(piano.Righe, (std::vector<int>{5, 1, 1, 1}));
  EXPECT_EQ(piano.Stati, Stati());
  EXPECT_EQ(piano.Release, "2013/2");
}

TEST_F(PianoAggiornamentoTest, EveryFileTheRunChangesIsInThePlanAndEveryPlannedFileIsWritten) {
  const std::map<std::string, std::string> prima = Fotografia();
  const PianoAggiornamento piano = PreparaPiano(sessione, Radice(), Stati());
  ASSERT_EQ(Fotografia(), prima) << "the plan changed a file";
  ASSERT_EQ(Esegui(), EsitoAggiornamento::Completo);
  const std::map<std::string, std::string> dopo = Fotografia();

  std::set<std::string> ammessi = {Minuscolo(Radice() + "SYS\\System.ini"),
                                   Minuscolo(Radice() + "sys\\vtrcntrl.ini")};
  std::set<std::string> copiatiNelleAree;
  for (const VocePiano& voce : piano.Voci) {
    const std::string destinazione = Minuscolo(voce.Destinazione);
    switch (voce.Operazione) {
      case OperazionePiano::Nessuna: break;
      case OperazionePiano::Rinomina:
        ammessi.insert({Minuscolo(voce.Sorgente), destinazione});
        EXPECT_EQ(dopo.count(Minuscolo(voce.Sorgente)), 0u) << voce.Sorgente;
        EXPECT_EQ(dopo.at(destinazione), prima.at(Minuscolo(voce.Sorgente)));
        break;
      case OperazionePiano::CopiaArea: copiatiNelleAree.insert(destinazione); [[fallthrough]];
      default:
        ammessi.insert({destinazione, destinazione + ".old"});
        ASSERT_EQ(dopo.count(destinazione), 1u) << voce.Destinazione << " was not written";
        EXPECT_EQ(dopo.at(destinazione), LeggiFile(voce.Sorgente)) << voce.Destinazione;
    }
  }
  for (const auto& [percorso, contenuto] : dopo) {
    const auto trovato = prima.find(percorso);
    if (trovato == prima.end() || trovato->second != contenuto) {
      EXPECT_EQ(ammessi.count(percorso), 1u) << percorso;
    }
  }
  for (const auto& [percorso, contenuto] : prima) {
    if (dopo.count(percorso) == 0) {
      EXPECT_EQ(ammessi.count(percorso), 1u) << percorso << " removed";
    }
  }
  std::set<std::string> registrati;
  for (const FileSovrascritto& voce : sessione.FileSovrascritti)
    registrati.insert(Minuscolo(voce.Destinazione()));
  EXPECT_EQ(registrati, copiatiNelleAree);
}

TEST_F(PianoAggiornamentoTest, AListThatCannotBeReadOrALineWithoutABarEndsThePlanWhereTheRunWouldFail) {
  struct Caso {
    const char* nome;
    std::function<void()> guasto;
    std::string errore;
    int numero;
    std::size_t voci;  // planned before the failure
  };
  const std::string bar = Patch("BAR\\ListaBAR.txt");
  const std::string otv = Patch("OTV\\otv.txt");
  const Caso casi[] = {
      {"fixed list missing", [&] { test::Elimina(Patch("EXT\\ListaEXT.txt")); },
       "Impossibile aprire il file " + Patch("EXT\\ListaEXT.txt"), 53, 2},
      // A line without "|" fails whatever its list's condition.
      {"fixed line without bar", [&] { InstallazioneDiProva::Scrivi(bar, "senzabarra\r\n"); },
       "Riga senza separatore \"|\" nel file " + bar + ": senzabarra", 9, 1},
      {"area list missing", [&] { test::Elimina(Patch("BIBLIO\\biblio.txt")); },
       "Impossibile aprire il file " + Patch("BIBLIO\\biblio.txt"), 53, 8},
      // A line of tabs is not blank.
      {"area line without bar", [&] { InstallazioneDiProva::Scrivi(otv, "otv.exe|BIN\\\r\n\t\r\n"); },
       "Riga non valida nel file " + otv + ": \t", 9, 10},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.nome);
    SetUp();
    caso.guasto();
    const PianoAggiornamento piano = PreparaPiano(sessione, Radice(), Stati());
    EXPECT_FALSE(piano.Completo);
    EXPECT_EQ(piano.Errore, caso.errore);
    EXPECT_EQ(piano.NumeroErrore, caso.numero);
    EXPECT_EQ(piano.Voci.size(), caso.voci);
    TearDown();
  }
}

TEST_F(PianoAggiornamentoTest, AreasNotInstalledOrNotPlannedAreLeftOutAndRowsMissingCountAsNotInstalled) {
  sessione.NuovaVersione = "2099/1";
  const PianoAggiornamento piano = PreparaPiano(
      sessione, Radice(), {StatoArea::NonInstallata, StatoArea::Installata, StatoArea::NonPrevista});
  ASSERT_TRUE(piano.Completo);
  std::set<std::string> aree;
  for (const VocePiano& voce : piano.Voci) {
    if (voce.Area >= 0) aree.insert(voce.Lista);
  }
  EXPECT_EQ(aree, std::set<std::string>{"biblioteca"});
  EXPECT_EQ(piano.Stati, (std::vector<StatoArea>{StatoArea::NonInstallata, StatoArea::Installata,
                                                 StatoArea::NonPrevista, StatoArea::NonInstallata}));
  EXPECT_EQ(piano.Righe, (std::vector<int>{0, 1, 0, 0}));
  EXPECT_EQ(piano.Release, "");  // from 2099 on nothing is recorded
}

}  // namespace
}  // namespace talvo
