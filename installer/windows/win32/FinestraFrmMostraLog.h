// The log viewer FrmMostraLog: renders its model (a large multi-line text box and the menu
// "&Principale") and forwards its events to the logic; shown modally over the main window.
#pragma once

#include <windows.h>

#include <functional>

#include "Finestra.h"
#include "raii/unique_any.h"

namespace talvo {
class FrmMostraLog;
class Win32Desktop;
}  // namespace talvo

namespace talvo::finestre {

class FinestraFrmMostraLog : public Finestra<FinestraFrmMostraLog> {
 public:
  FinestraFrmMostraLog(const Sessione& sessione, FrmMostraLog& logica);

  // Creates the window, hidden, owned by the given window; its first activation runs once it is
  // shown. False when it could not be created.
  bool Crea(HWND proprietaria);
  void Aggiorna();
  // The logic unloaded the window or the person closed it.
  bool Chiusa() const;
  FrmMostraLog& Logica() { return logica_; }

  // Gives the activation back to this window from the printer window that is closing, which is an
  // activation of the form.
  void RiprendiAttivazione();

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  void Attiva();
  void Comando(int id);
  // What the person typed into the box becomes the model's text before a handler reads it.
  void LeggiTestoModificato();
  template <typename Gestore>
  void Gestisci(Gestore gestore);

  const Sessione& sessione_;
  FrmMostraLog& logica_;
  int dpi_ = 96;
  unique_hgdiobj carattere_;
  HWND txtFile_ = nullptr;
  bool chiusa_ = false;
  bool ritornoDaFinestra_ = false;
  bool inAttivazione_ = false;
};

// Loads the log viewer and shows it modally over its owner (the main window); returns once it is
// gone, after `restituisci` has handed the activation back to the owner. While it is shown,
// `aperta` points to it, so that the printer window can be opened over it.
void MostraFrmMostraLog(const Sessione& sessione, Win32Desktop& desktop, HWND proprietaria,
                        const std::function<void()>& restituisci, FinestraFrmMostraLog*& aperta);

}  // namespace talvo::finestre
