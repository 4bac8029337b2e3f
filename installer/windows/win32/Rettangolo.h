// The filled rectangles of the main window's rows: a child window of its own class that paints
// a solid fill in a Windows colour (low byte red) and lets the mouse through to its parent.
#pragma once

#include <windows.h>

#include <cstdint>

namespace talvo::finestre {

HWND CreaRettangolo(HWND genitore, int id);
void ImpostaColoreRiempimento(HWND rettangolo, std::uint32_t colore);
std::uint32_t ColoreRiempimento(HWND rettangolo);

}  // namespace talvo::finestre
