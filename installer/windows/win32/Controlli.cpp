// Child controls: creation, placement in twips and change-only setters.
#include "Controlli.h"

#include "Dpi.h"

namespace talvo::finestre {

HWND CreaControllo(HWND genitore, const char* classe, const std::string& testo, DWORD stile, int id) {
  return ::CreateWindowExA(0, classe, testo.c_str(), WS_CHILD | stile, 0, 0, 0, 0, genitore,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                           nullptr);
}

void Posiziona(HWND controllo, int dpi, int left, int top, int larghezza, int altezza) {
  ::SetWindowPos(controllo, nullptr, Pixel(left, dpi), Pixel(top, dpi), Pixel(larghezza, dpi),
                 Pixel(altezza, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string TestoDi(HWND controllo) {
  const int lunghezza = ::GetWindowTextLengthA(controllo);
  std::string testo(static_cast<std::size_t>(lunghezza) + 1, '\0');
  testo.resize(static_cast<std::size_t>(::GetWindowTextA(controllo, testo.data(), lunghezza + 1)));
  return testo;
}

void ImpostaTesto(HWND controllo, const std::string& testo) {
  if (TestoDi(controllo) != testo) ::SetWindowTextA(controllo, testo.c_str());
}

void ImpostaVisibile(HWND controllo, bool visibile) {
  if ((::IsWindowVisible(controllo) != FALSE) != visibile)
    ::ShowWindow(controllo, visibile ? SW_SHOWNA : SW_HIDE);
}

void ImpostaAbilitato(HWND controllo, bool abilitato) {
  if ((::IsWindowEnabled(controllo) != FALSE) != abilitato)
    ::EnableWindow(controllo, abilitato ? TRUE : FALSE);
}

void ImpostaListaDiscesa(HWND combo, const std::vector<std::string>& voci, int selezione,
                         std::vector<std::string>& mostrate) {
  if (voci != mostrate) {
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& voce : voci) {
      ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(voce.c_str()));
    }
    mostrate = voci;
  }
  if (selezione < 0 || static_cast<std::size_t>(selezione) >= voci.size()) selezione = -1;
  if (::SendMessageA(combo, CB_GETCURSEL, 0, 0) != selezione) {
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selezione), 0);
  }
}

unique_hgdiobj CreaCarattere(int dpi) {
  NONCLIENTMETRICSA metriche{};
  metriche.cbSize = sizeof metriche;
  LOGFONTA lf{};
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metriche, &metriche, 0)) {
    lf = metriche.lfMessageFont;
  } else {
    lstrcpynA(lf.lfFaceName, "MS Shell Dlg", LF_FACESIZE);
  }
  // The message font at 8 points, scaled to the window's DPI rather than the system's.
  lf.lfHeight = -::MulDiv(8, dpi, 72);
  lf.lfWidth = 0;
  return unique_hgdiobj(::CreateFontIndirectA(&lf));
}

namespace {

// A named callback: on x86 a lambda does not convert to a stdcall function pointer.
BOOL CALLBACK DaiCarattere(HWND figlio, LPARAM carattere) {
  ::SendMessageA(figlio, WM_SETFONT, static_cast<WPARAM>(carattere), TRUE);
  return TRUE;
}

}  // namespace

void ImpostaCarattere(HWND finestra, HFONT carattere) {
  ::EnumChildWindows(finestra, &DaiCarattere, reinterpret_cast<LPARAM>(carattere));
}

}  // namespace talvo::finestre
