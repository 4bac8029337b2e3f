// What the main window SetupPBD and the wait window frmAttendere show: a plain model of their
// controls that the logic writes and the Win32 views render. Sizes and positions are in twips.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Desktop.h"

namespace talvo {

// Windows colour values, low byte red.
namespace Colore {
constexpr std::uint32_t Rosso = 0x0000FF;
constexpr std::uint32_t Verde = 0x00FF00;
}  // namespace Colore

struct Etichetta {
  std::string Caption;
  bool Visibile = true;
};

// A filled rectangle with a solid fill.
struct Rettangolo {
  std::uint32_t ColoreRiempimento = Colore::Rosso;
  bool Visibile = true;
};

struct Pulsante {
  std::string Caption;
  bool Abilitato = true;
};

struct CasellaDiTesto {
  std::string Text;
  bool Abilitato = true;
};

// A drop-down list: its entries, the selected one (-1 for none) and its tooltip.
struct ListaDiscesa {
  std::vector<std::string> Voci;
  int Selezione = -1;
  std::string ToolTipText;
  bool Abilitato = true;

  // The text of the selected entry; empty when nothing is selected.
  std::string Testo() const;
};

// One row of the main window: the area's fixed caption, its status, the outcome caption, the
// percentage and the coloured outcome box. The percentage and the box appear only once an update
// run has handled the area, so rows the patch does not use never show them.
struct RigaArea {
  Etichetta LblArea;
  Etichetta LblStato{"Aggiornamento in corso"};
  Etichetta LblEsito{"Esito"};
  Etichetta lblOk{"100%", false};
  Rettangolo Shape1{Colore::Rosso, false};
};

namespace Disposizione {
constexpr int NumeroRighe = 9;
constexpr int DistanzaRighe = 360;  // from one row to the next
constexpr int LarghezzaShape = 495;
constexpr int AltezzaShape = 135;
}  // namespace Disposizione

struct ModelloSetupPBD {
  ModelloSetupPBD();

  std::string Caption;
  std::array<RigaArea, Disposizione::NumeroRighe> Righe;
  Etichetta Label1{"Percorso TALVO"};
  ListaDiscesa CmbDischi;
  Pulsante cmdAggiorna{"&Aggiorna"};
  Pulsante CmdEsci{"&Fine"};
  PuntatoreMouse Puntatore = PuntatoreMouse::Predefinito;
  // The window has been unloaded: the program ends.
  bool Scaricata = false;

  // Row i as a control-array element: a row the window does not have is run-time error 9.
  RigaArea& Riga(int i);
};

// The wait window shown while the load sequence installs the patch's components.
struct ModelloFrmAttendere {
  bool Visibile = false;
  std::string Caption;
  Etichetta Label1;
  int LeftLabel = 0;
  int LarghezzaLabel = 3000;  // the label's design width
  int Larghezza = 4000;
  int Altezza = 1200;
  int Left = 4000;  // from the screen's left edge
  int Top = 4000;   // from the screen's top edge
};

}  // namespace talvo
