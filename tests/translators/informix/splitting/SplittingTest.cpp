// NoLongTransaction and its splitters on the real test data source: the statements sent (recorded
// on their way), the rows left behind, the reports in error.log and the lines in errUP3.log.
// Each test starts without error.log, errUP3.log and Tree.log in the root of C:, which is also
// the current drive; the delete reports show that a missing Tree.log stops nothing.
#include <gtest/gtest.h>
#include <windows.h>
// oleauto.h builds on the Windows types.
#include <oleauto.h>

#include <string>
#include <vector>

#include "DiscoC.h"
#include "FileDiProva.h"
#include "RecordingConnection.h"
#include "TestDatabase.h"
#include "database/OdbcConnection.h"
#include "splitting/GestioneErrore.h"
#include "splitting/NoLongTransaction.h"

namespace talvo::translators::informix {
namespace {

using Statements = std::vector<std::u16string>;

std::string Ansi(std::u16string_view text) {
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int bytes =
      ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), out.data(), bytes, nullptr, nullptr);
  return out;
}

DATE Now() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  DATE date = 0;
  ::SystemTimeToVariantTime(&now, &date);
  return date;
}

class SplittingTest : public test::DiscoC {
 protected:
  void SetUp() override {
    DiscoC::SetUp();
    db.CreateTable(u"t");
    started = Now();
  }

  bool Delete(long dimMax, std::u16string_view kind = u"DELETE") {
    return NoLongTransaction(recorder, u"t", dimMax, kind, NoColumn, u"", u"");
  }
  bool Update(long dimMax, std::u16string_view oldValue, std::u16string_view newValue) {
    return NoLongTransaction(
        recorder, u"t", dimMax, u"UPDATE", [] { return std::u16string(u"nome"); }, newValue, oldValue);
  }

  static std::u16string NoColumn() {
    ADD_FAILURE() << "a delete reads no column";
    return u"";
  }

  // The lines of a log in the root of C:, none when it does not exist.
  static std::vector<std::string> LogLines(const std::string& name) {
    const std::string path = "C:\\" + name;
    return test::EsisteFile(path) ? test::Righe(test::LeggiFile(path)) : std::vector<std::string>();
  }

  // An error.log line: everything before the date and time compared exactly, the date and time
  // read back in the user's locale and found within the test's own run.
  void ExpectReportLine(const std::string& line, std::u16string_view beforeDate) {
    const std::string head = Ansi(beforeDate) + ",, ";
    ASSERT_EQ(line.substr(0, head.size()), head);
    const std::string stamp = line.substr(head.size());
    std::wstring wide(stamp.size(), L'\0');
    wide.resize(::MultiByteToWideChar(CP_ACP, 0, stamp.data(), static_cast<int>(stamp.size()), wide.data(),
                                      static_cast<int>(wide.size())));
    DATE written = 0;
    ASSERT_EQ(::VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &written), S_OK) << stamp;
    const double second = 1.0 / 86400;
    EXPECT_GE(written, started - 2 * second);
    EXPECT_LE(written, Now() + 2 * second);
  }

  test::TestDatabase db;
  test::RecordingConnection recorder{db.Connection()};
  DATE started = 0;
};

TEST_F(SplittingTest, NoSplitAtTheLimitAndTwoPiecesOneRowAbove) {
  struct Case {
    const char* what;
    bool update;
    long dimMax;
    Statements statements;
    std::int64_t leftOver;  // rows left, or rows still holding the old value
  };
  const Case cases[] = {
      {"delete of exactly DimMaxTabella rows", false, 10, {u"SELECT COUNT(*) FROM t"}, 10},
      {"delete of one row more",
       false,
       9,
       {u"SELECT COUNT(*) FROM t", u"SELECT MAX(rowid), MIN(rowid) FROM t",
        u"SELECT COUNT(*) FROM t WHERE rowid >=  1 AND rowid <=  5",
        u"DELETE FROM t WHERE rowid >=  1 AND rowid <=  5",
        u"SELECT COUNT(*) FROM t WHERE rowid >=  5 AND rowid <=  10",
        u"DELETE FROM t WHERE rowid >=  5 AND rowid <=  10"},
       0},
      {"update of exactly DimMaxTabella rows", true, 10, {u"SELECT COUNT(*) FROM t WHERE nome='x'"}, 10},
      {"update of one row more",
       true,
       9,
       {u"SELECT COUNT(*) FROM t WHERE nome='x'", u"SELECT MAX(rowid), MIN(rowid) FROM t WHERE nome='x'",
        u"SELECT COUNT(*) FROM t WHERE rowid >=  1 AND rowid <=  5 AND nome='x'",
        u"UPDATE t SET nome = 'y' WHERE rowid >=  1 AND rowid <=  5 AND nome='x'",
        u"SELECT COUNT(*) FROM t WHERE rowid >=  5 AND rowid <=  10 AND nome='x'",
        u"UPDATE t SET nome = 'y' WHERE rowid >=  5 AND rowid <=  10 AND nome='x'"},
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    db.CreateTable(u"t");
    db.InsertRows(u"t", 1, 1, 10, u"x");
    test::RecordingConnection recording(db.Connection());
    const bool done = c.update ? NoLongTransaction(
                                     recording, u"t", c.dimMax, u"UPDATE",
                                     [] { return std::u16string(u"nome"); }, u"y", u"x")
                               : NoLongTransaction(recording, u"t", c.dimMax, u"DELETE", NoColumn, u"", u"");
    EXPECT_TRUE(done);
    EXPECT_EQ(recording.Statements(), c.statements);
    EXPECT_EQ(db.Count(u"t", c.update ? u"nome='x'" : u""), c.leftOver);
  }
  EXPECT_TRUE(LogLines("error.log").empty());
}

TEST_F(SplittingTest, TheQuarterMillionRowExampleReachesTheLargestRowid) {
  // 250,000 rows from rowid 257 to 1,000,257: every fourth rowid and the last one.
  db.InsertRows(u"t", 257, 4, 249999, u"x");
  db.InsertRow(u"t", 1000257, u"x");
  ASSERT_TRUE(Delete(100000));
  const Statements expected = {
      u"SELECT COUNT(*) FROM t",
      u"SELECT MAX(rowid), MIN(rowid) FROM t",
      u"SELECT COUNT(*) FROM t WHERE rowid >=  257 AND rowid <=  333590",
      u"DELETE FROM t WHERE rowid >=  257 AND rowid <=  333590",
      u"SELECT COUNT(*) FROM t WHERE rowid >=  333590 AND rowid <=  666923",
      u"DELETE FROM t WHERE rowid >=  333590 AND rowid <=  666923",
      // 666923 + 333333 is 1000256: the last piece goes on to the largest rowid.
      u"SELECT COUNT(*) FROM t WHERE rowid >=  666923 AND rowid <=  1000257",
      u"DELETE FROM t WHERE rowid >=  666923 AND rowid <=  1000257",
  };
  EXPECT_EQ(recorder.Statements(), expected);
  EXPECT_EQ(db.Count(u"t"), 0);
}

// Rows 1, 2, 3 and 5 crowd the first piece of three over 1..16, which is cut again; its last
// sub-piece reaches the piece's own bound 6, where rowid 5 lies beyond 3 + 1.
const Statements kUnevenDelete = {
    u"SELECT COUNT(*) FROM t",
    u"SELECT MAX(rowid), MIN(rowid) FROM t",
    u"SELECT COUNT(*) FROM t WHERE rowid >=  1 AND rowid <=  6",
    u"SELECT COUNT(*) FROM t WHERE rowid >=  1 AND rowid <=  2",
    u"DELETE FROM t WHERE rowid >=  1 AND rowid <=  2",
    u"SELECT COUNT(*) FROM t WHERE rowid >=  2 AND rowid <=  3",
    u"DELETE FROM t WHERE rowid >=  2 AND rowid <=  3",
    u"SELECT COUNT(*) FROM t WHERE rowid >=  3 AND rowid <=  6",
    u"DELETE FROM t WHERE rowid >=  3 AND rowid <=  6",
    u"SELECT COUNT(*) FROM t WHERE rowid >=  6 AND rowid <=  11",
    u"DELETE FROM t WHERE rowid >=  6 AND rowid <=  11",
    u"SELECT COUNT(*) FROM t WHERE rowid >=  11 AND rowid <=  16",
    u"DELETE FROM t WHERE rowid >=  11 AND rowid <=  16",
};

void InsertUneven(test::TestDatabase& db) {
  for (std::int64_t rowid : {1, 2, 3, 5, 16}) db.InsertRow(u"t", rowid, u"x");
}

TEST_F(SplittingTest, ACrowdedPieceIsCutAgainAndEveryRowGoes) {
  InsertUneven(db);
  ASSERT_TRUE(Delete(2));
  EXPECT_EQ(recorder.Statements(), kUnevenDelete);
  EXPECT_EQ(db.Count(u"t"), 0);
}

TEST_F(SplittingTest, ValuesWithApostrophesAreQuotedInConditionAndSet) {
  db.InsertRows(u"t", 1, 1, 6, u"D'Angelo");
  db.InsertRows(u"t", 7, 1, 2, u"Rossi");
  ASSERT_TRUE(Update(3, u"D'Angelo", u"Dell'Orto"));
  const Statements& sent = recorder.Statements();
  ASSERT_GE(sent.size(), 4u);
  EXPECT_EQ(sent[0], u"SELECT COUNT(*) FROM t WHERE nome='D''Angelo'");
  EXPECT_EQ(sent[1], u"SELECT MAX(rowid), MIN(rowid) FROM t WHERE nome='D''Angelo'");
  EXPECT_EQ(sent[2], u"SELECT COUNT(*) FROM t WHERE rowid >=  1 AND rowid <=  2 AND nome='D''Angelo'");
  EXPECT_EQ(sent[3],
            u"UPDATE t SET nome = 'Dell''Orto' WHERE rowid >=  1 AND rowid <=  2 AND nome='D''Angelo'");
  EXPECT_EQ(db.Count(u"t", u"nome='Dell''Orto'"), 6);
  EXPECT_EQ(db.Count(u"t", u"nome='Rossi'"), 2);
}

TEST_F(SplittingTest, OnlyTheExactUpperCaseKindsDoAnything) {
  db.InsertRows(u"t", 1, 1, 5, u"x");
  for (const char16_t* kind : {u"delete", u"Delete", u"update", u"INSERT", u" DELETE", u""}) {
    EXPECT_TRUE(NoLongTransaction(recorder, u"t", 1, kind, NoColumn, u"y", u"x"));
  }
  EXPECT_TRUE(recorder.Statements().empty());
  EXPECT_EQ(db.Count(u"t"), 5);
}

TEST_F(SplittingTest, AFailingDeletePieceIsReportedOnceAndEndsItsLevel) {
  db.InsertRows(u"t", 1, 1, 30, u"x");
  // The database itself refuses to delete rowid 12, which lies in the second piece, 8..15.
  db.Connection().Execute(
      u"CREATE TRIGGER protetta BEFORE DELETE ON t WHEN old.rowid = 12 BEGIN SELECT RAISE(ABORT, 'riga "
      u"protetta'); END");
  ASSERT_TRUE(Delete(10));
  const Statements expected = {
      u"SELECT COUNT(*) FROM t",
      u"SELECT MAX(rowid), MIN(rowid) FROM t",
      u"SELECT COUNT(*) FROM t WHERE rowid >=  1 AND rowid <=  8",
      u"DELETE FROM t WHERE rowid >=  1 AND rowid <=  8",
      u"SELECT COUNT(*) FROM t WHERE rowid >=  8 AND rowid <=  15",
      u"DELETE FROM t WHERE rowid >=  8 AND rowid <=  15",
  };
  EXPECT_EQ(recorder.Statements(), expected);
  EXPECT_EQ(db.Count(u"t"), 22);  // the first piece stays deleted, nothing after the failure ran
  const std::vector<std::string> lines = LogLines("error.log");
  ASSERT_EQ(lines.size(), 1u);
  // The SQLite driver's own number (SQLITE_CONSTRAINT) and text.
  ExpectReportLine(lines[0],
                   u" 19, Funzione 'FrazionaTabella':, [SQLite]riga protetta (19)Istruzione sql: "
                   u"DELETE FROM t WHERE rowid >=  8 AND rowid <=  15");
  EXPECT_TRUE(LogLines("errUP3.log").empty());
}

TEST_F(SplittingTest, AFailureDeepDownEndsOnlyThatLevel) {
  InsertUneven(db);
  recorder.FailOn(u"SELECT COUNT(*) FROM t WHERE rowid >=  2 AND rowid <=  3",
                  {-243, u"Could not position within a table"});
  ASSERT_TRUE(Delete(2));
  Statements expected(kUnevenDelete.begin(), kUnevenDelete.begin() + 6);  // up to the failing count
  expected.insert(expected.end(), kUnevenDelete.begin() + 9, kUnevenDelete.end());
  EXPECT_EQ(recorder.Statements(), expected);
  EXPECT_EQ(db.Count(u"t"), 2);  // rowids 3 and 5, in the abandoned sub-pieces
  const std::vector<std::string> lines = LogLines("error.log");
  ASSERT_EQ(lines.size(), 1u);
  ExpectReportLine(lines[0],
                   u"-243, Funzione 'FrazionaTabella':, Could not position within a tableIstruzione sql: "
                   u"SELECT COUNT(*) FROM t WHERE rowid >=  2 AND rowid <=  3");
}

TEST_F(SplittingTest, FailingUpdatePiecesAreLoggedAndTheNextPieceRuns) {
  db.InsertRows(u"t", 1, 1, 30, u"x");
  const std::u16string piece[] = {
      u"UPDATE t SET nome = 'y' WHERE rowid >=  1 AND rowid <=  8 AND nome='x'",
      u"UPDATE t SET nome = 'y' WHERE rowid >=  8 AND rowid <=  15 AND nome='x'",
      u"UPDATE t SET nome = 'y' WHERE rowid >=  15 AND rowid <=  22 AND nome='x'",
  };
  // A duplicate and a locked row are skipped quietly; any other refusal is reported too.
  recorder.FailOn(piece[0], {-239, u"Could not insert new row - duplicate value in a UNIQUE INDEX column."});
  recorder.FailOn(piece[1], {-268, u"Unique constraint violated."});
  recorder.FailOn(piece[2], {-346, u"Could not update a row in the table."});
  ASSERT_TRUE(Update(10, u"x", u"y"));
  EXPECT_EQ(recorder.Statements().back(),
            u"UPDATE t SET nome = 'y' WHERE rowid >=  22 AND rowid <=  30 AND nome='x'");
  EXPECT_EQ(db.Count(u"t", u"nome='y'"), 9);  // the last piece, 22..30

  const std::u16string logged[] = {
      u"Ricarico sub 'FrazionaTabellaXupdate':-239,Could not insert new row - duplicate value in a UNIQUE "
      u"INDEX "
      u"column.," +
          piece[0],
      u"Ricarico sub 'FrazionaTabellaXupdate':-268,Unique constraint violated.," + piece[1],
      u"Ricarico sub 'FrazionaTabellaXupdate':-346,Could not update a row in the table.," + piece[2],
  };
  EXPECT_EQ(LogLines("errUP3.log"),
            (std::vector<std::string>{Ansi(logged[0]), Ansi(logged[1]), Ansi(logged[2])}));
  const std::vector<std::string> reports = LogLines("error.log");
  ASSERT_EQ(reports.size(), 1u);
  ExpectReportLine(reports[0], u"-346, " + logged[2] +
                                   u", Could not update a row in the table.Istruzione sql: " + piece[2]);
}

// A connection to a data source that does not exist, opened on first use as the thread's is.
class UnreachableConnection final : public DatabaseConnection {
 public:
  std::vector<Number> Query(std::u16string_view sql, int columns) override {
    return OdbcConnection(u"DSN=NESSUNA_ORIGINE").Query(sql, columns);
  }
  void Execute(std::u16string_view sql) override { OdbcConnection(u"DSN=NESSUNA_ORIGINE").Execute(sql); }
};

TEST_F(SplittingTest, OwnFailuresAreAFalseResultWithoutAReport) {
  UnreachableConnection unreachable;
  EXPECT_FALSE(NoLongTransaction(unreachable, u"t", 10, u"DELETE", NoColumn, u"", u""));

  EXPECT_FALSE(NoLongTransaction(recorder, u"nessuna_tabella", 10, u"DELETE", NoColumn, u"", u""));
  EXPECT_TRUE(Delete(0));  // an empty table needs no division
  db.InsertRows(u"t", 1, 1, 3, u"x");
  EXPECT_FALSE(Delete(0));  // division by zero
  EXPECT_FALSE(Delete(-1));
  EXPECT_FALSE(NoLongTransaction(
      recorder, u"t", 1, u"UPDATE", []() -> std::u16string { throw com::RunTimeError(9); }, u"y", u"x"));
  db.InsertRow(u"t", std::int64_t{1} << 40, u"x");  // a rowid beyond 32 bits: overflow
  EXPECT_FALSE(Delete(1));

  EXPECT_EQ(db.Count(u"t"), 4);
  EXPECT_TRUE(LogLines("error.log").empty());
}

TEST_F(SplittingTest, AReportThatCannotBeWrittenEndsTheSplitWithFalse) {
  ::CreateDirectoryA("C:\\error.log", nullptr);  // error.log cannot be opened as a file
  db.InsertRows(u"t", 1, 1, 30, u"x");
  recorder.FailOn(u"DELETE FROM t WHERE rowid >=  8 AND rowid <=  15", {-243, u"Could not position"});
  EXPECT_FALSE(Delete(10));
  EXPECT_EQ(recorder.Statements().back(), u"DELETE FROM t WHERE rowid >=  8 AND rowid <=  15");
  EXPECT_EQ(db.Count(u"t"), 22);
}

TEST_F(SplittingTest, GestioneErroreAppendsOneLinePerReport) {
  GestioneErrore(u"Funzione 'FrazionaTabella':", u"Impossibile trovare il file", 53);
  GestioneErrore(u"Perché", u"Città", -239);
  const std::vector<std::string> lines = LogLines("error.log");
  ASSERT_EQ(lines.size(), 2u);
  ExpectReportLine(lines[0], u" 53, Funzione 'FrazionaTabella':, Impossibile trovare il file");
  ExpectReportLine(lines[1], u"-239, Perché, Città");
}

}  // namespace
}  // namespace talvo::translators::informix
