// Conversions between the ANSI code page of the installer and UTF-16 texts of the platform.
#pragma once

#include <string>

namespace talvo {

std::string AnsiDaWide(const wchar_t* testo, std::size_t lunghezza);
std::wstring WideDaAnsi(const std::string& testo);

}  // namespace talvo
