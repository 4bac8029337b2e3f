// The main window SetupPBD: renders the main window's model and forwards its window events to the
// logic, re-rendering after every handler.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "Finestra.h"
#include "windows/logic/ModelloSetupPBD.h"
#include "raii/unique_any.h"

namespace talvo {
class SetupPBD;
}

namespace talvo::finestre {

class FinestraSetupPBD : public Finestra<FinestraSetupPBD> {
 public:
  FinestraSetupPBD(const Sessione& sessione, SetupPBD& logica);

  // Creates and shows the window; the first activation runs as soon as messages are dispatched.
  // False when the window could not be created.
  bool Mostra(int comandoMostra);

  // Brings every control in line with the model.
  void Aggiorna();

  // The passive mode: once the first activation is over, presses "&Aggiorna" (when it is enabled)
  // and then closes the window, ending the program.
  void AvviaDaSola();

  // Gives the activation back to this window from another window of the installer that is
  // closing, which is an activation of the form.
  void RiprendiAttivazione();

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  struct ControlliRiga {
    HWND LblArea = nullptr;
    HWND LblStato = nullptr;
    HWND LblEsito = nullptr;
    HWND lblOk = nullptr;
    HWND Shape1 = nullptr;
  };

  void CreaControlli();
  void Disponi();
  void AggiornaCombo(const ListaDiscesa& lista);
  void AggiornaSuggerimento(const std::string& testo);
  void Attiva();
  void RilascioMouse(int pulsante, WPARAM statoTasti);
  void Comando(int id, int notifica);
  void Chiudi();
  void ProvaAvvioAutomatico();
  // Runs an event handler of the logic; an error it lets out is logged and dropped, and the
  // window shows the model whatever happened.
  template <typename Gestore>
  void Gestisci(Gestore gestore);

  const Sessione& sessione_;
  SetupPBD& logica_;
  int dpi_ = 96;
  unique_hgdiobj carattere_;
  std::array<ControlliRiga, Disposizione::NumeroRighe> righe_{};
  HWND label1_ = nullptr;
  HWND cmbDischi_ = nullptr;
  HWND cmdAggiorna_ = nullptr;
  HWND cmdEsci_ = nullptr;
  // Owned by this window: destroyed with it.
  HWND suggerimento_ = nullptr;
  std::vector<std::string> vociMostrate_;
  std::string suggerimentoMostrato_;
  bool ritornoDaFinestra_ = false;
  bool inAttivazione_ = false;
};

}  // namespace talvo::finestre
