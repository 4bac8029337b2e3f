// The end record is found by scanning back from the end; zip64 records are followed when the
// 32-bit fields say so. Every offset is checked against the file before it is used.
#include "ArchiveReader.h"

#include <algorithm>

#include "Failure.h"
#include "FileIo.h"
#include "Settings.h"
#include "Zip32.h"

namespace zip32 {
namespace {

const unsigned char* Bytes(const std::string& s, std::size_t at = 0) {
  return reinterpret_cast<const unsigned char*>(s.data()) + at;
}

// Applies a zip64 extra field to the values whose 32-bit slots are full, and returns the other
// extra fields.
std::string TakeZip64(const std::string& extra, CentralEntry& e, bool sizeFull, bool compressedFull,
                      bool offsetFull) {
  std::string rest;
  std::size_t at = 0;
  while (at + 4 <= extra.size()) {
    const std::uint16_t id = Get16(Bytes(extra, at));
    const std::size_t length = Get16(Bytes(extra, at + 2));
    if (at + 4 + length > extra.size()) break;
    if (id == 0x0001) {
      std::size_t field = at + 4;
      const std::size_t end = field + length;
      auto take = [&](bool full, std::uint64_t& value) {
        if (full && field + 8 <= end) {
          value = Get64(Bytes(extra, field));
          field += 8;
        }
      };
      take(sizeFull, e.size);
      take(compressedFull, e.compressedSize);
      take(offsetFull, e.offset);
    } else {
      rest += extra.substr(at, 4 + length);
    }
    at += 4 + length;
  }
  return rest;
}

}  // namespace

ExistingArchive ReadArchive(HANDLE file) {
  ExistingArchive archive;
  archive.size = FileSize(file);
  const std::uint64_t tailLength = std::min<std::uint64_t>(archive.size, 22 + 0xFFFF);
  const std::string tail =
      ReadAt(file, archive.size - tailLength, static_cast<std::size_t>(tailLength), ArchiveEndsEarly);
  std::size_t found = std::string::npos;
  for (std::size_t at = tail.size() >= 22 ? tail.size() - 22 + 1 : 0; at-- > 0;) {
    if (Get32(Bytes(tail, at)) == kEndSignature && at + 22 + Get16(Bytes(tail, at + 20)) <= tail.size()) {
      found = at;
      break;
    }
  }
  if (found == std::string::npos) {
    // A file that starts as an archive but has no end record was cut short.
    const bool startsAsZip =
        tail.size() >= 4 && archive.size == tailLength && Get32(Bytes(tail)) == kLocalSignature;
    throw Failure(startsAsZip ? ArchiveEndsEarly : NotAZipArchive);
  }
  const std::uint64_t endOffset = archive.size - tailLength + found;
  const unsigned char* end = Bytes(tail, found);
  std::uint64_t count = Get16(end + 10);
  std::uint64_t centralSize = Get32(end + 12);
  std::uint64_t centralOffset = Get32(end + 16);
  archive.comment = tail.substr(found + 22, Get16(end + 20));
  std::uint64_t centralEnd = endOffset;
  if ((count == kMax16 || centralSize == kMax32 || centralOffset == kMax32) && endOffset >= 20) {
    const std::string locator = ReadAt(file, endOffset - 20, 20, ArchiveEndsEarly);
    if (Get32(Bytes(locator)) == kZip64LocatorSignature) {
      const std::uint64_t recordOffset = Get64(Bytes(locator, 8));
      if (recordOffset + 56 > endOffset) throw Failure(ArchiveEndsEarly);
      const std::string record = ReadAt(file, recordOffset, 56, ArchiveEndsEarly);
      if (Get32(Bytes(record)) != kZip64EndSignature) throw Failure(NotAZipArchive);
      count = Get64(Bytes(record, 32));
      centralSize = Get64(Bytes(record, 40));
      centralOffset = Get64(Bytes(record, 48));
      centralEnd = recordOffset;
    }
  }
  if (centralOffset + centralSize > centralEnd) throw Failure(ArchiveEndsEarly);
  archive.centralOffset = centralOffset;
  const std::string central =
      ReadAt(file, centralOffset, static_cast<std::size_t>(centralSize), ArchiveEndsEarly);
  std::size_t at = 0;
  archive.entries.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(count, 1u << 20)));
  for (std::uint64_t i = 0; i < count; ++i) {
    if (at + 46 > central.size()) throw Failure(ArchiveEndsEarly);
    const unsigned char* h = Bytes(central, at);
    if (Get32(h) != kCentralSignature) throw Failure(NotAZipArchive);
    CentralEntry e;
    e.madeBy = Get16(h + 4);
    e.needed = Get16(h + 6);
    e.flags = Get16(h + 8);
    e.method = Get16(h + 10);
    e.time = Get16(h + 12);
    e.date = Get16(h + 14);
    e.crc = Get32(h + 16);
    e.compressedSize = Get32(h + 20);
    e.size = Get32(h + 24);
    const std::size_t nameLength = Get16(h + 28), extraLength = Get16(h + 30), commentLength = Get16(h + 32);
    e.internalAttributes = Get16(h + 36);
    e.externalAttributes = Get32(h + 38);
    e.offset = Get32(h + 42);
    if (at + 46 + nameLength + extraLength + commentLength > central.size()) throw Failure(ArchiveEndsEarly);
    e.name = central.substr(at + 46, nameLength);
    e.extra = TakeZip64(central.substr(at + 46 + nameLength, extraLength), e, e.size == kMax32,
                        e.compressedSize == kMax32, e.offset == kMax32);
    e.comment = central.substr(at + 46 + nameLength + extraLength, commentLength);
    if (e.offset + 30 > centralOffset) throw Failure(ArchiveEndsEarly);
    archive.entries.push_back(std::move(e));
    at += 46 + nameLength + extraLength + commentLength;
  }
  return archive;
}

std::uint64_t LocalRecordLength(HANDLE file, const CentralEntry& e) {
  const std::string header = ReadAt(file, e.offset, 30, ArchiveEndsEarly);
  if (Get32(Bytes(header)) != kLocalSignature) throw Failure(NotAZipArchive);
  std::uint64_t length = 30 + Get16(Bytes(header, 26)) + Get16(Bytes(header, 28)) + e.compressedSize;
  if (e.flags & kFlagDescriptor) {
    const bool zip64 = e.size >= kMax32 || e.compressedSize >= kMax32;
    const std::string signature = ReadAt(file, e.offset + length, 4, ArchiveEndsEarly);
    length += (Get32(Bytes(signature)) == kDescriptorSignature ? 4 : 0) + 4 + (zip64 ? 16 : 8);
  }
  return length;
}

std::wstring EntryNameText(const CentralEntry& e) {
  const UINT codePage = (e.flags & kFlagUtf8) ? CP_UTF8 : CP_OEMCP;
  const int size =
      ::MultiByteToWideChar(codePage, 0, e.name.data(), static_cast<int>(e.name.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(codePage, 0, e.name.data(), static_cast<int>(e.name.size()), text.data(), size);
  return text;
}

}  // namespace zip32
