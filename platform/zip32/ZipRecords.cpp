// Record layouts as the zip format fixes them; zip64 fields appear only when a value needs them.
#include "ZipRecords.h"

namespace zip32 {

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
void Put64(std::string& out, std::uint64_t value) {
  Put32(out, static_cast<std::uint32_t>(value));
  Put32(out, static_cast<std::uint32_t>(value >> 32));
}
std::uint16_t Get16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Get32(const unsigned char* p) {
  return Get16(p) | (static_cast<std::uint32_t>(Get16(p + 2)) << 16);
}
std::uint64_t Get64(const unsigned char* p) {
  return Get32(p) | (static_cast<std::uint64_t>(Get32(p + 4)) << 32);
}

std::string LocalHeader(const CentralEntry& e, bool zip64Sizes) {
  std::string extra;
  if (zip64Sizes) {
    Put16(extra, 0x0001);
    Put16(extra, 16);
    Put64(extra, e.size);
    Put64(extra, e.compressedSize);
  }
  extra += e.extra;
  std::string out;
  Put32(out, kLocalSignature);
  Put16(out, zip64Sizes ? 45 : e.needed);
  Put16(out, e.flags);
  Put16(out, e.method);
  Put16(out, e.time);
  Put16(out, e.date);
  Put32(out, e.crc);
  Put32(out, zip64Sizes ? kMax32 : static_cast<std::uint32_t>(e.compressedSize));
  Put32(out, zip64Sizes ? kMax32 : static_cast<std::uint32_t>(e.size));
  Put16(out, static_cast<std::uint32_t>(e.name.size()));
  Put16(out, static_cast<std::uint32_t>(extra.size()));
  out += e.name;
  out += extra;
  return out;
}

std::string CentralHeader(const CentralEntry& e) {
  const bool bigSize = e.size >= kMax32;
  const bool bigCompressed = e.compressedSize >= kMax32;
  const bool bigOffset = e.offset >= kMax32;
  std::string zip64;
  if (bigSize) Put64(zip64, e.size);
  if (bigCompressed) Put64(zip64, e.compressedSize);
  if (bigOffset) Put64(zip64, e.offset);
  std::string extra;
  if (!zip64.empty()) {
    Put16(extra, 0x0001);
    Put16(extra, static_cast<std::uint32_t>(zip64.size()));
    extra += zip64;
  }
  extra += e.extra;
  std::string out;
  Put32(out, kCentralSignature);
  Put16(out, e.madeBy);
  Put16(out, zip64.empty() ? e.needed : (e.needed > 45 ? e.needed : 45));
  Put16(out, e.flags);
  Put16(out, e.method);
  Put16(out, e.time);
  Put16(out, e.date);
  Put32(out, e.crc);
  Put32(out, bigCompressed ? kMax32 : static_cast<std::uint32_t>(e.compressedSize));
  Put32(out, bigSize ? kMax32 : static_cast<std::uint32_t>(e.size));
  Put16(out, static_cast<std::uint32_t>(e.name.size()));
  Put16(out, static_cast<std::uint32_t>(extra.size()));
  Put16(out, static_cast<std::uint32_t>(e.comment.size()));
  Put16(out, 0);
  Put16(out, e.internalAttributes);
  Put32(out, e.externalAttributes);
  Put32(out, bigOffset ? kMax32 : static_cast<std::uint32_t>(e.offset));
  out += e.name;
  out += extra;
  out += e.comment;
  return out;
}

std::string EndRecords(std::uint64_t count, std::uint64_t size, std::uint64_t offset,
                       const std::string& comment) {
  const bool zip64 = count >= kMax16 || size >= kMax32 || offset >= kMax32;
  std::string out;
  if (zip64) {
    const std::uint64_t recordOffset = offset + size;
    Put32(out, kZip64EndSignature);
    Put64(out, 44);
    Put16(out, 45);
    Put16(out, 45);
    Put32(out, 0);
    Put32(out, 0);
    Put64(out, count);
    Put64(out, count);
    Put64(out, size);
    Put64(out, offset);
    Put32(out, kZip64LocatorSignature);
    Put32(out, 0);
    Put64(out, recordOffset);
    Put32(out, 1);
  }
  Put32(out, kEndSignature);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, zip64 ? kMax16 : static_cast<std::uint32_t>(count));
  Put16(out, zip64 ? kMax16 : static_cast<std::uint32_t>(count));
  Put32(out, zip64 ? kMax32 : static_cast<std::uint32_t>(size));
  Put32(out, zip64 ? kMax32 : static_cast<std::uint32_t>(offset));
  Put16(out, static_cast<std::uint32_t>(comment.size()));
  out += comment;
  return out;
}

std::string TimestampExtra(std::int64_t unixSeconds) {
  if (unixSeconds < INT32_MIN) unixSeconds = INT32_MIN;
  if (unixSeconds > INT32_MAX) unixSeconds = INT32_MAX;
  std::string out;
  Put16(out, 0x5455);
  Put16(out, 5);
  out += '\x01';
  Put32(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(unixSeconds)));
  return out;
}

}  // namespace zip32
