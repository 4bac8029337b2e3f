// The log viewer FrmMostraLog: shows the installer log in one large text box, reloaded each time
// the window is activated, and from its menu copies it to the clipboard, prints it or closes.
#pragma once

#include <string>

#include "ModelloSetupPBD.h"

namespace talvo {

class Desktop;
struct Sessione;

struct VoceMenu {
  std::string Caption;
  bool Abilitato = true;
};

// A window's or control's place, in twips.
struct Posizione {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

struct ModelloFrmMostraLog {
  std::string Caption{"LogFile"};
  // The window's outer rectangle; the text box sits in its client area.
  Posizione Finestra;
  // Multi-line, with both scroll bars, holding the whole log.
  CasellaDiTesto TxtFile;
  Posizione PosizioneTxtFile;
  std::string mnup{"&Principale"};
  VoceMenu mnup3{"&Copia"};
  VoceMenu mnup2{"&Stampa"};
  VoceMenu mnup4{"&Esci"};
  // The window has been unloaded and must close.
  bool Scaricata = false;
};

class FrmMostraLog {
 public:
  FrmMostraLog(const Sessione& sessione, Desktop& desktop);

  ModelloFrmMostraLog& Modello() { return modello_; }
  const ModelloFrmMostraLog& Modello() const { return modello_; }

  // Places the window and its text box for a screen of that size in twips.
  void Form_Load(int larghezzaSchermo, int altezzaSchermo);
  // Reloads the log: every activation shows the file as it is now.
  void Form_Activate();
  // "&Copia": the whole text onto the clipboard.
  void mnup3_Click();
  // "&Stampa": the printer window, modally.
  void mnup2_Click();
  // "&Esci": unloads the window.
  void mnup4_Click();

 private:
  void CaricaLog();

  const Sessione& sessione_;
  Desktop& desktop_;
  ModelloFrmMostraLog modello_;
};

// The text box's text for a file's content: each line followed by CR LF, whether the file ends its
// lines with CR LF, CR or LF, and whether or not its last line has an end.
std::string TestoRighe(const std::string& contenuto);

}  // namespace talvo
