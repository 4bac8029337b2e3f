// The Sybase rules as tables: catalogue queries qualified with their owners, the zero date as
// null, and everything else passed through unchanged.
#include <gtest/gtest.h>

#include "RegoleSybase.h"

namespace talvo::translators::sybase {
namespace {

struct Caso {
  const char* nota;
  Vista query;
  Vista tipo;
  Vista atteso;
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nota; }

class TraduciSyb : public ::testing::TestWithParam<Caso> {};

TEST_P(TraduciSyb, GivesTheExpectedStatement) {
  EXPECT_EQ(Traduci(GetParam().query, GetParam().tipo), Testo(GetParam().atteso));
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, TraduciSyb,
    ::testing::Values(
        Caso{"the worked form", u"SELECT table_name FROM systable WHERE table_type = 'BASE'", u"SELECT",
             u"SELECT  name||'.'||table_name  FROM  systable, sysusers  WHERE creator = uid AND  table_type "
             u"= 'BASE'"},
        Caso{"no WHERE: no join condition", u"SELECT table_name FROM systable", u"SELECT",
             u"SELECT  name||'.'||table_name  FROM  systable, sysusers "},
        Caso{"every WHERE, in any case",
             u"SELECT table_name FROM systable WHERE id IN (SELECT id FROM t where x = 1)", u"SELECT",
             u"SELECT  name||'.'||table_name  FROM  systable, sysusers  WHERE creator = uid AND  id IN "
             u"(SELECT id FROM t WHERE creator = uid AND  x = 1)"},
        Caso{"WHERE inside quoted text too", u"SELECT table_name FROM systable WHERE a = 'somewhere'",
             u"SELECT",
             u"SELECT  name||'.'||table_name  FROM  systable, sysusers  WHERE creator = uid AND  a = "
             u"'someWHERE creator = uid AND '"},
        Caso{"upper-case SYSTABLE alone is no trigger", u"SELECT table_name FROM SYSTABLE WHERE a = 1",
             u"SELECT", u"SELECT table_name FROM SYSTABLE WHERE a = 1"},
        Caso{"once systable is present, SYSTABLE is replaced too",
             u"SELECT table_name FROM systable, SYSTABLE", u"SELECT",
             u"SELECT  name||'.'||table_name  FROM  systable, sysusers ,  systable, sysusers "},
        Caso{"systables keeps its s", u"SELECT name FROM systables", u"SELECT",
             u"SELECT name FROM  systable, sysusers s"},
        Caso{"only the first table_name is qualified",
             u"SELECT table_name FROM systable WHERE table_name = 'x'", u"SELECT",
             u"SELECT  name||'.'||table_name  FROM  systable, sysusers  WHERE creator = uid AND  table_name "
             u"= 'x'"},
        Caso{"the kind respects case", u"SELECT table_name FROM systable", u"select",
             u"SELECT table_name FROM systable"},
        Caso{"the first word is never looked at", u"SELECT table_name FROM systable", u"UPDATE",
             u"SELECT table_name FROM systable"},
        Caso{"other SELECTs pass through", u"SELECT substr(a,1,2) FROM {oj a LEFT OUTER JOIN b ON a.k = b.k}",
             u"SELECT", u"SELECT substr(a,1,2) FROM {oj a LEFT OUTER JOIN b ON a.k = b.k}"}));

TEST(FormattaDataSyb, OnlyTheZeroDateChanges) {
  EXPECT_EQ(FormattaData(u"00/00/0000"), u"null");
  EXPECT_EQ(FormattaData(u"0000-00-00"), u"null");
  EXPECT_EQ(FormattaData(u" 0000-00-00"), u" 0000-00-00");
  EXPECT_EQ(FormattaData(u"2002-02-07"), u"2002-02-07");
  EXPECT_EQ(FormattaData(u""), u"");
}

TEST(TraduciErrSyb, ReturnsTheNumberItself) {
  for (std::int32_t n : {-196, -239, 0, 42, -2147483647 - 1}) EXPECT_EQ(TraduciErr(n), n);
}

}  // namespace
}  // namespace talvo::translators::sybase
