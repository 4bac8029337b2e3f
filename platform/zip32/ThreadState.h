// What ZpInit and ZpSetOptions leave for a later ZpArchive, kept per calling thread: objects in
// two apartments may interleave their calls, and each must see only its own callbacks and options.
#pragma once

#include <optional>
#include <string>

#include "Zip32.h"

namespace zip32 {

// The options of one thread, with copies of their texts: the caller frees its own at once.
struct StoredOptions {
  ZipOptionsRecord record{};
  std::optional<std::string> includeExcludeDate;
  std::optional<std::string> rootDir;
  std::optional<std::string> tempDir;

  // The record with its text pointers aimed at the copies.
  ZipOptionsRecord View();
};

struct ThreadState {
  ZipCallbacksRecord callbacks{};
  StoredOptions options;
  // Set while ZpArchive runs on this thread, so that a call from inside a callback is refused.
  bool archiving = false;
};

// The calling thread's state, created empty on first use.
ThreadState& CurrentThreadState();

}  // namespace zip32
