// The caller's callbacks as one run of ZpArchive uses them: messages (silenced by Quiet), the
// service call per entry and the archive comment. Called only on the caller's thread.
#pragma once

#include <optional>
#include <string>

#include "Zip32.h"

namespace zip32 {

class Reporter {
 public:
  Reporter(const ZipCallbacksRecord& callbacks, bool quiet, bool verbose) noexcept
      : callbacks_(callbacks), quiet_(quiet), verbose_(verbose) {}

  bool Verbose() const noexcept { return verbose_ && !quiet_; }

  // A message line for the print callback, unless Quiet.
  void Print(const std::string& message) const;
  // True when the service callback asks to stop the run.
  bool ServiceAsksToStop(const std::string& name, unsigned long long size) const;
  // The comment from the comment callback: nothing when it left the buffer untouched; throws
  // Failure(InvalidComment) when it filled all 256 bytes without an ending NUL.
  std::optional<std::string> AskComment() const;

 private:
  ZipCallbacksRecord callbacks_;
  bool quiet_;
  bool verbose_;
};

}  // namespace zip32
