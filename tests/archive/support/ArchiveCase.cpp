// The manifest is one line per entry: method, a tab, the name in hexadecimal, a tab, the content
// in hexadecimal; hexadecimal keeps every name and byte intact whatever the code pages.
#include "ArchiveCase.h"

#include <windows.h>

#include <fstream>
#include <stdexcept>

namespace talvo::test {
namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

const char* MethodName(Method method) {
  switch (method) {
    case Method::Stored: return "stored";
    case Method::Deflated: return "deflated";
    default: return "any";
  }
}

}  // namespace

std::string CheckFolder() {
  std::string folder = "Z:";
  for (char c : std::string(TALVO_ARCHIVE_CHECK_DIR)) folder += c == '/' ? '\\' : c;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\";
}

void RecordArchive(const std::string& caseName, const std::string& archive,
                   const std::vector<ExpectedEntry>& entries) {
  const std::string base = CheckFolder() + caseName;
  if (!::CopyFileA(archive.c_str(), (base + ".zip").c_str(), FALSE)) {
    throw std::runtime_error("cannot copy " + archive);
  }
  std::ofstream manifest(base + ".manifest", std::ios::binary | std::ios::trunc);
  for (const ExpectedEntry& e : entries) {
    manifest << MethodName(e.method) << '\t' << Hex(e.name) << '\t' << Hex(e.content) << '\n';
  }
  if (!manifest) throw std::runtime_error("cannot write the manifest of " + caseName);
}

}  // namespace talvo::test
