// The options record of a run read into what the library does: texts as wide paths, flags as
// Booleans, the level, the date filter; contradictory combinations refused, fields we do not
// support named so that they can be reported.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Zip32.h"

namespace zip32 {

struct Settings {
  std::wstring rootDir;  // empty: the process's current folder
  std::wstring tempDir;  // used only with needTempDir
  bool needTempDir = false;
  bool includeSystemFiles = false;
  bool excludeExtraAttributes = false;
  bool ignoreDirectories = false;
  bool verbose = false;
  bool quiet = false;
  bool crlfToLf = false;
  bool lfToCrlf = false;
  bool junkDirectoryNames = false;
  bool allowAppend = false;
  bool forceDosNames = false;
  bool moveFiles = false;
  bool deleteEntries = false;
  bool overwriteIfNewer = false;
  bool freshen = false;
  bool latestTime = false;
  bool comment = false;
  bool recurse = false;
  int level = 0;  // 0 stores, 1-9 deflate
  // Local midnight of the filter date, as a FILETIME count, when a date filter is on.
  std::optional<std::uint64_t> excludeBefore;  // ExcludeEarlierFiles: files older are left out
  std::optional<std::uint64_t> includeBefore;  // IncludeEarlierFiles: only files older are taken
  std::vector<std::string> unsupported;        // option names that are set but not supported
};

// Throws Failure(ContradictoryOptions) for options that cannot hold together.
Settings ReadSettings(const ZipOptionsRecord& record);

// A date text as mmddyyyy, yyyy-mm-dd or whatever the platform's date conversion accepts under the
// current locale: local midnight of that day as a FILETIME count, or nothing.
std::optional<std::uint64_t> ReadDateText(const std::string& text);

// ANSI text of the system code page to UTF-16, and back.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text, UINT codePage);

}  // namespace zip32
