// The release editor FrmModRel: renders its model and forwards its events to the logic; shown
// modally over the main window.
#pragma once

#include <windows.h>

#include <string>

#include "Finestra.h"
#include "raii/unique_any.h"

namespace talvo {
class FrmModRel;
class Win32Desktop;
}  // namespace talvo

namespace talvo::finestre {

class FinestraSetupPBD;

class FinestraFrmModRel : public Finestra<FinestraFrmModRel> {
 public:
  FinestraFrmModRel(const Sessione& sessione, FrmModRel& logica);

  // Creates the window, hidden, owned by the given window. False when it could not be created.
  bool Crea(HWND proprietaria);
  void Aggiorna();
  // The logic unloaded the window or the person closed it.
  bool Chiusa() const;

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  void Comando(int id, int notifica);

  FrmModRel& logica_;
  int dpi_ = 96;
  unique_hgdiobj carattere_;
  HWND txtVecchiarel_ = nullptr;
  HWND cmdAgg_ = nullptr;
  bool chiusa_ = false;
  bool inAggiornamento_ = false;
};

// Loads the release editor and shows it modally over the main window; returns once it is gone,
// with the activation handed back to the main window.
void MostraFrmModRel(const Sessione& sessione, Win32Desktop& desktop, FinestraSetupPBD& principale,
                     const std::string& cartellaProgramma);

}  // namespace talvo::finestre
