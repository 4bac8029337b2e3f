// The files and folders that the names of a run stand for: names relative to the root folder
// (never the process's current folder changed), wildcards in any part of a name, recursion,
// and the filters on hidden and system files and on dates.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Settings.h"

namespace zip32 {

struct SelectedFile {
  std::wstring path;      // full path on disk
  std::string entryName;  // the name in the archive: UTF-8, "/" between parts, folders end in "/"
  bool folder = false;
  FILETIME lastWrite{};  // UTC
  std::uint64_t size = 0;
  DWORD attributes = 0;
};

struct Selection {
  std::vector<SelectedFile> files;     // in the order the names gave them, each entry name once
  std::vector<std::string> unmatched;  // names that matched nothing on disk
};

// `skip` holds full paths never taken (the archive itself and its temporary file). `taken`, when
// set, is told of each file or folder as soon as it joins the selection, in the selection's order.
Selection SelectFiles(const std::vector<std::string>& names, const Settings& settings,
                      const std::vector<std::wstring>& skip,
                      const std::function<void(const SelectedFile&)>& taken = nullptr);

// The full path of `path` as the system resolves it, relative names taken from `base`.
std::wstring FullPath(const std::wstring& path);

// The entry name of a relative path's parts, with the 8.3 upper-case form when asked for.
std::string EntryName(const std::vector<std::wstring>& parts, bool folder, const Settings& settings);

}  // namespace zip32
