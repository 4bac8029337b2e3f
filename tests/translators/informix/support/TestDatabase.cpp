// Tables of the test data source, made through the same ODBC driver the translator uses.
#include "TestDatabase.h"

#include "database/ThreadConnection.h"
#include "splitting/SqlText.h"

namespace talvo::test {

using translators::informix::DecimalText;
using translators::informix::QuotedValue;

TestDatabase::TestDatabase() : connection_(translators::informix::kDataSource) {}

void TestDatabase::CreateTable(std::u16string_view table) {
  connection_.Execute(u"DROP TABLE IF EXISTS " + std::u16string(table));
  connection_.Execute(u"CREATE TABLE " + std::u16string(table) + u" (nome TEXT)");
}

void TestDatabase::InsertRows(std::u16string_view table, std::int64_t first, std::int64_t step,
                              std::int64_t count, std::u16string_view value) {
  // One statement however many rows: a recursive sequence of the rowids.
  connection_.Execute(u"WITH RECURSIVE n(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM n WHERE k + 1 < " +
                      DecimalText(count) + u") INSERT INTO " + std::u16string(table) +
                      u" (rowid, nome) SELECT " + DecimalText(first) + u" + k * " + DecimalText(step) +
                      u", " + QuotedValue(value) + u" FROM n");
}

void TestDatabase::InsertRow(std::u16string_view table, std::int64_t rowid, std::u16string_view value) {
  connection_.Execute(u"INSERT INTO " + std::u16string(table) + u" (rowid, nome) VALUES (" +
                      DecimalText(rowid) + u", " + QuotedValue(value) + u")");
}

std::int64_t TestDatabase::Count(std::u16string_view table, std::u16string_view where) {
  std::u16string sql = u"SELECT COUNT(*) FROM " + std::u16string(table);
  if (!where.empty()) sql += u" WHERE " + std::u16string(where);
  return connection_.Query(sql, 1)[0].value_or(-1);
}

}  // namespace talvo::test
