// The pass-through connection through which the Informix translator reaches its database, and
// the failure it reports: run-time error 3146 carrying the engine's first error entry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/RunTimeError.h"

namespace talvo::translators::informix {

// One entry of the engine's error list: the server's own number and text.
struct EngineError {
  long number = 0;
  std::u16string text;
};

// A call to the database that failed: run-time error 3146, with the first error entry.
class DatabaseError : public com::RunTimeError {
 public:
  explicit DatabaseError(EngineError first)
      : RunTimeError(com::RunTimeNumber::OdbcCallFailed), first_(std::move(first)) {}
  const EngineError& FirstEntry() const noexcept { return first_; }

 private:
  EngineError first_;
};

// A column value of a query's current row read as a number; empty for a null.
using Number = std::optional<std::int64_t>;

class DatabaseConnection {
 public:
  virtual ~DatabaseConnection() = default;

  // Passes a query to the server unchanged, reads the first `columns` columns (numbered from 0)
  // of its current row and closes the result set. A query without a row is a failure.
  virtual std::vector<Number> Query(std::u16string_view sql, int columns) = 0;

  // Passes a statement to the server unchanged; nothing is read back.
  virtual void Execute(std::u16string_view sql) = 0;
};

}  // namespace talvo::translators::informix
