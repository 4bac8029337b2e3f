// The main window as the procedures that read the patch description see it: its controls, its
// shared state, and the two steps of the window's logic they run (handed in, since that logic
// lives above this folder).
#pragma once

#include <functional>

#include "ModelloSetupPBD.h"
#include "StatoSetupPBD.h"

namespace talvo {

class Desktop;

struct FinestraSetupPBD {
  Desktop& desktop;
  ModelloSetupPBD& Modello;
  StatoSetupPBD& Stato;
  // The drive-selection step, run whenever an entry of CmbDischi is selected.
  std::function<void()> CmbDischi_Click;
  // The area status pass.
  std::function<void()> VerificaStatoAree;

  // Selects entry i of CmbDischi, which runs the drive-selection step.
  void SelezionaDisco(int i) {
    Modello.CmbDischi.Selezione = i;
    if (CmbDischi_Click) CmbDischi_Click();
  }
};

}  // namespace talvo
