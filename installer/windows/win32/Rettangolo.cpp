// The row rectangle: its colour lives in GWLP_USERDATA, which other processes can read too, so a
// test sees the colour the window paints.
#include "Rettangolo.h"

#include "IdControlli.h"
#include "raii/unique_any.h"

namespace talvo::finestre {

namespace {

LRESULT CALLBACK ProceduraRettangolo(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  switch (msg) {
    case WM_NCHITTEST:
      // A shape takes no mouse input: a click on it is a click on the window behind.
      return HTTRANSPARENT;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = ::BeginPaint(hwnd, &ps);
      RECT area;
      ::GetClientRect(hwnd, &area);
      const unique_hgdiobj pennello(::CreateSolidBrush(static_cast<COLORREF>(ColoreRiempimento(hwnd))));
      ::FillRect(dc, &area, static_cast<HBRUSH>(pennello.get()));
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    default: return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

bool Registra() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &ProceduraRettangolo;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = ClasseShape;
  return ::RegisterClassExA(&wc) != 0;
}

// The class is registered with the first rectangle.
void RegistraClasse() {
  static const bool registrata = Registra();
  static_cast<void>(registrata);
}

}  // namespace

HWND CreaRettangolo(HWND genitore, int id) {
  RegistraClasse();
  return ::CreateWindowExA(0, ClasseShape, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, genitore,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                           nullptr);
}

void ImpostaColoreRiempimento(HWND rettangolo, std::uint32_t colore) {
  if (ColoreRiempimento(rettangolo) == colore) return;
  ::SetWindowLongPtrA(rettangolo, GWLP_USERDATA, static_cast<LONG_PTR>(colore));
  ::InvalidateRect(rettangolo, nullptr, FALSE);
}

std::uint32_t ColoreRiempimento(HWND rettangolo) {
  return static_cast<std::uint32_t>(::GetWindowLongPtrA(rettangolo, GWLP_USERDATA));
}

}  // namespace talvo::finestre
