// The printer window FrmStampa: the installed printers in a drop-down list, and the button that
// prints the log viewer's text on the chosen one.
#pragma once

#include <string>

#include "ModelloSetupPBD.h"

namespace talvo {

class Desktop;

struct ModelloFrmStampa {
  std::string Caption{"Scelta Stampante"};
  Etichetta Label1{"Seleziona Stampante"};
  // An empty entry first, then the printers.
  ListaDiscesa CmbStampante;
  Pulsante CmdStampa{"&Stampa"};
  Pulsante CmdEsci{"&Esci"};
  // The window has been unloaded and must close.
  bool Scaricata = false;
};

// How the log is printed: landscape, in a small fixed-pitch font so that a log line fits the width.
inline constexpr int OrientamentoStampa = Orientamento::Orizzontale;
inline constexpr int DimensioneCarattereStampa = 7;
inline constexpr const char* NomeCarattereStampa = "Courier New";

class FrmStampa {
 public:
  // testo: the log viewer's text box, read when the person prints.
  FrmStampa(Desktop& desktop, const CasellaDiTesto& testo);

  ModelloFrmStampa& Modello() { return modello_; }

  // Rebuilds the printer list.
  void Form_Activate();
  // Prints the text on the chosen printer; the window stays open.
  void CmdStampa_Click();
  // Unloads the window.
  void CmdEsci_Click();

 private:
  Desktop& desktop_;
  const CasellaDiTesto& testo_;
  ModelloFrmStampa modello_;
};

}  // namespace talvo
