// zip64 produced and read back: an archive of more entries than the 16-bit count holds, then
// updated, which reads its zip64 end records to copy every entry over.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ArchiveCase.h"
#include "FileDiProva.h"
#include "Zip32.h"
#include "raii/unique_any.h"

namespace {

constexpr int kEntries = 65600;

std::string Zip32Path() {
  std::string path = "Z:";
  for (char c : std::string(TALVO_SERVER_zip32)) path += c == '/' ? '\\' : c;
  return path;
}

int Archive(HMODULE library, std::string root, std::string archive, std::string name) {
  auto init = reinterpret_cast<ZpInitFunction>(reinterpret_cast<void*>(::GetProcAddress(library, "ZpInit")));
  auto set = reinterpret_cast<ZpSetOptionsFunction>(
      reinterpret_cast<void*>(::GetProcAddress(library, "ZpSetOptions")));
  auto run =
      reinterpret_cast<ZpArchiveFunction>(reinterpret_cast<void*>(::GetProcAddress(library, "ZpArchive")));
  ZipCallbacksRecord callbacks{};
  init(&callbacks);
  ZipOptionsRecord options{};
  options.RootDir = root.data();
  options.RecurseSubdirectories = -1;
  options.ExcludeExtraAttributes = -1;
  options.CompressionLevel = 6;
  set(&options);
  ZipNamesRecord names{};
  names.Names[0] = name.data();
  return run(1, archive.data(), &names);
}

TEST(Zip64, MoreThan65535EntriesAreWrittenAndReadBack) {
  talvo::unique_hmodule library(::LoadLibraryA(Zip32Path().c_str()));
  ASSERT_TRUE(library);
  talvo::test::CartellaTemporanea cartella;
  // The tree is laid out natively before this test (writing 65,600 files through Wine is slow):
  // molti\f<i>.txt holding i, and ultimo.txt.
  std::string root = "Z:";
  for (char c : std::string(TALVO_ZIP64_TREE)) root += c == '/' ? '\\' : c;
  root += "\\";
  std::vector<talvo::test::ExpectedEntry> entries{{"molti/", ""}};
  for (int i = 0; i < kEntries; ++i) {
    entries.push_back({"molti/f" + std::to_string(i) + ".txt", std::to_string(i)});
  }
  const std::string archive = cartella / "zip64.zip";
  ASSERT_EQ(Archive(library.get(), root, archive, "molti"), zip32::Done);

  // The update reads the zip64 records back and copies every entry.
  ASSERT_EQ(Archive(library.get(), root, archive, "ultimo.txt"), zip32::Done);
  entries.push_back({"ultimo.txt", "ultimo"});
  const std::string bytes = talvo::test::LeggiFile(archive);
  EXPECT_NE(bytes.find(std::string("PK\x06\x06", 4)), std::string::npos);
  talvo::test::RecordArchive("zip32_zip64_entries", archive, entries);
}

}  // namespace
