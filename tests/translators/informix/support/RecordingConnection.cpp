// Recording and failure injection in front of a real connection.
#include "RecordingConnection.h"

namespace talvo::test {

using translators::informix::DatabaseError;

void RecordingConnection::FailOn(const std::u16string& sql, translators::informix::EngineError error) {
  failures_[sql] = std::move(error);
}

void RecordingConnection::Record(std::u16string_view sql) {
  statements_.emplace_back(sql);
  auto failure = failures_.find(statements_.back());
  if (failure != failures_.end()) throw DatabaseError(failure->second);
}

std::vector<translators::informix::Number> RecordingConnection::Query(std::u16string_view sql, int columns) {
  Record(sql);
  return real_.Query(sql, columns);
}

void RecordingConnection::Execute(std::u16string_view sql) {
  Record(sql);
  real_.Execute(sql);
}

}  // namespace talvo::test
