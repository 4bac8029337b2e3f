// The checks before a run: each fault found on its own, several named in one message, and a
// refusal that leaves every byte as it was; the free-space arithmetic through its seam.
#include "update/VerificaPreliminare.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "FileBloccato.h"
#include "FileDiProva.h"
#include "PatchCompleta.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;

class VerificaPreliminareTest : public test::PatchCompleta {
 protected:
  // Runs the update and expects it refused with exactly these faults, nothing changed and the
  // rows untouched.
  void EsigeRifiuto(const std::vector<std::string>& difetti) {
    const std::map<std::string, std::string> prima = Fotografia(true);
    SvuotaLog();
    ASSERT_EQ(Esegui(), EsitoAggiornamento::Rifiutato);
    EXPECT_EQ(Fotografia(true), prima);
    EXPECT_EQ(righe.stati, std::vector<std::string>(4, "-"));
    EXPECT_EQ(sessione.FileModificati, 0);
    ASSERT_EQ(desktop.Identita, std::vector<IdMessaggio>{IdMessaggio::VerificaFallita});
    std::string elenco;
    for (const std::string& difetto : difetti) elenco += difetto + "\r\n";
    EXPECT_EQ(desktop.Messaggi[0].Testo,
              "Aggiornamento non eseguito: nessun file è stato modificato.\r\n"
              "I controlli preliminari hanno trovato i seguenti problemi:\r\n" +
                  elenco + "Risolvere i problemi indicati e ripetere l'aggiornamento.");
    const std::vector<std::string> log = Log();
    ASSERT_EQ(log.size(), difetti.size());
    for (std::size_t i = 0; i < log.size(); ++i) {
      EXPECT_EQ(log[i].rfind("Funzione: Verifica preliminare codice errore: ", 0), 0u) << log[i];
      EXPECT_NE(log[i].find(" Descrizione: " + difetti[i] + " FALLITO"), std::string::npos) << log[i];
    }
  }
};

TEST_F(VerificaPreliminareTest, EachFaultAloneRefusesTheRunBeforeAnyChange) {
  struct Caso {
    const char* nome;
    // Breaks the installation or the patch; what it returns lives through the run.
    std::function<std::unique_ptr<test::FileBloccato>()> guasto;
    std::string difetto;
  };
  const std::string prestiti = Radice() + "APP\\BIB\\PRG\\BIN\\prestiti.exe";
  const Caso casi[] = {
      {"source missing from the patch",
       [&] {
         test::Elimina(Patch("ALUNNI\\nuovo.dll"));
         return nullptr;
       },
       "Manca nella patch il file " + Patch("ALUNNI\\nuovo.dll")},
      {"a fixed list's source missing",
       [&] {
         test::Elimina(Patch("SQL\\nuovo.sql"));
         return nullptr;
       },
       "Manca nella patch il file " + Patch("SQL\\nuovo.sql")},
      {"destination held by another program", [&] { return std::make_unique<test::FileBloccato>(prestiti); },
       "File in uso da un altro programma: " + prestiti},
      {"file to rename held by another program",
       [&] { return std::make_unique<test::FileBloccato>(Radice() + "SYS\\vecchio.dmg"); },
       "File in uso da un altro programma: " + Radice() + "SYS\\vecchio.dmg"},
      {"absolute folder missing",
       [&] {
         test::Elimina(Altrove());
         return nullptr;
       },
       "Non esiste la cartella di destinazione del file " + Altrove() + "assoluto.txt"},
      {"list that cannot be read",
       [&] {
         test::Elimina(Patch("RIN\\ListaRIN.txt"));
         return nullptr;
       },
       "Impossibile aprire il file " + Patch("RIN\\ListaRIN.txt")},
      {"area line without a bar",
       [&] {
         InstallazioneDiProva::Scrivi(Patch("BIBLIO\\biblio.txt"), "prestiti.exe\r\n");
         return nullptr;
       },
       "Riga non valida nel file " + Patch("BIBLIO\\biblio.txt") + ": prestiti.exe"},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.nome);
    SetUp();
    desktop = test::FakeDesktop{};
    righe.stati.assign(4, "-");
    {
      const std::unique_ptr<test::FileBloccato> bloccato = caso.guasto();
      EsigeRifiuto({caso.difetto});
    }
    TearDown();
  }
}

TEST_F(VerificaPreliminareTest, OneMessageNamesEveryFaultAndALaterRunGoesAhead) {
  test::Elimina(Patch("OTV\\otv.exe"));
  test::Elimina(Altrove());
  {
    const test::FileBloccato bloccato(Bin("alu") + "anagrafe.exe");
    EsigeRifiuto({"File in uso da un altro programma: " + Radice() + "APP\\ALU\\PRG\\BIN\\anagrafe.exe",
                  "Non esiste la cartella di destinazione del file " + Altrove() + "assoluto.txt",
                  "Manca nella patch il file " + Patch("OTV\\otv.exe")});
  }
  // The person mends the faults and presses the button again.
  InstallazioneDiProva::Scrivi(Patch("OTV\\otv.exe"), "nuovo otv.exe");
  InstallazioneDiProva::CreaCartella(Altrove());
  EXPECT_EQ(Esegui(), EsitoAggiornamento::Completo);
  EXPECT_EQ(test::LeggiFile(Altrove() + "assoluto.txt"), "nuovo assoluto.txt");
}

TEST_F(VerificaPreliminareTest, TheMessageNamesTwentyFiveFaultsAndLeavesTheRestToTheLog) {
  std::vector<Difetto> difetti;
  for (int i = 0; i < 27; ++i) difetti.push_back({"difetto " + std::to_string(i), 53});
  const std::string testo = TestoRifiuto(difetti);
  EXPECT_NE(testo.find("difetto 24\r\n... e altri 2, elencati nel log\r\n"), std::string::npos) << testo;
  EXPECT_EQ(testo.find("difetto 25"), std::string::npos);
}

// Plans by hand over files of known sizes, on drives the seam answers for.
class SpazioTest : public ::testing::Test {
 protected:
  std::string Sorgente(std::size_t byte) {
    const std::string percorso = cartella / ("s" + std::to_string(byte));
    test::ScriviFile(percorso, std::string(byte, 'x'));
    return percorso;
  }
  static VocePiano Copia(const std::string& sorgente, const std::string& destinazione) {
    return {OperazionePiano::CopiaArea, "alunni", 0, sorgente, destinazione, false};
  }

  test::CartellaTemporanea cartella;
};

TEST_F(SpazioTest, EachDriveNeedsTheNewFilesItReceivesAndADestinationWrittenTwiceCountsOnce) {
  PianoAggiornamento piano;
  piano.Voci = {
      Copia(Sorgente(100), "X:\\TALVO\\a.exe"),
      Copia(Sorgente(30), "x:\\talvo\\b.dll"),
      Copia(Sorgente(50), "X:\\TALVO\\A.EXE"),  // written again: the larger file counts
      Copia(Sorgente(7), "\\\\server\\share\\TALVO\\c.ini"),
      {OperazionePiano::Rinomina, "RIN", -1, "Y:\\TALVO\\x.dmg", "Y:\\TALVO\\oldx.old",
       false},  // needs nothing
  };
  std::vector<std::string> chieste;
  struct Caso {
    std::uint64_t liberiX, liberiServer;
    std::vector<std::string> difetti;
  };
  const Caso casi[] = {
      {130, 7, {}},
      {129, 7, {"Spazio insufficiente sul disco X:\\: servono 130 byte, liberi 129 byte"}},
      {129,
       6,
       {"Spazio insufficiente sul disco X:\\: servono 130 byte, liberi 129 byte",
        "Spazio insufficiente sul disco \\\\server\\share\\: servono 7 byte, liberi 6 byte"}},
  };
  for (const Caso& caso : casi) {
    chieste.clear();
    const std::vector<Difetto> difetti = VerificaPiano(piano, [&](const std::string& unita) {
      chieste.push_back(unita);
      return std::optional<std::uint64_t>(unita == "X:\\" ? caso.liberiX : caso.liberiServer);
    });
    std::vector<std::string> testi;
    for (const Difetto& difetto : difetti) {
      testi.push_back(difetto.Testo);
      EXPECT_EQ(difetto.Codice, 61);
    }
    EXPECT_EQ(testi, caso.difetti);
    EXPECT_EQ(chieste, (std::vector<std::string>{"X:\\", "\\\\server\\share\\"}));
  }
  // A drive the platform cannot measure is not held against the run.
  EXPECT_TRUE(
      VerificaPiano(piano, [](const std::string&) { return std::optional<std::uint64_t>(); }).empty());
}

TEST(UnitaDi, TheDriveOfAPath) {
  EXPECT_EQ(UnitaDi("e:\\TALVO\\a.exe"), "E:\\");
  EXPECT_EQ(UnitaDi("C:\\"), "C:\\");
  EXPECT_EQ(UnitaDi("\\\\server\\share\\TALVO\\a.exe"), "\\\\server\\share\\");
  EXPECT_EQ(UnitaDi("\\\\server\\share"), "\\\\server\\share\\");
  EXPECT_EQ(UnitaDi("APP\\a.exe"), "");
}

TEST(SpazioLiberoDisco, TheRealDriveCHasRoomAndAMissingDriveHasNoAnswer) {
  const std::optional<std::uint64_t> liberi = SpazioLiberoDisco("C:\\");
  ASSERT_TRUE(liberi.has_value());
  EXPECT_GT(*liberi, 0u);
  EXPECT_FALSE(SpazioLiberoDisco("Q:\\").has_value());
}

}  // namespace
}  // namespace talvo
