// The Informix rules as tables of (statement, kind, expected), through Traduci as callers reach
// them, plus the inputs that must fail with their run-time number and description.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>

#include "RegoleInformix.h"
#include "com/RunTimeError.h"

namespace talvo::translators::informix {
namespace {

struct Caso {
  const char* nota;
  Vista query;
  Vista tipo;
  Vista atteso;
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nota; }

class TraduciIfmx : public ::testing::TestWithParam<Caso> {};

TEST_P(TraduciIfmx, GivesTheExpectedStatement) {
  const Caso& c = GetParam();
  EXPECT_EQ(Traduci(c.query, c.tipo), Testo(c.atteso));
}

// Outer joins: the worked forms, with their exact blanks.
INSTANTIATE_TEST_SUITE_P(
    OuterJoin, TraduciIfmx,
    ::testing::Values(
        Caso{"one escape", u"SELECT a.x, b.y FROM {oj a LEFT OUTER JOIN b ON a.k = b.k} WHERE a.z = 1", u"",
             u"SELECT a.x, b.y FROM a  ,  OUTER b  WHERE a.k = b.k AND a.z = 1"},
        Caso{"a further table after the escape",
             u"SELECT * FROM {oj a LEFT OUTER JOIN b ON a.k = b.k}, c WHERE c.k = a.k", u"",
             u"SELECT * FROM a  ,  c ,  OUTER b  WHERE a.k = b.k AND c.k = a.k"},
        Caso{"nested escapes",
             u"SELECT * FROM {oj {oj a LEFT OUTER JOIN b ON a.k = b.k} LEFT OUTER JOIN c ON a.m = c.m} WHERE "
             u"a.z = 1",
             u"", u"SELECT * FROM a  ,  OUTER b , OUTER c  WHERE a.k = b.k AND a.m = c.m AND a.z = 1"},
        Caso{"escapes side by side",
             u"SELECT * FROM {oj a LEFT OUTER JOIN b ON a.k = b.k}, {oj c LEFT OUTER JOIN d ON c.k = d.k} "
             u"WHERE a.z = c.z",
             u"", u"SELECT * FROM a  , c  ,  OUTER b , OUTER d  WHERE a.k = b.k AND c.k = d.k AND a.z = c.z"},
        Caso{"the tail starts one character after WHERE",
             u"SELECT * FROM {oj a LEFT OUTER JOIN b ON a.k = b.k} WHERE  a.z = 1", u"",
             u"SELECT * FROM a  ,  OUTER b  WHERE a.k = b.k AND  a.z = 1"},
        Caso{"the kind is SELECT after leading blanks only when asked for",
             u" SELECT * FROM {oj a LEFT OUTER JOIN b ON a.k = b.k} WHERE a.z = 1", u"SELECT",
             u" SELECT * FROM a  ,  OUTER b  WHERE a.k = b.k AND a.z = 1"}));

// substr calls: whole numbers, nested expressions, the call's own closing parenthesis.
INSTANTIATE_TEST_SUITE_P(
    Substr, TraduciIfmx,
    ::testing::Values(
        Caso{"single digits", u"SELECT substr(cognome,1,3) FROM t", u"", u"SELECT cognome[1,3] FROM t"},
        Caso{"end is start plus length minus one", u"SELECT substr(nome,2,4) FROM t", u"",
             u"SELECT nome[2,5] FROM t"},
        Caso{"numbers of more digits", u"SELECT substr(nome,1,10), substr(x,12,25) FROM t", u"",
             u"SELECT nome[1,10], x[12,36] FROM t"},
        Caso{"a nested call in the expression", u"SELECT substr(trim(x),1,2) FROM t", u"",
             u"SELECT trim(x)[1,2] FROM t"},
        Caso{"commas inside the expression", u"SELECT substr(coalesce(a,b),1,2) FROM t", u"",
             u"SELECT coalesce(a,b)[1,2] FROM t"},
        Caso{"substr inside substr", u"SELECT substr(substr(x,1,5),2,2) FROM t", u"",
             u"SELECT x[1,5][2,3] FROM t"},
        Caso{"in the WHERE clause too", u"SELECT a FROM t WHERE substr(b,1,1) = 'x' AND substr(c,3,2) = 'yz'",
             u"", u"SELECT a FROM t WHERE b[1,1] = 'x' AND c[3,4] = 'yz'"},
        Caso{"inside quoted text too: the rule is text surgery", u"SELECT 'substr(a,1,2)' FROM t", u"",
             u"SELECT 'a[1,2]' FROM t"},
        Caso{"upper-case SUBSTR is not the trigger", u"SELECT SUBSTR(a,1,2) FROM t", u"",
             u"SELECT SUBSTR(a,1,2) FROM t"},
        Caso{"outer join and substr together",
             u"SELECT substr(b.y,1,2) FROM {oj a LEFT OUTER JOIN b ON a.k = b.k} WHERE a.z = 1", u"",
             u"SELECT b.y[1,2] FROM a  ,  OUTER b  WHERE a.k = b.k AND a.z = 1"}));

// DATEFORMAT: a year-to-month EXTEND, and the whole statement in upper case once it fires.
INSTANTIATE_TEST_SUITE_P(
    DateFormat, TraduciIfmx,
    ::testing::Values(
        Caso{"upper-cases everything",
             u"SELECT DATEFORMAT(data_nascita,'yyyy-mm') FROM alunni WHERE nome = 'Rossi'", u"",
             u"SELECT EXTEND(DATE(DATA_NASCITA),YEAR TO MONTH) FROM ALUNNI WHERE NOME = 'ROSSI'"},
        Caso{"lower-case calls once the upper-case trigger is present",
             u"SELECT DATEFORMAT(a,'x'), dateformat(b,'y') FROM t", u"",
             u"SELECT EXTEND(DATE(A),YEAR TO MONTH), EXTEND(DATE(B),YEAR TO MONTH) FROM T"},
        Caso{"lower case alone is no trigger", u"SELECT dateformat(a,'x') FROM t", u"",
             u"SELECT dateformat(a,'x') FROM t"},
        Caso{"the catalogue rule then finds nothing to change",
             u"SELECT DATEFORMAT(d,'x') FROM systable WHERE table_name = 'A'", u"",
             u"SELECT EXTEND(DATE(D),YEAR TO MONTH) FROM SYSTABLE WHERE TABLE_NAME = 'A'"},
        Caso{"accented letters too", u"SELECT DATEFORMAT(d,'x') FROM t WHERE città = 'è'", u"",
             u"SELECT EXTEND(DATE(D),YEAR TO MONTH) FROM T WHERE CITTÀ = 'È'"},
        Caso{"after substr", u"SELECT substr(a,1,2), DATEFORMAT(d,'x') FROM t", u"",
             u"SELECT A[1,2], EXTEND(DATE(D),YEAR TO MONTH) FROM T"}));

// The catalogue rule and the temporary-table rule.
INSTANTIATE_TEST_SUITE_P(
    CatalogueAndTemporary, TraduciIfmx,
    ::testing::Values(
        Caso{"catalogue table and column", u"SELECT table_name FROM systable WHERE table_name = 'x'", u"",
             u"SELECT tabname FROM systables WHERE tabname = 'x'"},
        Caso{"systables gains another s", u"SELECT tabname FROM systables", u"",
             u"SELECT tabname FROM systabless"},
        Caso{"inside a name too", u"SELECT a FROM mysystable_log", u"", u"SELECT a FROM mysystables_log"},
        Caso{"upper-case SYSTABLE is no trigger", u"SELECT table_name FROM SYSTABLE", u"",
             u"SELECT table_name FROM SYSTABLE"},
        Caso{"global temporary table", u"create global temporary table tmp1 (a int)", u"",
             u"CREATE  TEMP TABLE TMP1 (A INT)"},
        Caso{"GLOBAL goes inside names too", u"create global temporary table t (ID_GLOBALE int)", u"",
             u"CREATE  TEMP TABLE T (ID_E INT)"},
        Caso{"no TEMPORARY: returned exactly", u"CREATE INDEX i ON t (c)", u"", u"CREATE INDEX i ON t (c)"},
        Caso{"EXTERNAL asked for after leading blanks", u"  create global temporary table t (a int)",
             u"EXTERNAL", u"  CREATE  TEMP TABLE T (A INT)"}));

// Which rules the kind selects.
INSTANTIATE_TEST_SUITE_P(
    Dispatch, TraduciIfmx,
    ::testing::Values(Caso{"the first word decides, in any case", u"select substr(a,1,2) from t", u"UPDATE",
                           u"select a[1,2] from t"},
                      Caso{"a leading blank hides the first word", u" select substr(a,1,2) from t", u"INSERT",
                           u" select substr(a,1,2) from t"},
                      Caso{"the kind respects case", u" select substr(a,1,2) from t", u"select",
                           u" select substr(a,1,2) from t"},
                      Caso{"any other statement is unchanged", u"UPDATE t SET a = substr(b,1,2)", u"UPDATE",
                           u"UPDATE t SET a = substr(b,1,2)"},
                      Caso{"CREATE goes to the temporary-table rule whatever the kind",
                           u"Create Global Temporary Table x (a int)", u"SELECT",
                           u"CREATE  TEMP TABLE X (A INT)"},
                      Caso{"a SELECT without triggers is unchanged", u"SELECT a FROM t WHERE b = 'c'", u"",
                           u"SELECT a FROM t WHERE b = 'c'"}));

struct Errore {
  const char* nota;
  Testo query;
  int numero;
};

void PrintTo(const Errore& e, std::ostream* os) { *os << e.nota; }

class TraduciIfmxFails : public ::testing::TestWithParam<Errore> {};

TEST_P(TraduciIfmxFails, WithTheRunTimeNumberAndDescription) {
  const Errore& e = GetParam();
  try {
    Traduci(e.query, u"SELECT");
    ADD_FAILURE() << "no error";
  } catch (const com::RunTimeError& error) {
    EXPECT_EQ(error.Number(), e.numero);
    EXPECT_EQ(error.Description(), Testo(com::RunTimeErrorDescription(e.numero)));
  }
}

// prima, then parte n times, then dopo.
Testo Ripeti(Vista prima, Vista parte, int n, Vista dopo) {
  Testo query(prima);
  for (int i = 0; i < n; ++i) query += parte;
  query += dopo;
  return query;
}

Testo Lunga(std::size_t lunghezza, Vista dopo) {
  Testo query = u"SELECT a FROM t WHERE b = '";
  query.append(lunghezza - query.size(), u'x');
  query += dopo;
  return query;
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, TraduciIfmxFails,
    ::testing::Values(
        Errore{"oj inside a word: an empty OUTER text shortened", u"SELECT project FROM t WHERE x = 1", 5},
        Errore{"lower-case keyword", u"SELECT * FROM {oj a left outer join b ON a.k = b.k} WHERE a.z = 1", 5},
        Errore{"a keyword without ON", u"SELECT * FROM {oj a LEFT OUTER JOIN b} WHERE a.z = 1", 9},
        Errore{"more keywords than OJ entries",
               u"SELECT * FROM {oj a LEFT OUTER JOIN b ON a.k = b.k LEFT OUTER JOIN c ON a.m = c.m} WHERE "
               u"a.z = 1",
               9},
        Errore{"no closing brace", u"SELECT * FROM {oj a LEFT OUTER JOIN b ON a.k = b.k WHERE a.z = 1", 5},
        Errore{"no WHERE after the escapes", u"SELECT * FROM {oj a LEFT OUTER JOIN b ON a.k = b.k}", 5},
        Errore{"a mixed-case Where after the escapes",
               u"SELECT * FROM {oj a LEFT OUTER JOIN b ON a.k = b.k} Where a.z = 1", 5},
        Errore{"WHERE only before the escapes",
               u"SELECT WHERE_x FROM {oj a LEFT OUTER JOIN b ON a.k = b.k}, c", 5},
        Errore{"more than 32,767 characters with oj", Lunga(32768, u"' AND oj = 1"), 6},
        Errore{"substr with a blank after a comma", u"SELECT substr(a, 1,2) FROM t", 13},
        Errore{"substr with a name for a start", u"SELECT substr(a,b,2) FROM t", 13},
        Errore{"substr with a negative length", u"SELECT substr(a,1,-2) FROM t", 13},
        Errore{"substr without a length", u"SELECT substr(a,1) FROM t", 13},
        Errore{"substr without its closing parenthesis", u"SELECT substr(a,1,2 FROM t", 5},
        Errore{"substr not followed by its parenthesis", u"SELECT substr (a,1,2) FROM t", 5},
        Errore{"substr past position 32,767", Lunga(32767, u"' AND substr(a,1,2) = 'x'"), 6},
        Errore{"DATEFORMAT without a closing parenthesis", u"SELECT DATEFORMAT(a,'x' FROM t", 5},
        Errore{"DATEFORMAT without a comma", u"SELECT DATEFORMAT(a) FROM t", 5},
        Errore{"DATEFORMAT past position 32,767", Lunga(32767, u"' AND DATEFORMAT(a,'x') = 1"), 6},
        Errore{
            "an outer join whose conditions would pass 32,767 characters: 6540 ONs before one brace",
            Ripeti(u"SELECT * FROM {oj a LEFT OUTER JOIN b ON a.k = b.k", u" ON x", 6540, u"} WHERE a.z = 1"),
            6}));

// Long inputs that once cost more than their length: each gives its result, in linear time.
TEST(TraduciIfmxLong, NestedTemporaryWordsLoseOneLevelPerPass) {
  const Testo query = Ripeti(Ripeti(u"create ", u"TEMP", 2777, u""), u"ORARY", 2777, u"");
  ASSERT_EQ(query.size(), 25000u);
  EXPECT_EQ(Traduci(query, u""), Ripeti(u"CREATE ", u"TEMP", 2777, u""));
  // GLOBAL removals that join a new GLOBAL or TEMPORARY are taken by the next pass, or by the same
  // one for a TEMPORARY; a GLOBAL joined by the last pass stays.
  EXPECT_EQ(Traduci(u"create TEMPOGLOBALRARY GLGLOBALOBAL temporary", u""), u"CREATE TEMP GLOBAL TEMP");
  EXPECT_EQ(Traduci(u"create GLGLOBALOBAL TEMPTEMPORARYORARY", u""), u"CREATE  TEMPTEMP");
}

TEST(TraduciIfmxLong, ManyDateformatCallsAreEachRewritten) {
  const Testo query = Ripeti(u"SELECT ", u"DATEFORMAT(d,'x'), ", 800, u"1 FROM t");
  EXPECT_EQ(Traduci(query, u""), Ripeti(u"SELECT ", u"EXTEND(DATE(D),YEAR TO MONTH), ", 800, u"1 FROM T"));
}

// The best of several runs of a translation, in seconds.
double Tempo(const Testo& query) {
  double migliore = 1e9;
  for (int run = 0; run < 9; ++run) {
    const auto inizio = std::chrono::steady_clock::now();
    try {
      Traduci(query, u"SELECT");
    } catch (const com::RunTimeError&) {
    }
    const std::chrono::duration<double> durata = std::chrono::steady_clock::now() - inizio;
    migliore = std::min(migliore, durata.count());
  }
  return migliore;
}

struct Crescita {
  const char* nota;
  Testo (*query)(int n);  // a statement that grows with n
};

void PrintTo(const Crescita& c, std::ostream* os) { *os << c.nota; }

class TraduciIfmxLinear : public ::testing::TestWithParam<Crescita> {};

TEST_P(TraduciIfmxLinear, DoublingTheStatementAtMostTwoAndAHalfTimesItsTime) {
  const Testo corta = GetParam().query(400);
  const Testo lunga = GetParam().query(800);
  ASSERT_LE(lunga.size(), 32767u);
  ASSERT_GE(lunga.size(), 2 * corta.size() - 100);
  Tempo(corta);  // warm-up: the allocator's first growth is not the rule's
  const double rapporto = Tempo(lunga) / Tempo(corta);
  EXPECT_LE(rapporto, 2.5) << corta.size() << " -> " << lunga.size() << " characters";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TraduciIfmxLinear,
    ::testing::Values(Crescita{"nested TEMPORARY words",
                               [](int n) {
                                 return Ripeti(Ripeti(u"create ", u"TEMP", n * 2, u""), u"ORARY", n * 2, u"");
                               }},
                      // Each call grows by 13 characters: the longer statement's result still fits 32,767.
                      Crescita{"DATEFORMAT calls",
                               [](int n) { return Ripeti(u"SELECT ", u"DATEFORMAT(d,'x'), ", n / 2, u"1"); }},
                      Crescita{"substr calls",
                               [](int n) { return Ripeti(u"SELECT ", u"substr(c,1,2), ", n, u"1 FROM t"); }},
                      Crescita{"outer-join ONs", [](int n) {
                                 return Ripeti(u"SELECT * FROM {oj a LEFT OUTER JOIN b ON a.k = b.k",
                                               u" ON x", n * 2, u"} WHERE a.z = 1");
                               }}));

TEST(TraduciIfmxLength, TheRulesTakeStatementsUpTo32767Characters) {
  // Just under the limit the rules still apply; the substr call ends at position 32,767.
  Testo query = u"SELECT a FROM t WHERE b = '";
  const Vista call = u"' AND substr(a,1,2)";
  query.append(32767 - query.size() - call.size(), u'x');
  query += call;
  ASSERT_EQ(query.size(), 32767u);
  const Testo result = Traduci(query, u"");
  EXPECT_EQ(result.substr(result.size() - 12), u"' AND a[1,2]");
}

struct Data {
  Vista campo;
  Vista atteso;
};

class FormattaDataIfmx : public ::testing::TestWithParam<Data> {};

TEST_P(FormattaDataIfmx, GivesTheInformixLiteral) {
  EXPECT_EQ(FormattaData(GetParam().campo), Testo(GetParam().atteso));
}

INSTANTIATE_TEST_SUITE_P(
    Dates, FormattaDataIfmx,
    ::testing::Values(Data{u"0000-00-00", u"00/00/0000"},    // zero date
                      Data{u"00/00/0000", u"00/00/0000"},    // zero date
                      Data{u" 0000-00-00", u"-0/-0/ 0000"},  // not the zero date: by position
                      Data{u"2002-02-07", u"07/02/2002"},    // exactly ten characters
                      Data{u"2002-02-07X", u"07/02/2002X"},  // the 11th character kept
                      Data{u"2002-02-07 11:20:03", u"07/02/2002 11:20:03"},
                      Data{u"", u"//"},                            // nothing to pick up
                      Data{u"anno||'-09-01'", u"'01/09/'||anno"},  // year joined to month-day
                      Data{u"a||'-09-01'||b", u"'01/09/'||a"}));   // split at the first ||

TEST(FormattaDataIfmxLength, APlainDateLongerThan32767CharactersOverflows) {
  Testo campo = u"2002-02-07 ";
  campo.append(32767 - campo.size() + 1, u'x');
  try {
    FormattaData(campo);
    ADD_FAILURE() << "no error";
  } catch (const com::RunTimeError& error) {
    EXPECT_EQ(error.Number(), 6);
  }
  campo.pop_back();
  EXPECT_EQ(FormattaData(campo).size(), campo.size());
}

TEST(TraduciErrIfmx, MapsTheTableAndNothingElse) {
  const std::pair<std::int32_t, std::int32_t> casi[] = {
      {-196, -239}, {-194, -691}, {-193, -268}, {-141, -206}, {-121, -313}, {-111, -316},
      {-110, -310}, {0, 0},       {-239, 0},    {-195, 0},    {196, 0},     {2147483647, 0}};
  for (const auto& [numero, atteso] : casi) EXPECT_EQ(TraduciErr(numero), atteso) << numero;
}

}  // namespace
}  // namespace talvo::translators::informix
