// The database kind from the current user's ODBC entries, written for real in the registry.
#include <gtest/gtest.h>

#include "ConLogDiProva.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "RegistroOdbc.h"
#include "core/TipoDatabase.h"

namespace talvo {
namespace {

class TipoDatabaseTest : public test::ConLogDiProva {
 protected:
  void TearDown() override {
    test::RegistroOdbc::Rimuovi();
    ConLogDiProva::TearDown();
  }
};

TEST_F(TipoDatabaseTest, EachMatchingKindAppendsItsText) {
  struct Caso {
    const char* driver;
    const char* file;
    const char* aggiunta;
  };
  const Caso casi[] = {
      {"Adaptive Server Anywhere 8.0", "C:\\TALVO\\DB\\talvo.db", " *** SYBASE 8 ( LOCALE ) ***"},
      {"Adaptive Server Anywhere 8.0", "", " *** SYBASE 8 ( RETE ) ***"},
      {"Sybase SQL Anywhere 7.0", "", " *** SYBASE 7 ( RETE ) ***"},
      {"Sybase SQL Anywhere 7.0", "D:\\db\\talvo.db", " *** SYBASE 7 ( LOCALE ) ***"},
      {"Driver 7.0 su 8.0", "", " *** SYBASE 7 ( RETE ) *** *** SYBASE 8 ( RETE ) ***"},
      {"Informix 3.82 32 BIT", "", " *** INFORMIX ***"},
      {"IBM INFORMIX ODBC DRIVER", "C:\\x.db", " *** INFORMIX ***"},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.driver);
    const test::RegistroOdbc odbc(caso.driver, caso.file);
    std::string caption = "Aggiornamento  RILEVATO TALVO IN RETE";
    RilevaTipoDatabase(sessione, caption);
    EXPECT_EQ(caption, std::string("Aggiornamento  RILEVATO TALVO IN RETE") + caso.aggiunta);
  }
  EXPECT_TRUE(Log().empty());
}

TEST_F(TipoDatabaseTest, UnknownOrMissingDataSourceOnlyWarnsInTheLog) {
  const std::string avviso =
      "Funzione: ODBCREGEDIT Descrizione: Non è stata trovata la scheda ODBC che consente il rilevamento "
      "della "
      "tipologia della base dati installata AVVISO";
  test::RegistroOdbc::Rimuovi();
  std::string caption = "x";
  RilevaTipoDatabase(sessione, caption);
  {
    const test::RegistroOdbc odbc("SQL Server", "C:\\x.db");
    RilevaTipoDatabase(sessione, caption);
  }
  EXPECT_EQ(caption, "x");
  EXPECT_EQ(Log(), (std::vector<std::string>{avviso, avviso}));
}

}  // namespace
}  // namespace talvo
