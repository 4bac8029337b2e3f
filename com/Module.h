// The state every in-process server keeps once per module: live objects and server locks,
// which decide DllCanUnloadNow, and the module's own handle and path.
#pragma once

#include <windows.h>

#include <string>

namespace talvo::com {

class Module {
 public:
  static void ObjectCreated() noexcept;
  static void ObjectDestroyed() noexcept;
  static void Lock() noexcept;
  static void Unlock() noexcept;
  static long ObjectCount() noexcept;
  static long LockCount() noexcept;

  // S_OK when no object and no lock is left, S_FALSE otherwise. Answering S_OK, it first releases
  // the module's cached type information.
  static HRESULT CanUnloadNow() noexcept;

  // The module (DLL or program) this library is linked into.
  static HMODULE Handle() noexcept;
  // Its full path; throws std::bad_alloc or a Win32 failure as std::system_error.
  static std::wstring Path();
};

}  // namespace talvo::com
