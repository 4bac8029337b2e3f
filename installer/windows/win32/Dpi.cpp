// GetDpiForWindow exists from Windows 10 1607 on; it is looked up at run time so that the
// program still starts where it is missing, and the screen's LOGPIXELSX stands in for it.
#include "Dpi.h"

namespace talvo::finestre {

int DpiSchermo() {
  const HDC schermo = ::GetDC(nullptr);
  const int dpi = schermo ? ::GetDeviceCaps(schermo, LOGPIXELSX) : 96;
  if (schermo) ::ReleaseDC(nullptr, schermo);
  return dpi > 0 ? dpi : 96;
}

int DpiDi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = [] {
    const HMODULE user32 = ::GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<GetDpiForWindowFn>(
                        reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForWindow")))
                  : nullptr;
  }();
  if (getDpiForWindow && hwnd) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return DpiSchermo();
}

}  // namespace talvo::finestre
