// Child controls of the installer's windows: creation, placement in twips, and the small setters
// the views use to show a model (each touches the control only when the value changed, so a
// re-render does not flicker).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "raii/unique_any.h"

namespace talvo::finestre {

HWND CreaControllo(HWND genitore, const char* classe, const std::string& testo, DWORD stile, int id);

// Places a control; position and size in twips at the given DPI.
void Posiziona(HWND controllo, int dpi, int left, int top, int larghezza, int altezza);

void ImpostaTesto(HWND controllo, const std::string& testo);
std::string TestoDi(HWND controllo);
void ImpostaVisibile(HWND controllo, bool visibile);
void ImpostaAbilitato(HWND controllo, bool abilitato);

// Shows a drop-down list's entries and selection (-1 or out of range: none). `mostrate` remembers the
// entries last shown, so that the list is rebuilt only when they change; setting the selection
// sends no notification, so showing a model never fires a handler.
void ImpostaListaDiscesa(HWND combo, const std::vector<std::string>& voci, int selezione,
                         std::vector<std::string>& mostrate);

// The font of the installer's windows at the given DPI.
unique_hgdiobj CreaCarattere(int dpi);
// Gives the font to every child control of the window.
void ImpostaCarattere(HWND finestra, HFONT carattere);

}  // namespace talvo::finestre
