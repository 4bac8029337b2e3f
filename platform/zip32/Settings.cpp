// Reading the options record. Flags are on when non-zero, whatever value the caller stored.
#include "Settings.h"

#include <oleauto.h>

#include <cctype>

#include "Failure.h"

namespace zip32 {
namespace {

std::optional<std::uint64_t> Midnight(int year, int month, int day) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  FILETIME ft{};
  if (!::SystemTimeToFileTime(&st, &ft)) return std::nullopt;
  SYSTEMTIME back{};
  ::FileTimeToSystemTime(&ft, &back);
  if (back.wDay != day) return std::nullopt;  // 31 April and the like
  return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

bool AllDigits(const std::string& text, std::size_t from, std::size_t count) {
  for (std::size_t i = from; i < from + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

int Number(const std::string& text, std::size_t from, std::size_t count) {
  return std::stoi(text.substr(from, count));
}

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

}  // namespace

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr,
                        nullptr);
  return narrow;
}

std::optional<std::uint64_t> ReadDateText(const std::string& text) {
  if (text.size() == 8 && AllDigits(text, 0, 8)) {
    return Midnight(Number(text, 4, 4), Number(text, 0, 2), Number(text, 2, 2));
  }
  if (text.size() == 10 && AllDigits(text, 0, 4) && text[4] == '-' && AllDigits(text, 5, 2) &&
      text[7] == '-' && AllDigits(text, 8, 2)) {
    return Midnight(Number(text, 0, 4), Number(text, 5, 2), Number(text, 8, 2));
  }
  std::wstring wide = Widen(text);
  if (wide.empty()) return std::nullopt;
  DATE date = 0;
  if (FAILED(::VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &date))) return std::nullopt;
  SYSTEMTIME st{};
  if (!::VariantTimeToSystemTime(date, &st)) return std::nullopt;
  return Midnight(st.wYear, st.wMonth, st.wDay);
}

Settings ReadSettings(const ZipOptionsRecord& r) {
  Settings s;
  s.rootDir = Widen(Text(r.RootDir));
  s.tempDir = Widen(Text(r.TempDir));
  s.needTempDir = r.NeedTempDir != 0;
  s.includeSystemFiles = r.IncludeSystemFiles != 0;
  s.excludeExtraAttributes = r.ExcludeExtraAttributes != 0;
  s.ignoreDirectories = r.IgnoreDirectories != 0;
  s.verbose = r.Verbose != 0;
  s.quiet = r.Quiet != 0;
  s.crlfToLf = r.Translate_CRLF_to_LF != 0;
  s.lfToCrlf = r.Translate_LF_to_CRLF != 0;
  s.junkDirectoryNames = r.JunkDirectoryNames != 0;
  s.allowAppend = r.AllowAppend != 0;
  s.forceDosNames = r.ForceDOSFileNames != 0;
  s.moveFiles = r.MoveFiles != 0;
  s.deleteEntries = r.DeleteEntries != 0;
  s.overwriteIfNewer = r.OverwriteIfNewer != 0;
  s.freshen = r.Freshen != 0;
  s.latestTime = r.ZipFileTimeIsLatestTime != 0;
  s.comment = r.Comment != 0;
  s.recurse = r.RecurseSubdirectories != 0;

  const unsigned char level = r.CompressionLevel;
  if (level <= 9) {
    s.level = level;
  } else if (level >= '0' && level <= '9') {
    s.level = level - '0';
  } else {
    throw Failure(ContradictoryOptions);
  }

  const bool byDate = r.ExcludeEarlierFiles != 0 || r.IncludeEarlierFiles != 0;
  if (byDate) {
    std::optional<std::uint64_t> date = ReadDateText(Text(r.IncludeExcludeDate));
    if (!date) throw Failure(ContradictoryOptions);
    if (r.ExcludeEarlierFiles) s.excludeBefore = date;
    if (r.IncludeEarlierFiles) s.includeBefore = date;
  }

  // Combinations no run can satisfy: both line-end directions, both date filters on one date
  // (nothing is both older and not older), deleting while adding in another way, appending in
  // place while replacing entries.
  if ((s.crlfToLf && s.lfToCrlf) || (s.excludeBefore && s.includeBefore) ||
      (s.deleteEntries && (s.allowAppend || s.freshen || s.overwriteIfNewer || s.moveFiles)) ||
      (s.allowAppend && (s.freshen || s.overwriteIfNewer))) {
    throw Failure(ContradictoryOptions);
  }

  struct Unsupported {
    std::int32_t value;
    const char* name;
  };
  const Unsupported unsupported[] = {
      {r.IncludeSuffixes, "IncludeSuffixes"},       {r.Encrypted, "Encrypted"},
      {r.IncludeVolumeLabel, "IncludeVolumeLabel"}, {r.JunkSFXPrefix, "JunkSFXPrefix"},
      {r.UpdateOffsets, "UpdateOffsets"},           {r.RepairArchive, "RepairArchive"}};
  for (const Unsupported& u : unsupported) {
    if (u.value != 0) s.unsupported.push_back(u.name);
  }
  return s;
}

}  // namespace zip32
