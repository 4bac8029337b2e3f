// The binding of the zip library zip32.dll: its three records, four callbacks and entry points,
// shared by the library and by the components that load it by name.
//
// How it works: on x86 the records have the fixed byte sizes every caller of the library relies
// on (pointers are 4 bytes there); on x64 the same fields keep their order with natural alignment.
// Every entry point and callback uses the platform's library convention (stdcall on x86).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

extern "C" {

// Messages for the caller; returns 0.
typedef int(WINAPI* ZipPrintFunction)(char* text, unsigned long length);
// Fills a zeroed buffer of 256 bytes with the archive comment; left untouched means no comment.
typedef short(WINAPI* ZipCommentFunction)(char* comment);
typedef short(WINAPI* ZipPasswordFunction)(char* buffer, int size, const char* prompt, const char* name);
// Called once per entry with its name and size; a non-zero result stops the run.
typedef int(WINAPI* ZipServiceFunction)(const char* name, unsigned long size);

struct ZipCallbacksRecord {
  ZipPrintFunction PrintCallback;
  ZipCommentFunction CommentCallback;
  ZipPasswordFunction PasswordCallback;
  ZipServiceFunction ServiceCallback;
};

// Texts are ANSI, null when never given; flags are 32-bit, -1 for True and 0 for False.
struct ZipOptionsRecord {
  char* IncludeExcludeDate;
  char* RootDir;
  char* TempDir;
  std::int32_t NeedTempDir;
  std::int32_t IncludeSuffixes;
  std::int32_t Encrypted;
  std::int32_t IncludeSystemFiles;
  std::int32_t IncludeVolumeLabel;
  std::int32_t ExcludeExtraAttributes;
  std::int32_t IgnoreDirectories;
  std::int32_t ExcludeEarlierFiles;
  std::int32_t IncludeEarlierFiles;
  std::int32_t Verbose;
  std::int32_t Quiet;
  std::int32_t Translate_CRLF_to_LF;
  std::int32_t Translate_LF_to_CRLF;
  std::int32_t JunkDirectoryNames;
  std::int32_t AllowAppend;
  std::int32_t ForceDOSFileNames;
  std::int32_t MoveFiles;
  std::int32_t DeleteEntries;
  std::int32_t OverwriteIfNewer;
  std::int32_t Freshen;
  std::int32_t JunkSFXPrefix;
  std::int32_t ZipFileTimeIsLatestTime;
  std::int32_t Comment;
  std::int32_t UpdateOffsets;
  std::int32_t NotSavingPrivileges;
  std::int32_t Reserved112;
  std::int32_t RecurseSubdirectories;
  std::int32_t RepairArchive;
  unsigned char CompressionLevel;
  unsigned char Padding[3];
};

constexpr int kZipNameSlots = 100;

struct ZipNamesRecord {
  char* Names[kZipNameSlots];
};

typedef int(WINAPI* ZpInitFunction)(ZipCallbacksRecord* callbacks);
typedef int(WINAPI* ZpSetOptionsFunction)(ZipOptionsRecord* options);
typedef ZipOptionsRecord(WINAPI* ZpGetOptionsFunction)();
typedef int(WINAPI* ZpArchiveFunction)(int count, char* archive, ZipNamesRecord* names);

}  // extern "C"

#if !defined(_WIN64)
static_assert(sizeof(ZipCallbacksRecord) == 16, "callbacks record");
static_assert(sizeof(ZipOptionsRecord) == 128, "options record");
static_assert(offsetof(ZipOptionsRecord, Reserved112) == 112, "options record field at 112");
static_assert(offsetof(ZipOptionsRecord, CompressionLevel) == 124, "level byte");
static_assert(sizeof(ZipNamesRecord) == 400, "names record");
#endif

// The results of ZpArchive.
namespace zip32 {
enum Result : int {
  Done = 0,
  ArchiveEndsEarly = 2,
  NotAZipArchive = 3,
  OutOfMemory = 4,
  InternalError = 5,
  InvalidComment = 7,
  Stopped = 9,
  TempFileFailed = 10,
  ReadFailed = 11,
  NothingToDo = 12,
  ArchiveMissing = 13,
  WriteFailed = 14,
  CreateFailed = 15,
  ContradictoryOptions = 16,
  SomeFilesUnread = 18,
};

// Failures that the test hook can provoke; the hook is inert until a test sets it.
enum Fault : int {
  NoFault = 0,
  FaultOutOfMemory = 1,    // the run fails as if memory ran out
  FaultTempWrite = 2,      // writing the temporary archive fails after `after` bytes
  FaultArchiveWrite = 3,   // writing the archive in place fails after `after` bytes
  FaultInternal = 4,       // an internal error half-way through the entries
  FaultMoveIntoPlace = 5,  // the finished archive cannot be moved over the old one
  FaultRead = 6,           // reading a file fails for a block ending at or after `after`
};
typedef void(WINAPI* ZpTestHookFunction)(int fault, long long after);
}  // namespace zip32
