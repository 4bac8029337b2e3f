// A connection that records every statement it is given and passes it on to a real one, except
// the statements a test has marked to fail with an engine error of its choosing: numbers such
// as Informix's -239 and -268, which SQLite never gives.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "database/DatabaseConnection.h"

namespace talvo::test {

class RecordingConnection final : public translators::informix::DatabaseConnection {
 public:
  explicit RecordingConnection(translators::informix::DatabaseConnection& real) : real_(real) {}

  // The statement, when it comes, fails with this first error entry and does not reach the database.
  void FailOn(const std::u16string& sql, translators::informix::EngineError error);

  const std::vector<std::u16string>& Statements() const { return statements_; }

  std::vector<translators::informix::Number> Query(std::u16string_view sql, int columns) override;
  void Execute(std::u16string_view sql) override;

 private:
  void Record(std::u16string_view sql);

  translators::informix::DatabaseConnection& real_;
  std::map<std::u16string, translators::informix::EngineError> failures_;
  std::vector<std::u16string> statements_;
};

}  // namespace talvo::test
