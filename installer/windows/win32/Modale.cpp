// The modal loop of the secondary windows.
#include "Modale.h"

#include "Win32Desktop.h"

namespace talvo::finestre {

namespace {

// Lends the owner of message boxes to a window for as long as it lives.
class ProprietariaPrestata {
 public:
  ProprietariaPrestata(Win32Desktop& desktop, HWND hwnd)
      : desktop_(desktop), precedente_(desktop.FinestraProprietaria()) {
    desktop_.ImpostaFinestraProprietaria(hwnd);
  }
  ~ProprietariaPrestata() { desktop_.ImpostaFinestraProprietaria(precedente_); }
  ProprietariaPrestata(const ProprietariaPrestata&) = delete;
  ProprietariaPrestata& operator=(const ProprietariaPrestata&) = delete;

 private:
  Win32Desktop& desktop_;
  void* precedente_;
};

// Keeps the owner disabled for as long as it lives.
class ProprietariaDisabilitata {
 public:
  explicit ProprietariaDisabilitata(HWND proprietaria) : proprietaria_(proprietaria) {
    if (proprietaria_) ::EnableWindow(proprietaria_, FALSE);
  }
  ~ProprietariaDisabilitata() {
    if (proprietaria_) ::EnableWindow(proprietaria_, TRUE);
  }
  ProprietariaDisabilitata(const ProprietariaDisabilitata&) = delete;
  ProprietariaDisabilitata& operator=(const ProprietariaDisabilitata&) = delete;

 private:
  HWND proprietaria_;
};

}  // namespace

void EseguiModale(HWND finestra, Win32Desktop& desktop, const std::function<bool()>& finita,
                  const std::function<void()>& restituisci) {
  {
    const ProprietariaPrestata messaggi(desktop, finestra);
    const ProprietariaDisabilitata proprietaria(::GetWindow(finestra, GW_OWNER));
    ::ShowWindow(finestra, SW_SHOW);
    ::SetForegroundWindow(finestra);
    MSG msg;
    while (!finita()) {
      const BOOL esito = ::GetMessageA(&msg, nullptr, 0, 0);
      if (esito == 0) {
        // The quit belongs to the program's own message loop: hand it back.
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (esito < 0) break;
      if (!::IsDialogMessageA(finestra, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
    }
  }
  if (restituisci) restituisci();
}

}  // namespace talvo::finestre
