// The release editor: shows the lowest installed release the patch accepts and, on request,
// records it as the installed TALVO release in System.ini.
#pragma once

#include <string>

#include "ModelloSetupPBD.h"

namespace talvo {

class Desktop;
struct Sessione;

struct ModelloFrmModRel {
  std::string Caption{"Modifica Release"};
  CasellaDiTesto txtVecchiarel;
  Pulsante CmdAgg{"Aggiorna"};
  // The window has been unloaded and must close.
  bool Scaricata = false;
};

class FrmModRel {
 public:
  FrmModRel(const Sessione& sessione, Desktop& desktop, std::string cartellaProgramma);

  ModelloFrmModRel& Modello() { return modello_; }

  void Form_Load();
  void CmdAgg_Click();

 private:
  const Sessione& sessione_;
  Desktop& desktop_;
  std::string cartellaProgramma_;
  ModelloFrmModRel modello_;
};

}  // namespace talvo
