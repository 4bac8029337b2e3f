// Runs one of the installer's secondary windows modally over its owner.
#pragma once

#include <windows.h>

#include <functional>

namespace talvo::finestre {}  // namespace talvo::finestre

namespace talvo {
class Win32Desktop;
}

namespace talvo::finestre {

// Disables the owner, shows the window and runs its messages until `finita` says it is done (or
// the program is quitting); message boxes meanwhile belong to the window. Then the owner is
// enabled and `restituisci` hands the activation back to it while the window still exists, so
// that no other program's window is activated in between. The caller destroys the window.
void EseguiModale(HWND finestra, Win32Desktop& desktop, const std::function<bool()>& finita,
                  const std::function<void()>& restituisci);

}  // namespace talvo::finestre
