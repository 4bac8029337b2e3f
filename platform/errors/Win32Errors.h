// The run-time error number that a Win32 error code stands for, shared by the installer and the
// servers so that the same failure of the platform reads the same everywhere.
#pragma once

#include <windows.h>

#include "RunTimeErrors.h"

namespace talvo::errors {

constexpr int RunTimeNumberFromWin32(DWORD code) noexcept {
  switch (code) {
    case ERROR_FILE_NOT_FOUND: return Number::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH: return Number::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return Number::PermissionDenied;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return Number::FileAlreadyExists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return Number::DiskFull;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return Number::OutOfMemory;
    default: return Number::PathFileAccessError;
  }
}

}  // namespace talvo::errors
