// ANSI <-> UTF-16 through the platform's code page conversion.
#include "TestoAnsi.h"

#include <windows.h>

namespace talvo {

std::string AnsiDaWide(const wchar_t* testo, std::size_t lunghezza) {
  if (lunghezza == 0) return {};
  const int n =
      ::WideCharToMultiByte(CP_ACP, 0, testo, static_cast<int>(lunghezza), nullptr, 0, nullptr, nullptr);
  std::string risultato(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, testo, static_cast<int>(lunghezza), risultato.data(), n, nullptr, nullptr);
  return risultato;
}

std::wstring WideDaAnsi(const std::string& testo) {
  if (testo.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_ACP, 0, testo.data(), static_cast<int>(testo.size()), nullptr, 0);
  std::wstring risultato(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, testo.data(), static_cast<int>(testo.size()), risultato.data(), n);
  return risultato;
}

}  // namespace talvo
