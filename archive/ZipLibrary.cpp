// Loaded by full path with the altered search order, so that the libraries zip32.dll needs are
// looked up beside it. The module is never freed: freeing it would run under the loader lock at
// unload.
#include "ZipLibrary.h"

#include <windows.h>

#include <mutex>
#include <string>

#include "com/Module.h"

namespace talvo::zipova {
namespace {

std::wstring Folder(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

HMODULE LoadFrom(const std::wstring& folder) {
  if (folder.empty()) return nullptr;
  const std::wstring path = folder + L"\\zip32.dll";
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
  return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

std::wstring SystemFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(buffer, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(buffer, length);
}

template <typename Function>
Function Bind(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

ZipLibraryEntryPoints ZipLibrary() noexcept {
  static std::mutex lock;
  static HMODULE module = nullptr;
  static ZipLibraryEntryPoints entryPoints;
  try {
    std::lock_guard<std::mutex> guard(lock);
    if (!module) {
      module = LoadFrom(Folder(com::Module::Path()));
      if (!module) module = LoadFrom(SystemFolder());
      if (!module) return {};
      entryPoints.ZpInit = Bind<ZpInitFunction>(module, "ZpInit");
      entryPoints.ZpSetOptions = Bind<ZpSetOptionsFunction>(module, "ZpSetOptions");
      entryPoints.ZpGetOptions = Bind<ZpGetOptionsFunction>(module, "ZpGetOptions");
      entryPoints.ZpArchive = Bind<ZpArchiveFunction>(module, "ZpArchive");
    }
    return entryPoints;
  } catch (...) {
    return {};
  }
}

}  // namespace talvo::zipova
