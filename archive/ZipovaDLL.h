// The binding of the Zipova class to zip32.dll: the library loaded on first use and kept, the
// calling sequence of one Zip and the four callbacks the library calls back.
#pragma once

#include "ZipovaState.h"

namespace talvo::zipova {

// Zip's result when zip32.dll or one of its entry points cannot be found: nothing was called.
constexpr long kZipLibraryMissing = -3;

// Runs the zip library with the object's options, archive name and file list, and takes back
// whatever the library wrote into the records. Returns ZpArchive's result, or kZipLibraryMissing.
long RunZipLibrary(ZipovaState& state) noexcept;

}  // namespace talvo::zipova
