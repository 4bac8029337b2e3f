// The printer window FrmStampa: renders its model and forwards its events to the logic; shown
// modally over the log viewer.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Finestra.h"
#include "raii/unique_any.h"

namespace talvo {
class FrmStampa;
class Win32Desktop;
}  // namespace talvo

namespace talvo::finestre {

class FinestraFrmMostraLog;

class FinestraFrmStampa : public Finestra<FinestraFrmStampa> {
 public:
  FinestraFrmStampa(const Sessione& sessione, FrmStampa& logica);

  // Creates the window, hidden, centred over the given window, which owns it; its activation runs
  // once it is shown. False when it could not be created.
  bool Crea(HWND proprietaria);
  void Aggiorna();
  // The logic unloaded the window or the person closed it.
  bool Chiusa() const;

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  void Comando(int id, int notifica);
  template <typename Gestore>
  void Gestisci(Gestore gestore);

  const Sessione& sessione_;
  FrmStampa& logica_;
  int dpi_ = 96;
  unique_hgdiobj carattere_;
  HWND label1_ = nullptr;
  HWND cmbStampante_ = nullptr;
  HWND cmdStampa_ = nullptr;
  HWND cmdEsci_ = nullptr;
  std::vector<std::string> vociMostrate_;
  bool chiusa_ = false;
};

// Loads the printer window and shows it modally over the log viewer, printing the viewer's text;
// returns once it is gone, with the activation handed back to the viewer, which reloads the log.
void MostraFrmStampa(const Sessione& sessione, Win32Desktop& desktop, FinestraFrmMostraLog& registro);

}  // namespace talvo::finestre
