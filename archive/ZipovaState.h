// The state of one Zipova object, all of it private to the object: the options record of the zip
// library (its texts kept apart as automation strings), the file list, its count and the archive name.
#pragma once

#include <windows.h>

#include <array>

#include "Zip32.h"
#include "raii/unique_any.h"

namespace talvo::zipova {

struct ZipovaState {
  // The record's flags and level byte; its text pointers stay null here, the texts live below.
  ZipOptionsRecord options{};
  unique_bstr IncludeExcludeDate;
  unique_bstr RootDir;
  unique_bstr TempDir;
  std::array<unique_bstr, kZipNameSlots> files;
  short fileCount = 0;
  unique_bstr ZipFileName;
};

}  // namespace talvo::zipova
