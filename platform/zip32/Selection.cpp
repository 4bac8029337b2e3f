// Walking the names of a run. Folder contents are taken in name order, so that the same tree
// always gives the same archive whatever order the file system lists it in.
#include "Selection.h"

#include <algorithm>
#include <cwctype>
#include <set>

#include "Wildcard.h"
#include "raii/unique_any.h"

namespace zip32 {
namespace {

void CloseFind(HANDLE find) noexcept { ::FindClose(find); }
// A directory search, held as null when it found nothing.
using FindHandle = talvo::unique_any<HANDLE, CloseFind>;

FindHandle StartFind(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
  HANDLE find = ::FindFirstFileW(pattern.c_str(), &data);
  return FindHandle(find == INVALID_HANDLE_VALUE ? nullptr : find);
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::vector<std::wstring> SplitParts(const std::wstring& path) {
  std::vector<std::wstring> parts;
  std::wstring part;
  for (wchar_t c : path + L"\\") {
    if (c == L'\\' || c == L'/') {
      if (part == L"..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != L".") {
        parts.push_back(part);
      }
      part.clear();
    } else {
      part += c;
    }
  }
  return parts;
}

bool IsAbsolute(const std::wstring& name) {
  return (name.size() >= 2 && name[1] == L':') || (!name.empty() && (name[0] == L'\\' || name[0] == L'/'));
}

// The relative part of an absolute name: no drive, no server and share, no leading separators.
std::wstring RelativeOfAbsolute(const std::wstring& name) {
  if (name.size() >= 2 && name[1] == L':') return name.substr(2);
  if (name.rfind(L"\\\\", 0) == 0 || name.rfind(L"//", 0) == 0) {
    std::vector<std::wstring> parts = SplitParts(name);
    std::wstring rest;
    for (std::size_t i = 2; i < parts.size(); ++i) rest += parts[i] + L"\\";
    return rest;
  }
  return name;
}

std::wstring DosPart(const std::wstring& part) {
  auto clean = [](std::wstring text, std::size_t limit) {
    std::wstring out;
    for (wchar_t c : text) {
      if (out.size() == limit) break;
      if (c == L' ' || c == L'.') continue;
      wchar_t u = static_cast<wchar_t>(std::towupper(c));
      const bool allowed = (u >= L'A' && u <= L'Z') || (u >= L'0' && u <= L'9') ||
                           std::wstring_view(L"_$~!#%&-{}()@'`^").find(u) != std::wstring_view::npos;
      out += allowed ? u : L'_';
    }
    return out;
  };
  const std::size_t dot = part.rfind(L'.');
  std::wstring base = clean(dot == std::wstring::npos ? part : part.substr(0, dot), 8);
  std::wstring ext = dot == std::wstring::npos ? std::wstring() : clean(part.substr(dot + 1), 3);
  if (base.empty()) base = L"_";
  return ext.empty() ? base : base + L"." + ext;
}

std::uint64_t FileTimeCount(const FILETIME& ft) {
  return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

class Walker {
 public:
  Walker(const Settings& settings, const std::vector<std::wstring>& skip,
         const std::function<void(const SelectedFile&)>& taken)
      : settings_(settings), taken_(taken) {
    for (const std::wstring& path : skip) skip_.insert(Lower(path));
  }

  // One name of the list; false when it matched nothing.
  bool AddName(const std::string& name, const std::wstring& base) {
    std::wstring wide = Widen(name);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    if (wide.empty()) return false;
    const bool absolute = IsAbsolute(wide);
    const std::wstring full = FullPath(absolute ? wide : base + L"\\" + wide);
    std::vector<std::wstring> relative = SplitParts(absolute ? RelativeOfAbsolute(wide) : wide);
    const std::size_t cut = full.find_last_of(L'\\');
    if (cut == std::wstring::npos) return false;
    const std::size_t before = found_;
    if (relative.size() > 1 && std::any_of(relative.begin(), relative.end() - 1, HasWildcards)) {
      // The relative parts are the last parts of the full path: the folder above them anchors
      // the search.
      std::wstring anchor = full;
      for (std::size_t i = 0; i < relative.size() && !anchor.empty(); ++i) {
        const std::size_t at = anchor.find_last_of(L'\\');
        anchor.resize(at == std::wstring::npos ? 0 : at);
      }
      if (anchor.empty()) return false;
      Expand(anchor, relative, 0, {});
      return found_ > before;
    }
    const std::wstring last = full.substr(cut + 1);
    if (!relative.empty()) relative.pop_back();
    TakeMatching(full.substr(0, cut), last, relative);
    return found_ > before;
  }

  std::vector<SelectedFile> files;

 private:
  // The files or folders of `folder` that `last` names (a pattern or a plain name).
  void TakeMatching(const std::wstring& folder, const std::wstring& last,
                    const std::vector<std::wstring>& parents) {
    if (HasWildcards(last)) {
      for (const WIN32_FIND_DATAW& data : List(folder)) {
        if (MatchesWildcard(last, data.cFileName)) Take(folder + L"\\" + data.cFileName, parents, data);
      }
    } else {
      const std::wstring path = folder + L"\\" + last;
      WIN32_FIND_DATAW data{};
      FindHandle find = StartFind(path, data);
      if (find) Take(path, parents, data);
    }
  }

  // A name with wildcards in its folder parts: each such part stands for every folder it
  // matches (hidden and system folders only with IncludeSystemFiles, as for files), and the
  // names in the archive take the matched folders' own names.
  void Expand(const std::wstring& folder, const std::vector<std::wstring>& parts, std::size_t index,
              std::vector<std::wstring> parents) {
    const std::wstring& part = parts[index];
    if (index + 1 == parts.size()) {
      TakeMatching(folder, part, parents);
      return;
    }
    if (!HasWildcards(part)) {
      parents.push_back(part);
      Expand(folder + L"\\" + part, parts, index + 1, parents);
      return;
    }
    for (const WIN32_FIND_DATAW& data : List(folder)) {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !MatchesWildcard(part, data.cFileName))
        continue;
      if (!settings_.includeSystemFiles &&
          (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
        continue;
      }
      std::vector<std::wstring> below = parents;
      below.push_back(data.cFileName);
      Expand(folder + L"\\" + data.cFileName, parts, index + 1, below);
    }
  }

  static std::vector<WIN32_FIND_DATAW> List(const std::wstring& folder) {
    std::vector<WIN32_FIND_DATAW> entries;
    WIN32_FIND_DATAW data{};
    FindHandle find = StartFind(folder + L"\\*", data);
    if (!find) return entries;
    do {
      const std::wstring_view name(data.cFileName);
      if (name != L"." && name != L"..") entries.push_back(data);
    } while (::FindNextFileW(find.get(), &data));
    std::sort(entries.begin(), entries.end(), [](const WIN32_FIND_DATAW& a, const WIN32_FIND_DATAW& b) {
      return std::wstring_view(a.cFileName) < std::wstring_view(b.cFileName);
    });
    return entries;
  }

  // A file or folder found on disk: counts as matched even when a filter then leaves it out.
  void Take(const std::wstring& path, std::vector<std::wstring> parentParts, const WIN32_FIND_DATAW& data) {
    ++found_;
    if (!settings_.includeSystemFiles &&
        (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
      return;
    }
    if (skip_.count(Lower(path))) return;
    parentParts.push_back(data.cFileName);
    const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folder) {
      if (!settings_.ignoreDirectories && !settings_.junkDirectoryNames && !settings_.freshen) {
        Add(path, parentParts, data, true);
      }
      if (settings_.recurse) {
        for (const WIN32_FIND_DATAW& child : List(path))
          Take(path + L"\\" + child.cFileName, parentParts, child);
      }
      return;
    }
    const std::uint64_t written = LocalCount(data.ftLastWriteTime);
    if (settings_.excludeBefore && written < *settings_.excludeBefore) return;
    if (settings_.includeBefore && written >= *settings_.includeBefore) return;
    Add(path, parentParts, data, false);
  }

  static std::uint64_t LocalCount(const FILETIME& utc) {
    FILETIME local{};
    ::FileTimeToLocalFileTime(&utc, &local);
    return FileTimeCount(local);
  }

  void Add(const std::wstring& path, const std::vector<std::wstring>& parts, const WIN32_FIND_DATAW& data,
           bool folder) {
    SelectedFile file;
    file.path = path;
    file.entryName = EntryName(parts, folder, settings_);
    if (file.entryName.empty() || file.entryName == "/") return;
    // The same file named twice is taken once. Names are compared exactly: files whose names
    // differ only in case (possible on some file systems) are all kept.
    if (!names_.insert(file.entryName).second) return;
    file.folder = folder;
    file.lastWrite = data.ftLastWriteTime;
    file.size = folder ? 0 : (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    file.attributes = data.dwFileAttributes;
    files.push_back(std::move(file));
    if (taken_) taken_(files.back());
  }

  const Settings& settings_;
  const std::function<void(const SelectedFile&)>& taken_;
  std::set<std::wstring> skip_;
  std::set<std::string> names_;
  std::size_t found_ = 0;
};

}  // namespace

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD written = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  full.resize(written);
  while (full.size() > 3 && full.back() == L'\\') full.pop_back();
  return full;
}

std::string EntryName(const std::vector<std::wstring>& parts, bool folder, const Settings& settings) {
  if (parts.empty()) return {};
  std::wstring name;
  const std::size_t first = settings.junkDirectoryNames ? parts.size() - 1 : 0;
  for (std::size_t i = first; i < parts.size(); ++i) {
    if (!name.empty()) name += L'/';
    name += settings.forceDosNames ? DosPart(parts[i]) : parts[i];
  }
  if (folder) name += L'/';
  return Narrow(name, CP_UTF8);
}

Selection SelectFiles(const std::vector<std::string>& names, const Settings& settings,
                      const std::vector<std::wstring>& skip,
                      const std::function<void(const SelectedFile&)>& taken) {
  const std::wstring base = FullPath(settings.rootDir.empty() ? L"." : settings.rootDir);
  Walker walker(settings, skip, taken);
  Selection selection;
  for (const std::string& name : names) {
    if (!walker.AddName(name, base)) selection.unmatched.push_back(name);
  }
  selection.files = std::move(walker.files);
  return selection;
}

}  // namespace zip32
