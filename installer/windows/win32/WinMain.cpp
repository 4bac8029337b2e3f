// Entry point of SetupTalvo: common controls, COM for the shell objects the installer uses, and
// the installer itself. Nothing thrown leaves the program unhandled.
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <objbase.h>

#include "Applicazione.h"

namespace {

// COM stays initialised on the thread of the windows for the whole run.
class ComInizializzato {
 public:
  ComInizializzato() : esito_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComInizializzato() {
    if (SUCCEEDED(esito_)) ::CoUninitialize();
  }
  ComInizializzato(const ComInizializzato&) = delete;
  ComInizializzato& operator=(const ComInizializzato&) = delete;

 private:
  HRESULT esito_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int comandoMostra) {
  try {
    INITCOMMONCONTROLSEX controlli{sizeof controlli, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controlli);
    const ComInizializzato com;
    talvo::finestre::Applicazione applicazione(talvo::finestre::CartellaProgramma());
    return applicazione.Esegui(comandoMostra);
  } catch (...) {
    return 1;
  }
}
