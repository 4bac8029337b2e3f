// zip32.dll reached through its exports, for what Zipova cannot reach: every failure result with
// the old archive left byte-identical, the service callback stopping a run, the test hook's
// failures, the refused re-entry, per-thread options, copied texts and the messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ArchiveCase.h"
#include "FileDiProva.h"
#include "Zip32.h"
#include "raii/unique_any.h"

namespace {

using talvo::test::ExpectedEntry;

const std::string kAlfa = "alfa alfa alfa alfa alfa alfa alfa alfa alfa alfa alfa alfa alfa alfa\r\n";
const std::string kBeta = "beta beta beta beta\r\n";

std::string Zip32Path() {
  std::string path = "Z:";
  for (char c : std::string(TALVO_SERVER_zip32)) path += c == '/' ? '\\' : c;
  return path;
}

struct Library {
  talvo::unique_hmodule module{::LoadLibraryA(Zip32Path().c_str())};
  ZpInitFunction init = Bind<ZpInitFunction>("ZpInit");
  ZpSetOptionsFunction setOptions = Bind<ZpSetOptionsFunction>("ZpSetOptions");
  ZpArchiveFunction archive = Bind<ZpArchiveFunction>("ZpArchive");
  zip32::ZpTestHookFunction hook = Bind<zip32::ZpTestHookFunction>("ZpTestHook");

  template <typename F>
  F Bind(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module.get(), name)));
  }
};

Library& Zip32() {
  static Library library;
  return library;
}

// What the callbacks saw and what they answer, for the thread that runs the test.
struct Callbacks {
  std::vector<std::string> messages;
  std::vector<std::string> serviced;
  std::vector<DWORD> threads;
  int stopAtEntry = 0;       // the service callback answers non-zero for this entry (1-based)
  std::string comment;       // what the comment callback writes
  bool fillComment = false;  // writes 256 bytes without an ending NUL
  std::function<void()> inPrint;
};
Callbacks gCallbacks;

int WINAPI Print(char* text, unsigned long length) {
  gCallbacks.threads.push_back(::GetCurrentThreadId());
  gCallbacks.messages.emplace_back(text, length);
  if (gCallbacks.inPrint) gCallbacks.inPrint();
  return 0;
}
short WINAPI Comment(char* buffer) {
  if (gCallbacks.fillComment) {
    std::memset(buffer, 'x', 256);
  } else {
    std::memcpy(buffer, gCallbacks.comment.c_str(), gCallbacks.comment.size());
  }
  return 1;
}
short WINAPI Password(char*, int, const char*, const char*) { return 1; }
int WINAPI Service(const char* name, unsigned long) {
  gCallbacks.threads.push_back(::GetCurrentThreadId());
  gCallbacks.serviced.emplace_back(name);
  return static_cast<int>(gCallbacks.serviced.size()) == gCallbacks.stopAtEntry ? 1 : 0;
}

// A run of ZpArchive with options set on the calling thread.
struct Esecuzione {
  ZipOptionsRecord options{};
  std::string root;
  std::string temp;
  std::string date;

  int Archive(const std::string& archive, std::vector<std::string> names) {
    ZipCallbacksRecord callbacks{Print, Comment, Password, Service};
    Zip32().init(&callbacks);
    ZipOptionsRecord copy = options;
    copy.RootDir = root.empty() ? nullptr : root.data();
    copy.TempDir = temp.empty() ? nullptr : temp.data();
    copy.IncludeExcludeDate = date.empty() ? nullptr : date.data();
    Zip32().setOptions(&copy);
    ZipNamesRecord record{};
    for (std::size_t i = 0; i < names.size(); ++i) record.Names[i] = names[i].data();
    std::string name = archive;
    return Zip32().archive(static_cast<int>(names.size()), name.data(), &record);
  }
};

class Zip32Test : public ::testing::Test {
 public:
  void SetUp() override {
    gCallbacks = Callbacks();
    ASSERT_NE(Zip32().archive, nullptr);
    talvo::test::ScriviFile(cartella / "a.txt", kAlfa);
    talvo::test::ScriviFile(cartella / "b.txt", kBeta);
    run.root = cartella.Percorso();
    run.options.CompressionLevel = 6;
  }
  void TearDown() override { Zip32().hook(zip32::NoFault, 0); }

  // An archive of a.txt to start from; returns its bytes.
  std::string Existing() {
    Esecuzione first;
    first.root = cartella.Percorso();
    first.options.CompressionLevel = 6;
    first.options.Quiet = -1;
    EXPECT_EQ(first.Archive(archivio, {"a.txt"}), zip32::Done);
    return talvo::test::LeggiFile(archivio);
  }
  // Files other than the sources and the archive left in the folder (temporary files).
  int Strays() {
    int count = 0;
    WIN32_FIND_DATAA data{};
    HANDLE find = ::FindFirstFileA((cartella / "*.tmp").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do ++count;
    while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return count;
  }

  talvo::test::CartellaTemporanea cartella;
  std::string archivio = cartella / "archivio.zip";
  Esecuzione run;
};

struct Failing {
  const char* name;
  int result;
  std::function<void(Zip32Test&, Esecuzione&)> prepare;
  std::vector<std::string> names;
};

void Flag(std::int32_t& field) { field = -1; }

TEST_F(Zip32Test, EveryFailureLeavesTheOldArchiveByteIdentical) {
  const Failing casi[] = {
      {"cut short",
       zip32::ArchiveEndsEarly,
       [](Zip32Test& t, Esecuzione&) {
         talvo::test::ScriviFile(t.archivio, talvo::test::LeggiFile(t.archivio).substr(0, 60));
       },
       {"b.txt"}},
      {"not a zip archive",
       zip32::NotAZipArchive,
       [](Zip32Test& t, Esecuzione&) {
         talvo::test::ScriviFile(t.archivio, "Questo non e' un archivio zip.\r\n");
       },
       {"b.txt"}},
      {"out of memory",
       zip32::OutOfMemory,
       [](Zip32Test&, Esecuzione&) { Zip32().hook(zip32::FaultOutOfMemory, 0); },
       {"b.txt"}},
      {"internal error",
       zip32::InternalError,
       [](Zip32Test&, Esecuzione&) { Zip32().hook(zip32::FaultInternal, 0); },
       {"b.txt"}},
      {"invalid comment",
       zip32::InvalidComment,
       [](Zip32Test&, Esecuzione& r) {
         gCallbacks.fillComment = true;
         Flag(r.options.Comment);
       },
       {"b.txt"}},
      {"service asks to stop",
       zip32::Stopped,
       [](Zip32Test&, Esecuzione&) { gCallbacks.stopAtEntry = 2; },
       {"a.txt", "b.txt"}},
      {"temporary folder missing",
       zip32::TempFileFailed,
       [](Zip32Test& t, Esecuzione& r) {
         Flag(r.options.NeedTempDir);
         r.temp = t.cartella / "manca";
       },
       {"b.txt"}},
      {"temporary file write fails",
       zip32::TempFileFailed,
       [](Zip32Test&, Esecuzione&) { Zip32().hook(zip32::FaultTempWrite, 40); },
       {"a.txt", "b.txt"}},
      {"read fails half-way",
       zip32::ReadFailed,
       [](Zip32Test& t, Esecuzione&) {
         talvo::test::ScriviFile(t.cartella / "grande.bin", std::string(3 << 20, 'g'));
         Zip32().hook(zip32::FaultRead, 2 << 20);
       },
       {"b.txt", "grande.bin"}},
      {"nothing matched", zip32::NothingToDo, nullptr, {"manca.txt"}},
      {"delete matches nothing",
       zip32::NothingToDo,
       [](Zip32Test&, Esecuzione& r) { Flag(r.options.DeleteEntries); },
       {"manca.txt"}},
      {"moving into place fails",
       zip32::WriteFailed,
       [](Zip32Test&, Esecuzione&) { Zip32().hook(zip32::FaultMoveIntoPlace, 0); },
       {"b.txt"}},
      {"append write fails",
       zip32::WriteFailed,
       [](Zip32Test&, Esecuzione& r) {
         Flag(r.options.AllowAppend);
         Zip32().hook(zip32::FaultArchiveWrite, 30);
       },
       {"b.txt"}},
      {"append stopped",
       zip32::Stopped,
       [](Zip32Test&, Esecuzione& r) {
         Flag(r.options.AllowAppend);
         gCallbacks.stopAtEntry = 2;
       },
       {"b.txt", "a.txt"}},
      {"both line-end translations",
       zip32::ContradictoryOptions,
       [](Zip32Test&, Esecuzione& r) {
         Flag(r.options.Translate_CRLF_to_LF);
         Flag(r.options.Translate_LF_to_CRLF);
       },
       {"b.txt"}},
      {"level byte out of range",
       zip32::ContradictoryOptions,
       [](Zip32Test&, Esecuzione& r) { r.options.CompressionLevel = 42; },
       {"b.txt"}},
      {"date filter without a date",
       zip32::ContradictoryOptions,
       [](Zip32Test&, Esecuzione& r) { Flag(r.options.ExcludeEarlierFiles); },
       {"b.txt"}},
  };
  for (const Failing& c : casi) {
    SCOPED_TRACE(c.name);
    gCallbacks = Callbacks();
    Esecuzione r = run;
    ::DeleteFileA(archivio.c_str());
    Existing();
    gCallbacks = Callbacks();
    if (c.prepare) c.prepare(*this, r);
    const std::string before = talvo::test::LeggiFile(archivio);
    EXPECT_EQ(r.Archive(archivio, c.names), c.result);
    Zip32().hook(zip32::NoFault, 0);
    EXPECT_EQ(talvo::test::LeggiFile(archivio), before);
    EXPECT_EQ(Strays(), 0);
  }
}

TEST_F(Zip32Test, ResultsWithoutAnOldArchive) {
  struct Caso {
    const char* name;
    int result;
    std::function<void(Esecuzione&)> options;
    std::string archive;
  };
  const Caso casi[] = {
      {"freshen a missing archive", zip32::ArchiveMissing, [](Esecuzione& r) { Flag(r.options.Freshen); },
       archivio},
      {"update a missing archive", zip32::ArchiveMissing,
       [](Esecuzione& r) { Flag(r.options.OverwriteIfNewer); }, archivio},
      {"delete from a missing archive", zip32::ArchiveMissing,
       [](Esecuzione& r) { Flag(r.options.DeleteEntries); }, archivio},
      {"archive folder missing", zip32::CreateFailed, nullptr, cartella / "manca\\a.zip"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.name);
    Esecuzione r = run;
    if (c.options) c.options(r);
    EXPECT_EQ(r.Archive(c.archive, {"a.txt"}), c.result);
    EXPECT_FALSE(talvo::test::EsisteFile(c.archive));
    EXPECT_EQ(Strays(), 0);
  }
  // An empty file counts as a missing archive.
  talvo::test::ScriviFile(archivio, "");
  Esecuzione r = run;
  Flag(r.options.Freshen);
  EXPECT_EQ(r.Archive(archivio, {"a.txt"}), zip32::ArchiveMissing);
}

TEST_F(Zip32Test, AFileThatCannotBeOpenedIsLeftOutWithResult18) {
  HANDLE held =
      ::CreateFileA((cartella / "b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  talvo::unique_handle owner(held);
  EXPECT_EQ(run.Archive(archivio, {"a.txt", "b.txt"}), zip32::SomeFilesUnread);
  owner.reset();
  talvo::test::RecordArchive("zip32_unreadable_left_out", archivio, {{"a.txt", kAlfa}});
}

TEST_F(Zip32Test, ARunEnteredAgainFromACallbackIsRefusedWith5) {
  int inner = -1;
  gCallbacks.inPrint = [&] {
    if (inner != -1) return;
    Esecuzione again = run;
    inner = again.Archive(cartella / "altro.zip", {"b.txt"});
  };
  run.options.Verbose = -1;
  EXPECT_EQ(run.Archive(archivio, {"a.txt", "b.txt"}), zip32::Done);
  EXPECT_EQ(inner, zip32::InternalError);
  EXPECT_FALSE(talvo::test::EsisteFile(cartella / "altro.zip"));
  talvo::test::RecordArchive("zip32_reentry_refused", archivio, {{"a.txt", kAlfa}, {"b.txt", kBeta}});
}

TEST_F(Zip32Test, MessagesAndCallbacksStayOnTheCallersThread) {
  run.options.Verbose = -1;
  run.options.IncludeVolumeLabel = -1;
  run.options.Comment = -1;
  gCallbacks.comment = "Archivio della classe 3B";
  EXPECT_EQ(run.Archive(archivio, {"a.txt", "b.txt"}), zip32::Done);
  ASSERT_EQ(gCallbacks.messages.size(), 3u);
  EXPECT_EQ(gCallbacks.messages[0], "zip warning: IncludeVolumeLabel is not supported and was ignored\n");
  EXPECT_EQ(gCallbacks.messages[1].rfind("  adding: a.txt (", 0), 0u);
  EXPECT_EQ(gCallbacks.messages[2].rfind("  adding: b.txt (", 0), 0u);
  EXPECT_EQ(gCallbacks.serviced, (std::vector<std::string>{"a.txt", "b.txt"}));
  for (DWORD thread : gCallbacks.threads) EXPECT_EQ(thread, ::GetCurrentThreadId());
  const std::string bytes = talvo::test::LeggiFile(archivio);
  EXPECT_EQ(bytes.substr(bytes.size() - gCallbacks.comment.size()), gCallbacks.comment);

  gCallbacks = Callbacks();
  run.options.Quiet = -1;
  EXPECT_EQ(run.Archive(archivio, {"a.txt", "b.txt"}), zip32::Done);
  EXPECT_TRUE(gCallbacks.messages.empty());
}

TEST_F(Zip32Test, OptionsAreKeptPerThreadAndTheirTextsCopied) {
  talvo::test::CartellaTemporanea altra;
  talvo::test::ScriviFile(altra / "a.txt", "altra cartella");
  // This thread sets its options, another thread sets different ones, then this thread archives.
  ZipCallbacksRecord callbacks{Print, Comment, Password, Service};
  Zip32().init(&callbacks);
  std::string root = cartella.Percorso();
  ZipOptionsRecord mine{};
  mine.RootDir = root.data();
  mine.CompressionLevel = '9';  // the level as a character
  Zip32().setOptions(&mine);
  root.assign(root.size(), 'x');  // the library keeps its own copy
  std::thread([&] {
    std::string other = altra.Percorso();
    ZipOptionsRecord theirs{};
    theirs.RootDir = other.data();
    Zip32().setOptions(&theirs);
  }).join();
  ZipNamesRecord names{};
  std::string a = "a.txt";
  names.Names[0] = a.data();
  std::string name = archivio;
  EXPECT_EQ(Zip32().archive(1, name.data(), &names), zip32::Done);
  talvo::test::RecordArchive("zip32_options_per_thread", archivio,
                             {{"a.txt", kAlfa, talvo::test::Method::Deflated}});
}

}  // namespace
