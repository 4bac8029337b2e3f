// zip32.dll as Zipova finds it: only in Zipova's own folder or in the system folder, never through
// the normal search, which would take a library planted beside a document in the current folder.
#pragma once

#include "Zip32.h"

namespace talvo::zipova {

struct ZipLibraryEntryPoints {
  ZpInitFunction ZpInit = nullptr;
  ZpSetOptionsFunction ZpSetOptions = nullptr;
  ZpGetOptionsFunction ZpGetOptions = nullptr;
  ZpArchiveFunction ZpArchive = nullptr;

  // Whether every entry point that a Zip calls was found.
  bool Complete() const noexcept { return ZpInit && ZpSetOptions && ZpArchive; }
};

// The library's entry points, loaded on the first call that finds the library and kept for the
// life of the process; empty while the library cannot be found.
ZipLibraryEntryPoints ZipLibrary() noexcept;

}  // namespace talvo::zipova
