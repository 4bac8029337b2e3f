// Archives made by the tests, handed to the independent readers: each archive is copied into the
// build's archive folder with a manifest of the entries it must hold, and tools/check-archives.py
// then runs unzip -t, zipinfo, 7z t and Python's zipfile over every one of them.
#pragma once

#include <string>
#include <vector>

namespace talvo::test {

enum class Method { Any, Stored, Deflated };

struct ExpectedEntry {
  std::string name;     // UTF-8; a folder ends with "/"
  std::string content;  // the bytes a reader must extract
  Method method = Method::Any;
};

// Copies the archive (a Windows path) into the check folder as <caseName>.zip and writes
// <caseName>.manifest beside it. Names are compared as a set, contents byte for byte.
void RecordArchive(const std::string& caseName, const std::string& archive,
                   const std::vector<ExpectedEntry>& entries);

// The check folder as the test's Windows side sees it, with a trailing backslash.
std::string CheckFolder();

}  // namespace talvo::test
