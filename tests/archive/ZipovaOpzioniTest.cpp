// What each option of Zipova makes of real files, as a table of cases: every case lays out its
// files, may build an archive first, sets its options through COM, runs Zip, and its archive is
// recorded for the independent readers with the entries and bytes it must hold.
#include <gtest/gtest.h>
#include <initguid.h>

#include <functional>
#include <string>
#include <vector>

#include "ArchiveCase.h"
#include "FileDiProva.h"
#include "ServerTest.h"
#include "ZipovaDiProva.h"

namespace {

using talvo::com::ComPtr;
using talvo::test::ExpectedEntry;
using talvo::test::Method;
using Opzioni = std::function<void(_Zipova*)>;

std::wstring Server() { return talvo::test::WindowsPath(TALVO_SERVER_Zipova); }

struct File {
  std::string path;  // relative to the case's source folder; a name ending in "\" is a folder
  std::string content;
  int year = 2015;  // last written on 1 June of this year, at noon UTC
  bool hidden = false;
};

void SetYear(const std::string& path, int year) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = 6;
  st.wDay = 1;
  st.wHour = 12;
  FILETIME ft{};
  ::SystemTimeToFileTime(&st, &ft);
  HANDLE h = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  talvo::unique_handle owner(h);
  ::SetFileTime(h, nullptr, nullptr, &ft);
}

void Lay(const std::string& root, const std::vector<File>& files) {
  for (const File& f : files) {
    const std::string path = root + f.path;
    if (!f.path.empty() && f.path.back() == '\\') {
      ::CreateDirectoryA(path.c_str(), nullptr);
      if (f.hidden) ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
      continue;
    }
    talvo::test::ScriviFile(path, f.content);
    SetYear(path, f.year);
    if (f.hidden) ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
  }
}

struct Folders {
  std::string source;   // with a trailing backslash
  std::string archive;  // the archive's path
};

long Zippa(const talvo::test::LoadedServer& server, const Folders& folders,
           const std::vector<std::string>& names, const Opzioni& opzioni) {
  ComPtr<_Zipova> zipova = talvo::test::NuovoZipova(server);
  zipova->put_RootDir(talvo::test::Testo(folders.source).get());
  zipova->put_ZipFileName(talvo::test::Testo(folders.archive).get());
  zipova->put_CompressionLevel(6);
  zipova->put_Quiet(VARIANT_TRUE);
  if (opzioni) opzioni(zipova.get());
  for (const std::string& name : names) {
    short count = 0;
    zipova->AddFile(talvo::test::Testo(name).get(), &count);
  }
  long result = -100;
  zipova->Zip(&result);
  return result;
}

struct Caso {
  const char* name;
  std::vector<File> files;
  // Run before the case's own Zip: builds the archive to update and changes the files.
  std::function<void(const talvo::test::LoadedServer&, const Folders&)> before;
  Opzioni options;
  std::vector<std::string> names;
  long result;
  std::vector<ExpectedEntry> entries;
  std::function<void(const Folders&)> after = nullptr;
};

const Opzioni kRecurse = [](_Zipova* z) { z->put_RecurseSubdirectories(VARIANT_TRUE); };

const std::vector<File> kTree = {
    {"a.txt", "alfa\r\n"},
    {"sub\\", ""},
    {"sub\\b.txt", "beta\r\n"},
    {"sub\\deep\\", ""},
    {"sub\\deep\\c.txt", "gamma\r\n"},
};

// Folders for wildcards in folder parts: h1 is hidden, f1.txt is a file whose name a folder
// pattern matches.
const std::vector<File> kFolderTree = {
    {"d1\\", ""},
    {"d1\\x.txt", "x"},
    {"d1\\sub\\", ""},
    {"d1\\sub\\y.txt", "y"},
    {"d2\\", ""},
    {"d2\\z.txt", "z"},
    {"d2\\sub\\", ""},
    {"d2\\sub\\w.dat", "w"},
    {"e1\\", ""},
    {"e1\\v.txt", "v"},
    {"e1\\sub\\", ""},
    {"e1\\sub\\t.txt", "t"},
    {"h1\\", "", 2015, true},
    {"h1\\u.txt", "u"},
    {"f1.txt", "f"},
};

// An archive of `names` made with `options`, then the files in `changes` laid over the tree.
std::function<void(const talvo::test::LoadedServer&, const Folders&)> Prima(std::vector<std::string> names,
                                                                            Opzioni options,
                                                                            std::vector<File> changes) {
  return [=](const talvo::test::LoadedServer& server, const Folders& folders) {
    ASSERT_EQ(Zippa(server, folders, names, options), 0);
    Lay(folders.source, changes);
  };
}

std::string Ripetuto(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

const std::string kRepeated = Ripetuto("registro di classe, ", 400);

const Caso kCasi[] = {
    {"recursion",
     kTree,
     nullptr,
     kRecurse,
     {"*"},
     0,
     {{"a.txt", "alfa\r\n"},
      {"sub/", ""},
      {"sub/b.txt", "beta\r\n"},
      {"sub/deep/", ""},
      {"sub/deep/c.txt", "gamma\r\n"}}},
    {"no_recursion", kTree, nullptr, nullptr, {"*"}, 0, {{"a.txt", "alfa\r\n"}, {"sub/", ""}}},
    {"folder_by_name",
     kTree,
     nullptr,
     kRecurse,
     {"sub"},
     0,
     {{"sub/", ""}, {"sub/b.txt", "beta\r\n"}, {"sub/deep/", ""}, {"sub/deep/c.txt", "gamma\r\n"}}},
    {"junk_paths",
     kTree,
     nullptr,
     [](_Zipova* z) {
       z->put_RecurseSubdirectories(VARIANT_TRUE);
       z->put_JunkDirectoryNames(VARIANT_TRUE);
     },
     {"*"},
     0,
     {{"a.txt", "alfa\r\n"}, {"b.txt", "beta\r\n"}, {"c.txt", "gamma\r\n"}}},
    {"ignore_directories",
     kTree,
     nullptr,
     [](_Zipova* z) {
       z->put_RecurseSubdirectories(VARIANT_TRUE);
       z->put_IgnoreDirectories(VARIANT_TRUE);
     },
     {"*"},
     0,
     {{"a.txt", "alfa\r\n"}, {"sub/b.txt", "beta\r\n"}, {"sub/deep/c.txt", "gamma\r\n"}}},
    {"hidden_left_out",
     {{"a.txt", "visibile"}, {"h.txt", "nascosto", 2015, true}},
     nullptr,
     nullptr,
     {"*"},
     0,
     {{"a.txt", "visibile"}}},
    {"hidden_with_system_files",
     {{"a.txt", "visibile"}, {"h.txt", "nascosto", 2015, true}},
     nullptr,
     [](_Zipova* z) { z->put_IncludeSystemFiles(VARIANT_TRUE); },
     {"*"},
     0,
     {{"a.txt", "visibile"}, {"h.txt", "nascosto"}}},
    {"level_0_stores",
     {{"r.txt", kRepeated}},
     nullptr,
     [](_Zipova* z) { z->put_CompressionLevel(0); },
     {"r.txt"},
     0,
     {{"r.txt", kRepeated, Method::Stored}}},
    {"level_9_deflates",
     {{"r.txt", kRepeated}},
     nullptr,
     [](_Zipova* z) { z->put_CompressionLevel(9); },
     {"r.txt"},
     0,
     {{"r.txt", kRepeated, Method::Deflated}}},
    {"update_replaces_and_adds",
     {{"a.txt", "a1"}, {"b.txt", "b1"}},
     Prima({"*"}, nullptr, {{"a.txt", "a2"}, {"c.txt", "c1"}}),
     nullptr,
     {"*"},
     0,
     {{"a.txt", "a2"}, {"b.txt", "b1"}, {"c.txt", "c1"}}},
    {"freshen_replaces_newer_adds_none",
     {{"a.txt", "a1", 2001}, {"b.txt", "b1", 2001}},
     Prima({"*"}, nullptr, {{"a.txt", "a2", 2020}, {"b.txt", "b2", 2001}, {"c.txt", "c1", 2020}}),
     [](_Zipova* z) { z->put_Freshen(VARIANT_TRUE); },
     {"*"},
     0,
     {{"a.txt", "a2"}, {"b.txt", "b1"}}},
    {"overwrite_if_newer_adds_new",
     {{"a.txt", "a1", 2001}, {"b.txt", "b1", 2001}},
     Prima({"*"}, nullptr, {{"a.txt", "a2", 2020}, {"b.txt", "b2", 2001}, {"c.txt", "c1", 2020}}),
     [](_Zipova* z) { z->put_OverwriteIfNewer(VARIANT_TRUE); },
     {"*"},
     0,
     {{"a.txt", "a2"}, {"b.txt", "b1"}, {"c.txt", "c1"}}},
    {"delete_entries",
     kTree,
     Prima({"*"}, kRecurse, {}),
     [](_Zipova* z) { z->put_DeleteEntries(VARIANT_TRUE); },
     {"sub/deep*"},
     0,
     {{"a.txt", "alfa\r\n"}, {"sub/", ""}, {"sub/b.txt", "beta\r\n"}}},
    {"move_files",
     kTree,
     nullptr,
     [](_Zipova* z) {
       z->put_RecurseSubdirectories(VARIANT_TRUE);
       z->put_MoveFiles(VARIANT_TRUE);
     },
     {"sub"},
     0,
     {{"sub/", ""}, {"sub/b.txt", "beta\r\n"}, {"sub/deep/", ""}, {"sub/deep/c.txt", "gamma\r\n"}},
     [](const Folders& f) {
       EXPECT_FALSE(talvo::test::EsisteFile(f.source + "sub\\b.txt"));
       EXPECT_FALSE(talvo::test::EsisteFile(f.source + "sub\\deep\\c.txt"));
       EXPECT_EQ(::GetFileAttributesA((f.source + "sub").c_str()), INVALID_FILE_ATTRIBUTES);
       EXPECT_TRUE(talvo::test::EsisteFile(f.source + "a.txt"));
     }},
    {"append_in_place",
     {{"a.txt", "a1"}},
     Prima({"a.txt"}, nullptr, {{"d.txt", "d1"}}),
     [](_Zipova* z) { z->put_AllowAppend(VARIANT_TRUE); },
     {"d.txt"},
     0,
     {{"a.txt", "a1"}, {"d.txt", "d1"}}},
    {"exclude_earlier_files",
     {{"old.txt", "vecchio", 2001}, {"new.txt", "nuovo", 2020}},
     nullptr,
     [](_Zipova* z) {
       z->put_IncludeExcludeDate(talvo::test::Testo("2010-01-31").get());
       z->put_ExcludeEarlierFiles(VARIANT_TRUE);
     },
     {"*"},
     0,
     {{"new.txt", "nuovo"}}},
    {"include_earlier_files",
     {{"old.txt", "vecchio", 2001}, {"new.txt", "nuovo", 2020}},
     nullptr,
     [](_Zipova* z) {
       z->put_IncludeExcludeDate(talvo::test::Testo("2010-01-31").get());
       z->put_IncludeEarlierFiles(VARIANT_TRUE);
     },
     {"*"},
     0,
     {{"old.txt", "vecchio"}}},
    {"crlf_to_lf",
     {{"t.txt", "riga 1\r\nriga 2\r\n"}, {"b.dat", std::string("\0\x01\r\n", 4)}},
     nullptr,
     [](_Zipova* z) { z->put_Translate_CRLF_to_LF(VARIANT_TRUE); },
     {"*"},
     0,
     {{"t.txt", "riga 1\nriga 2\n"}, {"b.dat", std::string("\0\x01\r\n", 4)}}},
    {"lf_to_crlf",
     {{"t.txt", "riga 1\nriga 2\r\n"}},
     nullptr,
     [](_Zipova* z) { z->put_Translate_LF_to_CRLF(VARIANT_TRUE); },
     {"*"},
     0,
     {{"t.txt", "riga 1\r\nriga 2\r\n"}}},
    {"non_ascii_names",
     {{"perché\\", ""}, {"perché\\caffè.txt", "espresso"}},
     nullptr,
     kRecurse,
     {"perché"},
     0,
     {{"perch\xc3\xa9/", ""}, {"perch\xc3\xa9/caff\xc3\xa8.txt", "espresso"}}},
    {"wildcards",
     {{"a.txt", "a"}, {"b.txt", "b"}, {"c.dat", "c"}, {"dd.dat", "dd"}},
     nullptr,
     nullptr,
     {"*.txt", "?.dat"},
     0,
     {{"a.txt", "a"}, {"b.txt", "b"}, {"c.dat", "c"}}},
    // Wildcards in folder parts stand for every folder they match; a file that matches a folder
    // part is not a folder and gives nothing.
    {"wildcards_in_folders",
     kFolderTree,
     nullptr,
     nullptr,
     {"*\\*.txt"},
     0,
     {{"d1/x.txt", "x"}, {"d2/z.txt", "z"}, {"e1/v.txt", "v"}}},
    {"wildcards_in_folders_then_plain_parts",
     kFolderTree,
     nullptr,
     nullptr,
     {"d?\\sub\\*"},
     0,
     {{"d1/sub/y.txt", "y"}, {"d2/sub/w.dat", "w"}}},
    {"wildcards_in_folders_with_recursion",
     kFolderTree,
     nullptr,
     kRecurse,
     {"d*\\sub"},
     0,
     {{"d1/sub/", ""}, {"d1/sub/y.txt", "y"}, {"d2/sub/", ""}, {"d2/sub/w.dat", "w"}}},
    {"wildcards_in_folders_with_junk_paths",
     kFolderTree,
     nullptr,
     [](_Zipova* z) { z->put_JunkDirectoryNames(VARIANT_TRUE); },
     {"?1\\*.txt"},
     0,
     {{"x.txt", "x"}, {"v.txt", "v"}}},
    {"wildcards_in_folders_take_hidden_folders_with_system_files",
     kFolderTree,
     nullptr,
     [](_Zipova* z) { z->put_IncludeSystemFiles(VARIANT_TRUE); },
     {"*\\*.txt"},
     0,
     {{"d1/x.txt", "x"}, {"d2/z.txt", "z"}, {"e1/v.txt", "v"}, {"h1/u.txt", "u"}}},
    {"wildcards_in_folders_matching_nothing_is_12",
     kFolderTree,
     nullptr,
     nullptr,
     {"*\\manca.txt"},
     12,
     {},
     [](const Folders& f) { EXPECT_FALSE(talvo::test::EsisteFile(f.archive)); }},
    {"dos_names",
     {{"nome lungo del file.testo", "x"}},
     nullptr,
     [](_Zipova* z) { z->put_ForceDOSFileNames(VARIANT_TRUE); },
     {"*"},
     0,
     {{"NOMELUNG.TES", "x"}}},
    {"archive_time_is_latest",
     {{"a.txt", "a", 2001}, {"b.txt", "b", 2015}},
     nullptr,
     [](_Zipova* z) { z->put_ZipFileTimeIsLatestTime(VARIANT_TRUE); },
     {"*"},
     0,
     {{"a.txt", "a"}, {"b.txt", "b"}},
     [](const Folders& f) {
       WIN32_FILE_ATTRIBUTE_DATA archive{}, newest{};
       ASSERT_TRUE(::GetFileAttributesExA(f.archive.c_str(), GetFileExInfoStandard, &archive));
       ASSERT_TRUE(::GetFileAttributesExA((f.source + "b.txt").c_str(), GetFileExInfoStandard, &newest));
       EXPECT_EQ(::CompareFileTime(&archive.ftLastWriteTime, &newest.ftLastWriteTime), 0);
     }},
    {"missing_name_is_18", {{"a.txt", "a"}}, nullptr, nullptr, {"a.txt", "manca.txt"}, 18, {{"a.txt", "a"}}},
    {"nothing_matched_is_12",
     {{"a.txt", "a"}},
     nullptr,
     nullptr,
     {"manca.txt"},
     12,
     {},
     [](const Folders& f) { EXPECT_FALSE(talvo::test::EsisteFile(f.archive)); }},
};

class ZipovaOpzioni : public ::testing::TestWithParam<Caso> {
 protected:
  talvo::test::Apartment apartment;
  talvo::test::LoadedServer server{Server()};
  talvo::test::CartellaTemporanea cartella;
};

TEST_P(ZipovaOpzioni, BuildsTheArchiveReadersExpect) {
  const Caso& c = GetParam();
  Folders folders{cartella / "src\\", cartella / "archivio.zip"};
  ::CreateDirectoryA(folders.source.c_str(), nullptr);
  Lay(folders.source, c.files);
  if (c.before) c.before(server, folders);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(Zippa(server, folders, c.names, c.options), c.result);
  if (c.after) c.after(folders);
  if (talvo::test::EsisteFile(folders.archive))
    talvo::test::RecordArchive(std::string("zipova_") + c.name, folders.archive, c.entries);
}

INSTANTIATE_TEST_SUITE_P(Casi, ZipovaOpzioni, ::testing::ValuesIn(kCasi),
                         [](const ::testing::TestParamInfo<Caso>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
