// Reading the central directory of an existing archive, so that an update keeps the entries it
// does not replace by copying their records as they are.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ZipRecords.h"

namespace zip32 {

struct ExistingArchive {
  std::vector<CentralEntry> entries;
  std::uint64_t centralOffset = 0;  // where the central directory starts: the end of the entries
  std::uint64_t size = 0;           // the file's length
  std::string comment;
};

// Throws Failure(NotAZipArchive) for a file that is no zip archive and Failure(ArchiveEndsEarly)
// for one that is cut short.
ExistingArchive ReadArchive(HANDLE file);

// The length of an entry's local record: header, data and data descriptor.
std::uint64_t LocalRecordLength(HANDLE file, const CentralEntry& entry);

// The entry's name as UTF-16: UTF-8 when flagged so, the OEM code page otherwise.
std::wstring EntryNameText(const CentralEntry& entry);

}  // namespace zip32
