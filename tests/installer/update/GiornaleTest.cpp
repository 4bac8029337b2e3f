// The journal's lines and file: each entry state through its line and back, the last line of an
// entry winning, a line a crash cut off, lines not understood, and the open journal over real
// files (a new journal only, entries as the run goes, put back, closed, reopened after a crash).
// Also the crash point named by the environment.
#include <gtest/gtest.h>
#include <windows.h>

#include "FileDiProva.h"
#include "core/ErroreRuntime.h"
#include "update/Giornale.h"
#include "update/PuntoCrash.h"

namespace talvo {

void PrintTo(const VoceGiornale& voce, std::ostream* os) { *os << RigaGiornale(voce); }

namespace {

using test::LeggiFile;
using test::ScriviFile;

const std::string Intestazione = "SetupTalvo giornale 1\r\n";

VoceGiornale Voce(std::size_t numero, const std::string& backup, int area, bool esisteva, bool rinominato,
                  bool copia, bool ripristinata = false) {
  VoceGiornale voce;
  voce.Numero = numero;
  voce.Voce = FileSovrascritto{backup, area, esisteva, rinominato, copia};
  voce.Ripristinata = ripristinata;
  return voce;
}

TEST(FormatoGiornale, EveryEntryStateRoundTripsThroughItsLine) {
  struct Caso {
    VoceGiornale voce;
    const char* riga;
  };
  const Caso casi[] = {
      {Voce(0, "E:\\TALVO\\a.dll.old", 0, true, false, false), "0|E|0|E:\\TALVO\\a.dll.old"},
      {Voce(1, "E:\\TALVO\\a.dll.old", 2, true, true, false), "1|ER|2|E:\\TALVO\\a.dll.old"},
      {Voce(2, "E:\\TALVO\\a.dll.old", 2, true, true, true), "2|ERC|2|E:\\TALVO\\a.dll.old"},
      {Voce(3, "C:\\Dati utente\\b.dll.old", 1, false, false, true), "3|C|1|C:\\Dati utente\\b.dll.old"},
      {Voce(4, "E:\\x.dll.old", 0, true, false, true), "4|EC|0|E:\\x.dll.old"},
      {Voce(5, "E:\\x.dll.old", 0, false, false, false), "5|-|0|E:\\x.dll.old"},
      {Voce(6, "E:\\Più\tspazi .old", 32767, true, true, true, true), "6|ERCP|32767|E:\\Più\tspazi .old"},
      {Voce(123456, "E:\\S1.SYB.old", 3, true, true, true, true), "123456|ERCP|3|E:\\S1.SYB.old"},
  };
  std::string testo = Intestazione;
  std::vector<VoceGiornale> attese;
  for (const Caso& caso : casi) {
    EXPECT_EQ(RigaGiornale(caso.voce), caso.riga);
    testo += std::string(caso.riga) + "\r\n";
    attese.push_back(caso.voce);
  }
  const ContenutoGiornale letto = AnalizzaGiornale(testo);
  EXPECT_TRUE(letto.Riconosciuto);
  EXPECT_FALSE(letto.Completato);
  EXPECT_EQ(letto.RigheIgnorate, 0u);
  EXPECT_EQ(letto.Voci, attese);
}

TEST(FormatoGiornale, TheLastCompleteLineOfAnEntryWinsAndALineCutOffIsIgnored) {
  const std::string testo = Intestazione +
                            "0|E|0|E:\\a.dll.old\r\n"
                            "1|-|0|E:\\b.dll.old\r\n"
                            "0|ER|0|E:\\a.dll.old\r\n"
                            "1|C|0|E:\\b.dll.old\r\n"
                            "0|ERC|0|E:\\a.dll.old\r";  // cut off before its LF
  const ContenutoGiornale letto = AnalizzaGiornale(testo);
  EXPECT_EQ(letto.Voci, (std::vector<VoceGiornale>{Voce(0, "E:\\a.dll.old", 0, true, true, false),
                                                   Voce(1, "E:\\b.dll.old", 0, false, false, true)}));
  EXPECT_EQ(letto.RigheIgnorate, 0u);
  // A journal cut off inside its first line holds nothing yet.
  EXPECT_TRUE(AnalizzaGiornale("SetupTalvo gio").Riconosciuto);
  EXPECT_TRUE(AnalizzaGiornale("SetupTalvo gio").Voci.empty());
  EXPECT_TRUE(AnalizzaGiornale("").Voci.empty());
  EXPECT_TRUE(AnalizzaGiornale(Intestazione + "0|E|0|E:\\a.dll.old\r\ncompletato\r\n").Completato);
  EXPECT_FALSE(AnalizzaGiornale(Intestazione + "0|E|0|E:\\a.dll.old\r\ncomplet").Completato);
}

TEST(FormatoGiornale, LinesNotUnderstoodAreCountedAndLeftOut) {
  for (const char* riga : {
           "x|E|0|E:\\a.dll.old",   // not a number
           "1|EZ|0|E:\\a.dll.old",  // unknown flag
           "1|RE|0|E:\\a.dll.old",  // flags out of order
           "1|EE|0|E:\\a.dll.old",  // a flag twice
           "1||0|E:\\a.dll.old",    // no flags, not even "-"
           "1|E|-1|E:\\a.dll.old",  // area out of range
           "1|E|40000|E:\\a.dll.old",
           "1|E|0|.old",             // no destination
           "1|E|0|E:\\a|b.dll.old",  // a path never holds the separator
           "1|E|0",
           "",
           "\x1a\x1a",
       }) {
    SCOPED_TRACE(riga);
    const ContenutoGiornale letto = AnalizzaGiornale(Intestazione + riga + "\r\n0|E|0|E:\\a.dll.old\r\n");
    EXPECT_EQ(letto.RigheIgnorate, 1u);
    EXPECT_EQ(letto.Voci, std::vector<VoceGiornale>{Voce(0, "E:\\a.dll.old", 0, true, false, false)});
  }
  // A file whose first line is not the journal's is not read at all.
  const ContenutoGiornale estraneo = AnalizzaGiornale("[Application]\r\n0|E|0|E:\\a.dll.old\r\n");
  EXPECT_FALSE(estraneo.Riconosciuto);
  EXPECT_TRUE(estraneo.Voci.empty());
}

class GiornaleSuDisco : public ::testing::Test {
 protected:
  std::string Backup(const std::string& nome) const { return cartella / (nome + ".old"); }

  test::CartellaTemporanea cartella;
  const std::string percorso = cartella / "SetupTalvo.journal";
};

TEST_F(GiornaleSuDisco, ARunStartsANewJournalAndAppendsEachStepOfItsEntries) {
  {
    Giornale giornale = Giornale::Crea(percorso);
    EXPECT_EQ(LeggiFile(percorso), Intestazione);
    // A journal left behind holds what another run must put back: never replaced.
    try {
      Giornale::Crea(percorso);
      ADD_FAILURE() << "a second journal replaced the first";
    } catch (const ErroreRuntime& e) {
      EXPECT_EQ(e.Numero(), NumeroErrore::FileGiaEsistente);
    }

    FileSovrascritto a{Backup("a"), 1, true};
    FileSovrascritto b{Backup("b"), 1, false};
    FileSovrascritto c{Backup("c"), 2, true};
    giornale.Registra(0, a);
    giornale.Registra(1, b);
    giornale.Registra(2, c);
    a.Rinominato = true;
    giornale.Rinominata(0, a);
    a.CopiaIniziata = b.CopiaIniziata = true;
    giornale.Copiata(0, a);
    giornale.Copiata(1, b);
    giornale.Rinominata(7, a);  // never recorded: left out
    // A path the journal cannot hold is refused before anything is written.
    try {
      giornale.Registra(3, FileSovrascritto{cartella / "a|b.old", 2, true});
      ADD_FAILURE() << "a path with the separator was written";
    } catch (const ErroreRuntime& e) {
      EXPECT_EQ(e.Numero(), NumeroErrore::NomeFileNonValido);
    }

    const std::string atteso = Intestazione + "0|E|1|" + Backup("a") + "\r\n1|-|1|" + Backup("b") +
                               "\r\n2|E|2|" + Backup("c") + "\r\n0|ER|1|" + Backup("a") + "\r\n0|ERC|1|" +
                               Backup("a") + "\r\n1|C|1|" + Backup("b") + "\r\n";
    EXPECT_EQ(LeggiFile(percorso), atteso);
    EXPECT_EQ(giornale.Contenuto().Voci, AnalizzaGiornale(atteso).Voci);
    giornale.Completa();
    EXPECT_FALSE(giornale.Aperto());
  }
  EXPECT_FALSE(test::EsisteFile(percorso));
}

TEST_F(GiornaleSuDisco, ClosingKeepsOnlyTheEntriesNotPutBack) {
  Giornale giornale = Giornale::Crea(percorso);
  giornale.Registra(0, FileSovrascritto{Backup("a"), 0, true, true, true});
  giornale.Registra(1, FileSovrascritto{Backup("b"), 0, false, false, true});
  giornale.Registra(2, FileSovrascritto{Backup("c"), 1, true, true, true});
  giornale.Ripristinata(0);
  giornale.Ripristinata(2);
  giornale.Ripristinata(9);  // not in the journal: left out
  EXPECT_EQ(LeggiFile(percorso), Intestazione + "0|ERC|0|" + Backup("a") + "\r\n1|C|0|" + Backup("b") +
                                     "\r\n2|ERC|1|" + Backup("c") + "\r\n0|ERCP|0|" + Backup("a") +
                                     "\r\n2|ERCP|1|" + Backup("c") + "\r\n");
  EXPECT_EQ(giornale.Chiudi(), 1u);
  EXPECT_EQ(LeggiFile(percorso), Intestazione + "1|C|0|" + Backup("b") + "\r\n");
  EXPECT_FALSE(test::EsisteFile(percorso + ".nuovo"));

  Giornale riaperto = Giornale::Riapri(percorso);
  ASSERT_EQ(riaperto.Contenuto().Voci.size(), 1u);
  riaperto.Ripristinata(1);
  EXPECT_EQ(riaperto.Chiudi(), 0u);
  EXPECT_FALSE(test::EsisteFile(percorso));
}

TEST_F(GiornaleSuDisco, ReopeningCutsOffALineACrashLeftIncomplete) {
  ScriviFile(percorso, Intestazione + "0|E|0|" + Backup("a") + "\r\n0|ER|0|" + Backup("a").substr(0, 5));
  Giornale giornale = Giornale::Riapri(percorso);
  EXPECT_EQ(giornale.Contenuto().Voci,
            std::vector<VoceGiornale>{Voce(0, Backup("a"), 0, true, false, false)});
  giornale.Ripristinata(0);
  EXPECT_EQ(LeggiFile(percorso),
            Intestazione + "0|E|0|" + Backup("a") + "\r\n0|EP|0|" + Backup("a") + "\r\n");

  // A journal cut off inside its first line starts again with it.
  ScriviFile(cartella / "vuoto.journal", "SetupTal");
  Giornale vuoto = Giornale::Riapri(cartella / "vuoto.journal");
  EXPECT_TRUE(vuoto.Contenuto().Voci.empty());
  EXPECT_EQ(LeggiFile(cartella / "vuoto.journal"), Intestazione);
}

TEST_F(GiornaleSuDisco, AFileThatIsNotAJournalIsLeftAsItIs) {
  const std::string estraneo = "[Application]\r\nAppVer=2013/1\r\n";
  ScriviFile(percorso, estraneo);
  Giornale giornale = Giornale::Riapri(percorso);
  EXPECT_FALSE(giornale.Contenuto().Riconosciuto);
  EXPECT_FALSE(giornale.Aperto());
  EXPECT_EQ(giornale.Chiudi(), 0u);
  EXPECT_EQ(LeggiFile(percorso), estraneo);
}

TEST(PuntoCrash, TheVariableNamesAnEventAndAFile) {
  struct Caso {
    const char* valore;
    EventoCrash evento;
    std::size_t file;
  };
  for (const Caso& caso :
       {Caso{"voce", EventoCrash::Voce, 1}, Caso{"rinomina:3", EventoCrash::Rinomina, 3},
        Caso{"copia:12", EventoCrash::Copia, 12}, Caso{"ripristino:2", EventoCrash::Ripristino, 2}}) {
    SCOPED_TRACE(caso.valore);
    const std::optional<PuntoCrash> punto = PuntoCrash::Analizza(caso.valore);
    ASSERT_TRUE(punto.has_value());
    EXPECT_TRUE(punto->Attivo());
    EXPECT_EQ(punto->Evento(), caso.evento);
    EXPECT_EQ(punto->File(), caso.file);
  }
  for (const char* valore :
       {"", "voce:", "voce:0", "voce:x", "voce:-1", "copia:3:4", "Voce", "crash", " voce"}) {
    SCOPED_TRACE(valore);
    EXPECT_FALSE(PuntoCrash::Analizza(valore).has_value());
  }
  // Unset, the point is inert.
  ::SetEnvironmentVariableA("TALVO_PUNTO_CRASH", nullptr);
  EXPECT_FALSE(PuntoCrash::DaAmbiente().Attivo());
  ::SetEnvironmentVariableA("TALVO_PUNTO_CRASH", "rinomina:4");
  const PuntoCrash letto = PuntoCrash::DaAmbiente();
  ::SetEnvironmentVariableA("TALVO_PUNTO_CRASH", nullptr);
  EXPECT_TRUE(letto.Attivo());
  EXPECT_EQ(letto.File(), 4u);
  // Any other event or file goes by.
  letto.Verifica(EventoCrash::Rinomina, 3);
  letto.Verifica(EventoCrash::Copia, 4);
}

}  // namespace
}  // namespace talvo
