// Object and lock counts of the module, changed with interlocked operations so that servers
// registered for any threading model can share them.
#include "Module.h"

#include <atomic>
#include <system_error>

#include "TypeInfo.h"

namespace talvo::com {
namespace {
std::atomic<long> objects{0};
std::atomic<long> locks{0};
}  // namespace

void Module::ObjectCreated() noexcept { ++objects; }
void Module::ObjectDestroyed() noexcept { --objects; }
void Module::Lock() noexcept { ++locks; }
void Module::Unlock() noexcept { --locks; }
long Module::ObjectCount() noexcept { return objects.load(); }
long Module::LockCount() noexcept { return locks.load(); }

HRESULT Module::CanUnloadNow() noexcept {
  if (objects.load() != 0 || locks.load() != 0) return S_FALSE;
  // The library may be unloaded next: what it holds from other DLLs is released now, outside
  // the loader lock, rather than by a destructor at detach.
  ReleaseCachedTypeInfo();
  return S_OK;
}

HMODULE Module::Handle() noexcept {
  // The address of this function lies in the module the library was linked into.
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&Module::Handle), &module);
  return module;
}

std::wstring Module::Path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(Handle(), path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) throw std::system_error(static_cast<int>(::GetLastError()), std::system_category());
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace talvo::com
