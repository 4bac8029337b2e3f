// A thread timer: modal loops (message boxes, the log viewer's) dispatch its tick to the
// procedure below, which closes the window of this thread that is waiting for an answer. Only a
// window that accepts input is closed: a box over the log viewer goes first, the viewer next.
#include "ChiusuraAutomatica.h"

#include <cstring>

#include "IdControlli.h"

namespace talvo::finestre {

namespace {

BOOL CALLBACK ChiudiSeInAttesa(HWND finestra, LPARAM) {
  if (!::IsWindowVisible(finestra) || !::IsWindowEnabled(finestra)) return TRUE;
  char classe[64] = {};
  ::GetClassNameA(finestra, classe, sizeof classe);
  if (std::strcmp(classe, "#32770") == 0) {
    // A message box: its default button, as Enter would press it.
    const LRESULT predefinito = ::SendMessageA(finestra, DM_GETDEFID, 0, 0);
    const int id = HIWORD(predefinito) == DC_HASDEFID ? LOWORD(predefinito) : IDOK;
    ::PostMessageA(finestra, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(finestra, id)));
    return FALSE;
  }
  if (std::strcmp(classe, ClasseFrmMostraLog) == 0) {
    ::PostMessageA(finestra, WM_CLOSE, 0, 0);
    return FALSE;
  }
  return TRUE;
}

void CALLBACK Scaduto(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumThreadWindows(::GetCurrentThreadId(), ChiudiSeInAttesa, 0);
}

}  // namespace

ChiusuraAutomatica::ChiusuraAutomatica(UINT millisecondi)
    : timer_(::SetTimer(nullptr, 0, millisecondi, Scaduto)) {}

ChiusuraAutomatica::~ChiusuraAutomatica() {
  if (timer_ != 0) ::KillTimer(nullptr, timer_);
}

}  // namespace talvo::finestre
