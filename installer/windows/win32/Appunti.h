// The clipboard through the Win32 API.
#pragma once

#include <windows.h>

#include <string>

namespace talvo::finestre {

// Empties the clipboard and puts the text on it as CF_TEXT, in the ANSI code page. The owner may be
// null. Throws ErroreRuntime when the clipboard cannot be opened, emptied or filled; the memory
// goes to the clipboard only once it has taken it.
void CopiaTestoNegliAppunti(HWND proprietaria, const std::string& testo);

}  // namespace talvo::finestre
