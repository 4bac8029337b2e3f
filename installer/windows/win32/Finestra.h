// A top-level Win32 window owned by a C++ object: the object sits in GWLP_USERDATA and every
// message goes to its HandleMessage; no exception leaves the window procedure, and one that
// reaches it is written to the installer log before it is dropped.
//
// How it works: CreateWindowExA receives the object as its creation parameter; WM_NCCREATE stores
// it and takes ownership of the handle, WM_NCDESTROY gives both up, so a window destroyed by the
// system leaves no dangling owner. The object's destructor detaches itself before the window is
// destroyed, so a half-destroyed object never sees a message.
#pragma once

#include <windows.h>

#include <string>

#include "ErroriFinestre.h"
#include "raii/unique_any.h"

namespace talvo::finestre {

template <typename Derivata>
class Finestra {
 public:
  Finestra(const Finestra&) = delete;
  Finestra& operator=(const Finestra&) = delete;

  HWND Hwnd() const noexcept { return hwnd_.get(); }

 protected:
  // nome: how the log names the window when an error escapes one of its handlers.
  Finestra(const Sessione& sessione, const char* nome) : sessione_(sessione), nome_(nome) {}
  ~Finestra() {
    if (hwnd_) ::SetWindowLongPtrA(hwnd_.get(), GWLP_USERDATA, 0);
  }

  // Registers the window class the first time a window of this kind is created.
  static void RegistraClasse(const char* classe) {
    static const bool registrata = Registra(classe);
    static_cast<void>(registrata);
  }

  static bool Registra(const char* classe) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Finestra::Procedura;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = classe;
    return ::RegisterClassExA(&wc) != 0;
  }

  // Creates the window (null on failure); the object owns it from then on.
  HWND Crea(DWORD stileEsteso, const char* classe, const std::string& titolo, DWORD stile, int x, int y,
            int larghezza, int altezza, HWND proprietaria) {
    RegistraClasse(classe);
    return ::CreateWindowExA(stileEsteso, classe, titolo.c_str(), stile, x, y, larghezza, altezza,
                             proprietaria, nullptr, ::GetModuleHandleA(nullptr), this);
  }

  void Distruggi() noexcept { hwnd_.reset(); }

 private:
  static LRESULT CALLBACK Procedura(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
      auto* creata = static_cast<Finestra*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creata));
      creata->hwnd_ = unique_hwnd(hwnd);
    }
    auto* finestra = reinterpret_cast<Finestra*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (finestra == nullptr) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      finestra->hwnd_.release();
      return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    try {
      return static_cast<Derivata*>(finestra)->HandleMessage(msg, wParam, lParam);
    } catch (...) {
      RegistraEccezione(finestra->sessione_, finestra->nome_);
      return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
  }

  const Sessione& sessione_;
  const char* nome_;
  unique_hwnd hwnd_;
};

}  // namespace talvo::finestre
