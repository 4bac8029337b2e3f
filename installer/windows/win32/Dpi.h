// Twips to pixels at a window's DPI: the installer's layout is written in twips, 1440 to the inch.
#pragma once

#include <windows.h>

namespace talvo::finestre {

// The DPI of the window (GetDpiForWindow where the platform has it), else the screen's.
int DpiDi(HWND hwnd);
// The DPI of the screen, for windows not created yet.
int DpiSchermo();

inline int Pixel(int twips, int dpi) { return ::MulDiv(twips, dpi, 1440); }

}  // namespace talvo::finestre
