// The test data source TALVO seen from a test: a connection of the test's own, tables made and
// filled with SQL (SQLite keeps the rowids it is given), rows counted back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "database/OdbcConnection.h"

namespace talvo::test {

class TestDatabase {
 public:
  TestDatabase();

  // Replaces the table with an empty one of one text column, nome.
  void CreateTable(std::u16string_view table);
  // count rows with the rowids first, first + step, ..., each holding value in nome.
  void InsertRows(std::u16string_view table, std::int64_t first, std::int64_t step, std::int64_t count,
                  std::u16string_view value);
  void InsertRow(std::u16string_view table, std::int64_t rowid, std::u16string_view value);

  // SELECT COUNT(*) FROM table, with an optional WHERE clause.
  std::int64_t Count(std::u16string_view table, std::u16string_view where = u"");

  translators::informix::OdbcConnection& Connection() { return connection_; }

 private:
  translators::informix::OdbcConnection connection_;
};

}  // namespace talvo::test
