// Log lines in the root folder of the current drive, written with the Windows file functions.
#include "RootLog.h"

#include <windows.h>

#include <string>

#include "com/RunTimeError.h"
#include "errors/Win32Errors.h"
#include "raii/unique_any.h"

namespace talvo::translators::informix {
namespace {

[[noreturn]] void FailWithLastError() {
  throw com::RunTimeError(errors::RunTimeNumberFromWin32(::GetLastError()));
}

std::string Ansi(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide, size, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace

void AppendRootLogLine(std::u16string_view fileName, std::u16string_view line) {
  // A path that starts with a backslash names the root folder of the current drive.
  std::wstring path = L"\\" + std::wstring(fileName.begin(), fileName.end());
  unique_hfile file =
      make_hfile(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) FailWithLastError();
  const std::string bytes = Ansi(line) + "\r\n";
  DWORD written = 0;
  if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    FailWithLastError();
  }
}

}  // namespace talvo::translators::informix
