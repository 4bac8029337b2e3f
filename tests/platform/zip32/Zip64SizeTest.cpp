// zip64 by size: an entry of more than 4 GiB, stored, so that the archive passes 4 GiB too and the
// entry after it lies beyond 4 GiB. The large file is sparse and laid out natively before this
// test; zip64-size.py then checks the archive with the independent readers. (Stored rather than
// deflated: the archive must pass 4 GiB, and a second pass over 4 GiB would double the time.)
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Zip32.h"
#include "raii/unique_any.h"

namespace {

std::string WindowsPath(const std::string& host) {
  std::string path = "Z:";
  for (char c : host) path += c == '/' ? '\\' : c;
  return path;
}

struct Caso {
  const char* archive;
  char level;
  std::vector<std::string> names;
};

class Zip64BySize : public ::testing::TestWithParam<Caso> {};

TEST_P(Zip64BySize, EntryAndArchivePastFourGiB) {
  const Caso& c = GetParam();
  talvo::unique_hmodule library(::LoadLibraryA(WindowsPath(TALVO_SERVER_zip32).c_str()));
  ASSERT_TRUE(library);
  auto init =
      reinterpret_cast<ZpInitFunction>(reinterpret_cast<void*>(::GetProcAddress(library.get(), "ZpInit")));
  auto set = reinterpret_cast<ZpSetOptionsFunction>(
      reinterpret_cast<void*>(::GetProcAddress(library.get(), "ZpSetOptions")));
  auto run = reinterpret_cast<ZpArchiveFunction>(
      reinterpret_cast<void*>(::GetProcAddress(library.get(), "ZpArchive")));
  ZipCallbacksRecord callbacks{};
  init(&callbacks);
  std::string root = WindowsPath(TALVO_ZIP64_SIZE_TREE) + "\\";
  ZipOptionsRecord options{};
  options.RootDir = root.data();
  options.Quiet = -1;
  options.CompressionLevel = c.level;
  set(&options);
  ZipNamesRecord names{};
  std::vector<std::string> copies = c.names;
  for (std::size_t i = 0; i < copies.size(); ++i) names.Names[i] = copies[i].data();
  std::string archive = root + c.archive;
  ::DeleteFileA(archive.c_str());
  ASSERT_EQ(run(static_cast<int>(copies.size()), archive.data(), &names), zip32::Done);
}

// The names of the archives are those zip64-size.py expects.
INSTANTIATE_TEST_SUITE_P(
    Casi, Zip64BySize, ::testing::Values(Caso{"stored.zip", 0, {"grande.bin", "dopo.txt"}}),
    [](const ::testing::TestParamInfo<Caso>& info) {
      return std::string(info.param.archive).substr(0, std::string(info.param.archive).find('.'));
    });

}  // namespace
