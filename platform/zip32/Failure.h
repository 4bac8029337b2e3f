// The one way a run of ZpArchive fails: an exception carrying the result the caller receives,
// caught at the export's boundary.
#pragma once

#include <exception>

namespace zip32 {

class Failure : public std::exception {
 public:
  explicit Failure(int result) noexcept : result_(result) {}
  int Result() const noexcept { return result_; }
  const char* what() const noexcept override { return "zip32 failure"; }

 private:
  int result_;
};

}  // namespace zip32
