// The order of a run: every check that can refuse it comes before the first byte is written, and
// the old archive is replaced only by a complete new one (or, when appending in place, restored
// on failure), so a failed run leaves the archive as it was.
#include "ArchiveRun.h"

#include <windows.h>

#include <zlib.h>

#include <algorithm>
#include <cwctype>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "ArchiveReader.h"
#include "BlockCompressor.h"
#include "Failure.h"
#include "FileIo.h"
#include "ParallelCompressor.h"
#include "Reporter.h"
#include "Selection.h"
#include "Settings.h"
#include "TestHook.h"
#include "Wildcard.h"
#include "ZipRecords.h"
#include "raii/unique_any.h"

namespace zip32 {
namespace {

// One entry of the new archive: an old entry copied as it is, or a file or folder from disk.
struct PlanItem {
  std::optional<std::size_t> old;  // the old entry copied, or replaced when `file` is set too
  std::optional<SelectedFile> file;
};

struct Outcome {
  std::vector<CentralEntry> central;
  std::vector<const SelectedFile*> added;  // files and folders taken from disk, for MoveFiles
  bool someUnread = false;
};

// An entry name of the new archive (UTF-8) as text, to compare with the old entries' names.
std::wstring EntryText(const std::string& utf8) {
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
  return text;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L'\\');
  if (cut == std::wstring::npos) return L".";
  return cut == 2 && path[1] == L':' ? path.substr(0, 3) : path.substr(0, cut);
}

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::uint32_t DosTime(const FILETIME& utc) {
  FILETIME local{};
  ::FileTimeToLocalFileTime(&utc, &local);
  WORD date = 0, time = 0;
  if (!::FileTimeToDosDateTime(&local, &date, &time) || date < (1 << 9)) {
    date = (0 << 9) | (1 << 5) | 1;  // before 1980: 1980-01-01 00:00
    time = 0;
  }
  return (static_cast<std::uint32_t>(date) << 16) | time;
}

std::int64_t UnixSeconds(const FILETIME& utc) {
  const std::uint64_t count = (static_cast<std::uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
  return (static_cast<std::int64_t>(count) - 116444736000000000LL) / 10000000LL;
}

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

CentralEntry NewEntry(const SelectedFile& file, const Settings& settings) {
  CentralEntry e;
  e.name = file.entryName;
  if (!IsAscii(e.name)) e.flags |= kFlagUtf8;
  const std::uint32_t dos = DosTime(file.lastWrite);
  e.date = static_cast<std::uint16_t>(dos >> 16);
  e.time = static_cast<std::uint16_t>(dos & 0xFFFF);
  e.externalAttributes =
      file.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                         FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
  if (!settings.excludeExtraAttributes) e.extra = TimestampExtra(UnixSeconds(file.lastWrite));
  return e;
}

std::string Percent(std::uint64_t size, std::uint64_t compressed) {
  if (size == 0 || compressed >= size) return "0%";
  return std::to_string(static_cast<unsigned>((size - compressed) * 100 / size)) + "%";
}

LineEnds LineEndsOf(const Settings& settings) {
  return settings.crlfToLf ? LineEnds::CrLfToLf : (settings.lfToCrlf ? LineEnds::LfToCrLf : LineEnds::Keep);
}

// The blocks a file is compressed in: one for a file to translate (its length changes) or an
// empty one, otherwise one per kBlockSize bytes. None for a folder.
std::size_t BlockCount(const SelectedFile& file, const Settings& settings) {
  if (file.folder) return 0;
  if (LineEndsOf(settings) != LineEnds::Keep || file.size == 0) return 1;
  return static_cast<std::size_t>((file.size + kBlockSize - 1) / kBlockSize);
}

std::vector<BlockJob> BlockJobs(const SelectedFile& file, const Settings& settings) {
  std::vector<BlockJob> jobs;
  const std::size_t blocks = BlockCount(file, settings);
  BlockJob job;
  job.path = file.path;
  job.level = settings.level;
  job.lineEnds = LineEndsOf(settings);
  for (std::size_t b = 0; b < blocks; ++b) {
    if (job.lineEnds == LineEnds::Keep) {
      job.offset = b * kBlockSize;
      job.length = std::min(kBlockSize, file.size - job.offset);
    }
    job.first = b == 0;
    job.last = b + 1 == blocks;
    jobs.push_back(job);
  }
  return jobs;
}

// Writes the entries of a plan to `out`, taking compressed blocks in order from the workers.
class EntryWriter {
 public:
  EntryWriter(OutputFile& out, HANDLE oldArchive, const ExistingArchive* old, const Settings& settings,
              const Reporter& reporter)
      : out_(out), oldArchive_(oldArchive), old_(old), settings_(settings), reporter_(reporter) {}

  // The compressor holds the blocks of the plan's files in the plan's order.
  void Write(const std::vector<PlanItem>& plan, ParallelCompressor& compressor, Outcome& outcome) {
    std::size_t written = 0;
    for (const PlanItem& item : plan) {
      if (item.file) {
        if (!AddFromDisk(*item.file, compressor, outcome)) {
          outcome.someUnread = true;
          if (item.old) Copy(*item.old, outcome);
        }
      } else {
        Copy(*item.old, outcome);
      }
      if (++written == 1 && TestFaultIs(FaultInternal)) throw Failure(InternalError);
    }
  }

 private:
  void Copy(std::size_t index, Outcome& outcome) {
    CentralEntry entry = old_->entries[index];
    const std::uint64_t length = LocalRecordLength(oldArchive_, entry);
    const std::uint64_t offset = out_.Position();
    out_.CopyFrom(oldArchive_, entry.offset, length);
    entry.offset = offset;
    outcome.central.push_back(std::move(entry));
  }

  // False when the file could not be opened: nothing of it is written.
  bool AddFromDisk(const SelectedFile& file, ParallelCompressor& compressor, Outcome& outcome) {
    if (reporter_.ServiceAsksToStop(file.entryName, file.size)) throw Failure(Stopped);
    CentralEntry entry = NewEntry(file, settings_);
    if (file.folder) {
      entry.offset = out_.Position();
      out_.Write(LocalHeader(entry, false));
      Report(entry, "stored");
      outcome.central.push_back(std::move(entry));
      outcome.added.push_back(&file);
      return true;
    }
    const std::size_t blocks = BlockCount(file, settings_);
    BlockResult first = compressor.Next();
    if (first.state != BlockState::Ok) {
      for (std::size_t b = 1; b < blocks; ++b) compressor.Next();
      if (first.state == BlockState::OutOfMemory) throw std::bad_alloc();
      if (first.state == BlockState::ReadError) throw Failure(ReadFailed);
      reporter_.Print("zip warning: could not open for reading: " + file.entryName + "\n");
      return false;
    }
    entry.offset = out_.Position();
    entry.method = first.stored ? kStored : kDeflated;
    if (first.text) entry.internalAttributes |= 1;
    if (blocks == 1) {
      entry.crc = first.crc;
      entry.size = first.rawLength;
      entry.compressedSize = first.data.size();
      out_.Write(LocalHeader(entry, entry.size >= kMax32 || entry.compressedSize >= kMax32));
      out_.Write(first.data);
    } else {
      WriteBlocks(file, entry, std::move(first), blocks, compressor);
    }
    Report(entry, entry.method == kStored ? "stored" : "deflated");
    outcome.central.push_back(std::move(entry));
    outcome.added.push_back(&file);
    return true;
  }

  // A file of several blocks: the header is written first with room for zip64 sizes when the
  // file is near 4 GiB, and patched once the sizes and CRC are known.
  void WriteBlocks(const SelectedFile& file, CentralEntry& entry, BlockResult first, std::size_t blocks,
                   ParallelCompressor& compressor) {
    const bool zip64 = file.size >= kMax32 - (std::uint64_t{64} << 20);
    const std::uint64_t headerAt = out_.Position();
    out_.Write(LocalHeader(entry, zip64));
    const std::uint64_t dataAt = out_.Position();
    std::uint32_t crc = first.crc;
    std::uint64_t size = first.rawLength;
    out_.Write(first.data);
    for (std::size_t b = 1; b < blocks; ++b) {
      BlockResult next = compressor.Next();
      if (next.state == BlockState::OutOfMemory) throw std::bad_alloc();
      if (next.state != BlockState::Ok) throw Failure(ReadFailed);
      crc = static_cast<std::uint32_t>(crc32_combine(crc, next.crc, static_cast<z_off_t>(next.rawLength)));
      size += next.rawLength;
      out_.Write(next.data);
    }
    entry.crc = crc;
    entry.size = size;
    entry.compressedSize = out_.Position() - dataAt;
    if (entry.method == kDeflated && entry.compressedSize >= size) {
      // Deflate did not shrink it: the file is stored instead, read again from disk.
      out_.Rewind(dataAt);
      talvo::unique_hfile source = talvo::make_hfile(::CreateFileW(
          file.path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
      if (!source) throw Failure(ReadFailed);
      out_.CopyFrom(source.get(), 0, size);
      entry.method = kStored;
      entry.compressedSize = size;
    }
    if (!zip64 && (entry.size >= kMax32 || entry.compressedSize >= kMax32)) throw Failure(InternalError);
    out_.Patch(headerAt, LocalHeader(entry, zip64));
  }

  void Report(const CentralEntry& entry, const char* how) const {
    if (!reporter_.Verbose()) return;
    reporter_.Print("  adding: " + entry.name + " (" + how + " " + Percent(entry.size, entry.compressedSize) +
                    ")\n");
  }

  OutputFile& out_;
  HANDLE oldArchive_;
  const ExistingArchive* old_;
  const Settings& settings_;
  const Reporter& reporter_;
};

void WriteCentral(OutputFile& out, const std::vector<CentralEntry>& central, const std::string& comment) {
  const std::uint64_t offset = out.Position();
  for (const CentralEntry& entry : central) out.Write(CentralHeader(entry));
  out.Write(EndRecords(central.size(), out.Position() - offset, offset, comment));
}

// The temporary file that becomes the archive; removed unless it was moved into place.
class TemporaryArchive {
 public:
  TemporaryArchive(const std::wstring& folder) {
    wchar_t name[MAX_PATH + 1] = {};
    if (!FolderExists(folder) || ::GetTempFileNameW(folder.c_str(), L"zi", 0, name) == 0) {
      throw Failure(TempFileFailed);
    }
    path_ = name;
    file_ = talvo::make_hfile(::CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) {
      ::DeleteFileW(path_.c_str());
      throw Failure(TempFileFailed);
    }
  }
  ~TemporaryArchive() {
    file_.reset();
    if (!moved_) ::DeleteFileW(path_.c_str());
  }
  TemporaryArchive(const TemporaryArchive&) = delete;
  TemporaryArchive& operator=(const TemporaryArchive&) = delete;

  HANDLE Handle() const { return file_.get(); }
  const std::wstring& Path() const { return path_; }

  void MoveOver(const std::wstring& archive, bool existed) {
    file_.reset();
    if (TestFaultIs(FaultMoveIntoPlace) ||
        !::MoveFileExW(path_.c_str(), archive.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
      throw Failure(existed ? WriteFailed : CreateFailed);
    }
    moved_ = true;
  }

 private:
  std::wstring path_;
  talvo::unique_hfile file_;
  bool moved_ = false;
};

void SetArchiveTime(const std::wstring& archive, const std::vector<CentralEntry>& central) {
  std::uint32_t newest = 0;
  for (const CentralEntry& e : central)
    newest = std::max(newest, (static_cast<std::uint32_t>(e.date) << 16) | e.time);
  if (newest == 0) return;
  FILETIME local{}, utc{};
  if (!::DosDateTimeToFileTime(static_cast<WORD>(newest >> 16), static_cast<WORD>(newest & 0xFFFF), &local))
    return;
  ::LocalFileTimeToFileTime(&local, &utc);
  talvo::unique_hfile file =
      talvo::make_hfile(::CreateFileW(archive.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file) ::SetFileTime(file.get(), nullptr, nullptr, &utc);
}

void RemoveSources(const Outcome& outcome) {
  for (const SelectedFile* file : outcome.added) {
    if (!file->folder) ::DeleteFileW(file->path.c_str());
  }
  // Folders last, deepest first: only those left empty go.
  for (auto it = outcome.added.rbegin(); it != outcome.added.rend(); ++it) {
    if ((*it)->folder) ::RemoveDirectoryW((*it)->path.c_str());
  }
}

std::vector<PlanItem> PlanUpdate(const ExistingArchive* old, const std::vector<SelectedFile>& files,
                                 const Settings& settings) {
  std::vector<PlanItem> plan;
  std::map<std::wstring, std::size_t> byName;
  if (old) {
    for (std::size_t i = 0; i < old->entries.size(); ++i) {
      byName.emplace(EntryNameText(old->entries[i]), i);
      plan.push_back({i, std::nullopt});
    }
  }
  const bool onlyNewer = settings.freshen || settings.overwriteIfNewer;
  for (const SelectedFile& file : files) {
    auto found = byName.find(EntryText(file.entryName));
    if (found == byName.end()) {
      // Freshen adds nothing; every other mode adds what is new.
      if (!settings.freshen) plan.push_back({std::nullopt, file});
      continue;
    }
    const CentralEntry& entry = old->entries[found->second];
    const std::uint32_t entryTime = (static_cast<std::uint32_t>(entry.date) << 16) | entry.time;
    if (onlyNewer && DosTime(file.lastWrite) <= entryTime) continue;
    plan[found->second].file = file;
  }
  return plan;
}

bool Changes(const std::vector<PlanItem>& plan) {
  return std::any_of(plan.begin(), plan.end(), [](const PlanItem& item) { return item.file.has_value(); });
}

}  // namespace

int RunArchive(ThreadState& state, const std::string& archiveName, const std::vector<std::string>& names) {
  if (TestFaultIs(FaultOutOfMemory)) throw std::bad_alloc();
  const Settings settings = ReadSettings(state.options.View());
  const Reporter reporter(state.callbacks, settings.quiet, settings.verbose);
  for (const std::string& option : settings.unsupported) {
    reporter.Print("zip warning: " + option + " is not supported and was ignored\n");
  }
  if (archiveName.empty()) throw Failure(CreateFailed);
  const std::wstring archive = FullPath(Widen(archiveName));
  const std::wstring archiveFolder = FolderOf(archive);

  // The existing archive, read before anything is decided.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  const bool exists = ::GetFileAttributesExW(archive.c_str(), GetFileExInfoStandard, &data) &&
                      !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  const bool empty = !exists || (data.nFileSizeHigh == 0 && data.nFileSizeLow == 0);
  if (exists && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) throw Failure(CreateFailed);
  talvo::unique_hfile oldFile;
  std::unique_ptr<ExistingArchive> old;
  if (!empty) {
    const DWORD access = settings.allowAppend ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    oldFile = talvo::make_hfile(::CreateFileW(archive.c_str(), access, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!oldFile) throw Failure(WriteFailed);
    old = std::make_unique<ExistingArchive>(ReadArchive(oldFile.get()));
  }
  if ((settings.freshen || settings.deleteEntries || settings.overwriteIfNewer) && !old) {
    throw Failure(ArchiveMissing);
  }
  if (!FolderExists(archiveFolder)) throw Failure(CreateFailed);

  std::string comment = old ? old->comment : std::string();
  if (settings.comment) {
    if (std::optional<std::string> given = reporter.AskComment()) comment = *given;
  }

  const bool inPlace = settings.allowAppend && old;
  std::unique_ptr<TemporaryArchive> temporary;
  if (!inPlace) {
    const std::wstring folder =
        settings.needTempDir && !settings.tempDir.empty() ? FullPath(settings.tempDir) : archiveFolder;
    temporary = std::make_unique<TemporaryArchive>(folder);
  }

  std::vector<PlanItem> plan;
  std::vector<std::string> unmatched;
  Selection selection;
  ParallelCompressor compressor(ParallelCompressor::DefaultProcessors());
  if (settings.deleteEntries) {
    std::vector<std::wstring> patterns;
    for (const std::string& name : names) {
      std::wstring pattern = Widen(name);
      std::replace(pattern.begin(), pattern.end(), L'\\', L'/');
      patterns.push_back(pattern);
    }
    bool deleted = false;
    for (std::size_t i = 0; i < old->entries.size(); ++i) {
      const std::wstring entryName = EntryNameText(old->entries[i]);
      const bool match = std::any_of(patterns.begin(), patterns.end(),
                                     [&](const std::wstring& p) { return MatchesWildcard(p, entryName); });
      if (match) {
        deleted = true;
        if (reporter.Verbose()) reporter.Print("deleting: " + old->entries[i].name + "\n");
      } else {
        plan.push_back({i, std::nullopt});
      }
    }
    if (!deleted) throw Failure(NothingToDo);
  } else {
    std::vector<std::wstring> skip{archive};
    if (temporary) skip.push_back(FullPath(temporary->Path()));
    // Without old entries to merge, the new archive holds the files in the order the walk finds
    // them, so they are compressed while the walk goes on; nothing is written before it ends.
    const bool planFollowsWalk = !old || inPlace;
    const std::function<void(const SelectedFile&)> compressAhead = [&](const SelectedFile& file) {
      compressor.Add(BlockJobs(file, settings));
    };
    selection = SelectFiles(names, settings, skip, planFollowsWalk ? compressAhead : nullptr);
    unmatched = selection.unmatched;
    for (const std::string& name : unmatched) reporter.Print("zip warning: name not matched: " + name + "\n");
    if (selection.files.empty()) throw Failure(NothingToDo);
    plan = PlanUpdate(inPlace ? nullptr : old.get(), selection.files, settings);
    if (!Changes(plan) && !(settings.comment && old && comment != old->comment)) {
      return unmatched.empty() ? Done : SomeFilesUnread;
    }
    if (!planFollowsWalk) {
      for (const PlanItem& item : plan) {
        if (item.file) compressAhead(*item.file);
      }
    }
  }

  Outcome outcome;
  if (inPlace) {
    // Appending: the new entries overwrite the old central directory, which is kept in memory
    // and put back, with the old length, if anything fails.
    HANDLE file = oldFile.get();
    const std::string oldTail = ReadAt(
        file, old->centralOffset, static_cast<std::size_t>(old->size - old->centralOffset), ArchiveEndsEarly);
    std::vector<CentralEntry> kept;
    std::map<std::wstring, bool> replaced;
    for (const PlanItem& item : plan) replaced[EntryText(item.file->entryName)] = true;
    for (const CentralEntry& e : old->entries) {
      if (!replaced.count(EntryNameText(e))) kept.push_back(e);
    }
    try {
      OutputFile out(file, old->centralOffset, WriteFailed, FaultArchiveWrite);
      EntryWriter(out, file, old.get(), settings, reporter).Write(plan, compressor, outcome);
      kept.insert(kept.end(), outcome.central.begin(), outcome.central.end());
      outcome.central = std::move(kept);
      WriteCentral(out, outcome.central, comment);
      out.Finish();
    } catch (...) {
      try {
        OutputFile restore(file, old->centralOffset, WriteFailed, NoFault);
        restore.Write(oldTail);
        restore.Finish();
      } catch (...) {
      }
      throw;
    }
    oldFile.reset();
  } else {
    OutputFile out(temporary->Handle(), 0, TempFileFailed, FaultTempWrite);
    EntryWriter(out, oldFile.get(), old.get(), settings, reporter).Write(plan, compressor, outcome);
    WriteCentral(out, outcome.central, comment);
    out.Finish();
    oldFile.reset();
    temporary->MoveOver(archive, exists);
  }

  if (settings.moveFiles) RemoveSources(outcome);
  if (settings.latestTime) SetArchiveTime(archive, outcome.central);
  return unmatched.empty() && !outcome.someUnread ? Done : SomeFilesUnread;
}

}  // namespace zip32
