// The Informix translator's connection on the real test data source: statements passed through,
// columns 0 and 1 read back, failures with the first diagnostic, one connection per thread.
#include <gtest/gtest.h>

#include <thread>

#include "TestDatabase.h"
#include "database/OdbcConnection.h"
#include "database/ThreadConnection.h"

namespace talvo::translators::informix {
namespace {

using test::TestDatabase;

TEST(OdbcConnection, ReadsColumnsZeroAndOneOfTheCurrentRow) {
  TestDatabase db;
  db.CreateTable(u"t");
  db.InsertRows(u"t", 257, 4, 3, u"x");
  const std::vector<Number> row = db.Connection().Query(u"SELECT MAX(rowid), MIN(rowid) FROM t", 2);
  ASSERT_EQ(row.size(), 2u);
  EXPECT_EQ(row[0], Number(265));
  EXPECT_EQ(row[1], Number(257));
  EXPECT_EQ(db.Connection().Query(u"SELECT MAX(rowid) FROM t WHERE rowid > 1000", 1)[0], Number());
}

TEST(OdbcConnection, AStatementThatTouchesNoRowIsNoFailure) {
  TestDatabase db;
  db.CreateTable(u"t");
  EXPECT_NO_THROW(db.Connection().Execute(u"DELETE FROM t WHERE rowid >=  1 AND rowid <=  9"));
  EXPECT_NO_THROW(db.Connection().Execute(u"UPDATE t SET nome = 'a' WHERE nome='b'"));
}

TEST(OdbcConnection, AFailedCallIsError3146WithTheFirstDiagnostic) {
  TestDatabase db;
  try {
    db.Connection().Query(u"SELECT COUNT(*) FROM nessuna_tabella", 1);
    FAIL() << "the query should fail";
  } catch (const DatabaseError& e) {
    EXPECT_EQ(e.Number(), 3146);
    EXPECT_EQ(e.Description(), u"Chiamata ODBC non riuscita");
    EXPECT_EQ(e.FirstEntry().number, 1);  // SQLite's SQLITE_ERROR
    EXPECT_NE(e.FirstEntry().text.find(u"no such table: nessuna_tabella"), std::u16string::npos);
  }
}

TEST(OdbcConnection, AQueryWithoutARowIsAFailure) {
  TestDatabase db;
  db.CreateTable(u"t");
  try {
    db.Connection().Query(u"SELECT rowid, nome FROM t", 2);
    FAIL() << "the query should fail";
  } catch (const com::RunTimeError& e) {
    EXPECT_EQ(e.Number(), 3021);
  }
}

TEST(OdbcConnection, AnUnknownDataSourceCannotBeOpened) {
  try {
    OdbcConnection connection(u"DSN=NESSUNA_ORIGINE");
    FAIL() << "the connection should fail";
  } catch (const DatabaseError& e) {
    EXPECT_EQ(e.Number(), 3146);
    EXPECT_FALSE(e.FirstEntry().text.empty());
  }
}

// A temporary table lives in the connection that made it: it shows which connection a thread uses.
bool SeesTemporaryTable(DatabaseConnection& connection) {
  try {
    connection.Query(u"SELECT COUNT(*) FROM temp.segno", 1);
    return true;
  } catch (const DatabaseError&) {
    return false;
  }
}

TEST(ThreadConnection, OpensOnFirstUseAndKeepsOneConnectionPerThread) {
  ThreadConnection::Close();
  EXPECT_FALSE(ThreadConnection::Connected());
  ThreadConnection mine;
  mine.Execute(u"CREATE TEMP TABLE segno (x)");
  EXPECT_TRUE(ThreadConnection::Connected());
  ThreadConnection again;
  EXPECT_TRUE(SeesTemporaryTable(again));  // the same connection, kept

  bool otherConnectedBefore = true, otherSees = true, otherConnectedAfter = false;
  std::thread other([&] {
    otherConnectedBefore = ThreadConnection::Connected();
    ThreadConnection theirs;
    otherSees = SeesTemporaryTable(theirs);
    otherConnectedAfter = ThreadConnection::Connected();
  });
  other.join();
  EXPECT_FALSE(otherConnectedBefore);
  EXPECT_FALSE(otherSees);
  EXPECT_TRUE(otherConnectedAfter);

  EXPECT_TRUE(SeesTemporaryTable(mine));
  ThreadConnection::Close();
  EXPECT_FALSE(SeesTemporaryTable(mine));  // a new connection, opened on use
}

TEST(ThreadConnection, ConnectionsOutliveTheirThreadsUntilCloseAll) {
  ThreadConnection::CloseAll();
  EXPECT_EQ(ThreadConnection::OpenCount(), 0u);
  // Two threads connect and end: no thread-local destructor disconnects them (that would run
  // under the loader lock when the library unloads), so the registry still holds both.
  for (int i = 0; i < 2; ++i) {
    std::thread worker([] {
      ThreadConnection connection;
      connection.Query(u"SELECT 1", 1);
    });
    worker.join();
  }
  EXPECT_EQ(ThreadConnection::OpenCount(), 2u);
  ThreadConnection::CloseAll();
  EXPECT_EQ(ThreadConnection::OpenCount(), 0u);
  EXPECT_FALSE(ThreadConnection::Connected());
}

}  // namespace
}  // namespace talvo::translators::informix
