// The records of the zip container as bytes: local headers, the central directory, zip64 records
// and the end record. Pure functions over little-endian byte strings.
#pragma once

#include <cstdint>
#include <string>

namespace zip32 {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kDescriptorSignature = 0x08074b50;
constexpr std::uint16_t kFlagDescriptor = 1u << 3;
constexpr std::uint16_t kFlagUtf8 = 1u << 11;
constexpr std::uint32_t kMax32 = 0xFFFFFFFFu;
constexpr std::uint16_t kMax16 = 0xFFFFu;
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;

// What the central directory says of one entry.
struct CentralEntry {
  std::uint16_t madeBy = 0x003F;  // MS-DOS attributes, format version 6.3
  std::uint16_t needed = 20;
  std::uint16_t flags = 0;
  std::uint16_t method = kStored;
  std::uint16_t time = 0;
  std::uint16_t date = 0;
  std::uint32_t crc = 0;
  std::uint64_t compressedSize = 0;
  std::uint64_t size = 0;
  std::uint16_t internalAttributes = 0;
  std::uint32_t externalAttributes = 0;
  std::uint64_t offset = 0;
  std::string name;   // as stored: UTF-8 with kFlagUtf8, otherwise the archive's own bytes
  std::string extra;  // extra fields other than zip64's
  std::string comment;
};

void Put16(std::string& out, std::uint32_t value);
void Put32(std::string& out, std::uint32_t value);
void Put64(std::string& out, std::uint64_t value);
std::uint16_t Get16(const unsigned char* p);
std::uint32_t Get32(const unsigned char* p);
std::uint64_t Get64(const unsigned char* p);

// A local header for the entry; with `zip64Sizes` both sizes live in a zip64 extra field.
std::string LocalHeader(const CentralEntry& entry, bool zip64Sizes);
// The central directory record of the entry, with a zip64 extra field for the values that need it.
std::string CentralHeader(const CentralEntry& entry);
// The end records for a central directory of `count` entries, `size` bytes, at `offset`; zip64
// records come first when any of the three passes the 32-bit fields.
std::string EndRecords(std::uint64_t count, std::uint64_t size, std::uint64_t offset,
                       const std::string& comment);

// The extended timestamp extra field (UTC seconds since 1970) for a file's last write.
std::string TimestampExtra(std::int64_t unixSeconds);

}  // namespace zip32
