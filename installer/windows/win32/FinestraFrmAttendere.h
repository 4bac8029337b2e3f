// The wait window frmAttendere: a small window that shows the wait model while the load
// sequence blocks, created when the model turns visible and destroyed when it turns hidden.
#pragma once

#include <windows.h>

#include "Finestra.h"
#include "windows/logic/ModelloSetupPBD.h"
#include "raii/unique_any.h"

namespace talvo::finestre {

class FinestraFrmAttendere : public Finestra<FinestraFrmAttendere> {
 public:
  FinestraFrmAttendere(const Sessione& sessione, const ModelloFrmAttendere& modello);

  // Shows, changes or removes the window as the model says, painting it at once: the load
  // that shows it runs no message loop.
  void Aggiorna();

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  void Crea();
  void Disponi();
  void AggiornaCarattere();

  const ModelloFrmAttendere& modello_;
  int dpi_ = 96;
  unique_hgdiobj carattere_;
  HWND label1_ = nullptr;
  bool inPerditaFuoco_ = false;
};

}  // namespace talvo::finestre
