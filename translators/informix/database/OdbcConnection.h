// A DatabaseConnection over ODBC: one environment and one connection, opened by a connection
// string without any prompt; every statement on a fresh statement handle.
#pragma once

#include <string>

#include "DatabaseConnection.h"
#include "raii/unique_odbc.h"

namespace talvo::translators::informix {

class OdbcConnection final : public DatabaseConnection {
 public:
  // Connects at once; throws DatabaseError when the data source cannot be reached.
  explicit OdbcConnection(const std::u16string& connectionString);

  std::vector<Number> Query(std::u16string_view sql, int columns) override;
  void Execute(std::u16string_view sql) override;

 private:
  // A statement handle on which sql has run; throws DatabaseError when it fails.
  unique_odbc_stmt Run(std::u16string_view sql);

  unique_odbc_env env_;
  unique_odbc_dbc dbc_;
};

}  // namespace talvo::translators::informix
