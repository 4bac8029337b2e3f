// The installer log in the root of C:: line layout, levels, start, failures, date format.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include "DiscoC.h"
#include "FakeDesktop.h"
#include "FileDiProva.h"
#include "core/DataOra.h"
#include "core/ErroreRuntime.h"
#include "core/Sessione.h"
#include "core/Log.h"

namespace talvo {
namespace {

using test::LeggiFile;
using test::Righe;

// The date and time at the start of a line, checked against the formatter read just before and
// just after the line was written, so that no check races the clock.
class LogTest : public test::DiscoC {
 protected:
  void SetUp() override {
    DiscoC::SetUp();
    sessione.NomeFileLog = "TalvoProva.log";
    Traccia("C:\\TalvoProva.log");
  }

  // What follows the date-and-time prefix of a line; the prefix must be one of the two readings.
  static std::string Corpo(const std::string& riga, const std::string& prima, const std::string& dopo) {
    if (riga.rfind(prima, 0) == 0) return riga.substr(prima.size());
    if (riga.rfind(dopo, 0) == 0) return riga.substr(dopo.size());
    ADD_FAILURE() << "line without the expected date prefix: " << riga;
    return riga;
  }

  Sessione sessione;
};

TEST_F(LogTest, EachLevelHasItsOwnLayout) {
  test::FakeDesktop desktop;
  const std::string prima = FormattaDataGenerale(DataOraCorrente());
  ASSERT_TRUE(IniziaLog(sessione, desktop));
  ScriviLog(sessione, "Oper. Iniziali", "Utente: docente", 0);
  ScriviLog(sessione, "ODBCREGEDIT", "Non è stata trovata la scheda ODBC", 1976);
  ScriviLog(sessione, "Inizializza", "Non è stato trovato il file System.ini di TALVO", 1);
  ScriviLog(sessione, "Passo", "negativo", -3);
  ScriviLog(sessione, "Oper. Iniziali", "", 9500);
  const std::string dopo = FormattaDataGenerale(DataOraCorrente());

  const std::string testo = LeggiFile("C:\\TalvoProva.log");
  ASSERT_EQ(testo.substr(0, 24), "Inizio : TalvoProva.log ");
  ASSERT_GE(testo.size(), 2u);
  EXPECT_EQ(testo.substr(testo.size() - 2), "\r\n");

  // The first line is "Inizio : <name> <date>"; the date is checked like the other prefixes.
  const std::vector<std::string> righe = Righe(testo);
  ASSERT_EQ(righe.size(), 6u);
  const std::string data = righe[0].substr(24);
  EXPECT_TRUE(data == prima || data == dopo) << data;

  const std::vector<std::string> attese = {
      " Funzione: Oper. Iniziali Descrizione: Utente: docente ESITO OK",
      " Funzione: ODBCREGEDIT Descrizione: Non \xE8 stata trovata la scheda ODBC AVVISO",
      " Funzione: Inizializza codice errore: 1 Descrizione: Non è stato trovato il file System.ini di "
      "TALVO FALLITO",
      " Funzione: Passo codice errore: -3 Descrizione: negativo FALLITO",
      " Funzione: Oper. Iniziali codice errore: 9500 Descrizione:  FALLITO",
  };
  std::vector<std::string> corpi;
  for (std::size_t i = 1; i < righe.size(); ++i) corpi.push_back(Corpo(righe[i], prima, dopo));
  EXPECT_EQ(corpi, attese);
  EXPECT_TRUE(desktop.Messaggi.empty());
}

TEST_F(LogTest, ASecondRunKeepsOnlyItsOwnLines) {
  test::FakeDesktop desktop;
  ASSERT_TRUE(IniziaLog(sessione, desktop));
  ScriviLog(sessione, "Primo", "giro", 0);
  ASSERT_TRUE(IniziaLog(sessione, desktop));
  ScriviLog(sessione, "Secondo", "giro", 0);
  const std::vector<std::string> righe = Righe(LeggiFile("C:\\TalvoProva.log"));
  ASSERT_EQ(righe.size(), 2u);
  EXPECT_EQ(righe[0].rfind("Inizio : TalvoProva.log ", 0), 0u);
  EXPECT_NE(righe[1].find(" Funzione: Secondo Descrizione: giro ESITO OK"), std::string::npos);
}

TEST_F(LogTest, ScriviLogCreatesAMissingLogAndClosesItAfterEachLine) {
  ScriviLog(sessione, "Passo", "prima riga", 0);
  // The file is not held open: another writer may replace it between two lines.
  test::ScriviFile("C:\\TalvoProva.log", "");
  ScriviLog(sessione, "Passo", "seconda riga", 0);
  const std::vector<std::string> righe = Righe(LeggiFile("C:\\TalvoProva.log"));
  ASSERT_EQ(righe.size(), 1u);
  EXPECT_NE(righe[0].find("seconda riga"), std::string::npos);
}

TEST_F(LogTest, ScriviLogLeavesItsFailuresToTheCaller) {
  sessione.NomeFileLog = "cartella-assente\\prova.log";
  try {
    ScriviLog(sessione, "Passo", "testo", 0);
    FAIL() << "no error raised";
  } catch (const ErroreRuntime& e) {
    EXPECT_EQ(e.Numero(), 76);
    EXPECT_EQ(e.Descrizione(), "Impossibile trovare il percorso");
  }
}

TEST_F(LogTest, IniziaLogReportsWhyItCouldNotStart) {
  test::FakeDesktop desktop;
  sessione.NomeFileLog = "cartella-assente\\prova.log";
  EXPECT_FALSE(IniziaLog(sessione, desktop));
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0].Testo,
            "Impossibile generare il file di log \r\nImpossibile trovare il percorso");
  EXPECT_EQ(desktop.Messaggi[0].Icona, IconaMessaggio::Critico);
  EXPECT_EQ(desktop.Messaggi[0].Pulsanti, PulsantiMessaggio::Ok);
  EXPECT_FALSE(test::EsisteFile("C:\\cartella-assente"));
}

TEST_F(LogTest, IniziaLogLeavesALockedLogAsItIs) {
  test::FakeDesktop desktop;
  test::ScriviFile("C:\\TalvoProva.log", "riga precedente\r\n");
  {
    // Held without sharing by this Windows process, as another program would hold it.
    HANDLE bloccato =
        ::CreateFileA("C:\\TalvoProva.log", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(bloccato, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(IniziaLog(sessione, desktop));
    ::CloseHandle(bloccato);
  }
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0].Testo, "Impossibile generare il file di log \r\nAutorizzazione negata");
  EXPECT_EQ(LeggiFile("C:\\TalvoProva.log"), "riga precedente\r\n");
}

// The general date format is the platform's short date, a blank and its long time, whatever the
// machine's locale; at exactly midnight the time part is dropped.
TEST(FormattaDataGenerale, IsShortDateAndLongTimeWithoutTimeAtMidnight) {
  SYSTEMTIME giorno{};
  giorno.wYear = 2023;
  giorno.wMonth = 12;
  giorno.wDay = 8;
  char data[64] = {};
  ASSERT_GT(::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &giorno, nullptr, data, sizeof data), 0);

  double mezzanotte = 0;
  ASSERT_TRUE(::SystemTimeToVariantTime(&giorno, &mezzanotte));
  EXPECT_EQ(FormattaDataGenerale(mezzanotte), data);

  SYSTEMTIME sera = giorno;
  sera.wHour = 23;
  sera.wMinute = 3;
  sera.wSecond = 12;
  char ora[64] = {};
  ASSERT_GT(::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &sera, nullptr, ora, sizeof ora), 0);
  double serale = 0;
  ASSERT_TRUE(::SystemTimeToVariantTime(&sera, &serale));
  EXPECT_EQ(FormattaDataGenerale(serale), std::string(data) + " " + ora);
}

}  // namespace
}  // namespace talvo
