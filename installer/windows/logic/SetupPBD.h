// The main window's logic: the load and activation sequences, the drive list, the exit button
// and the hidden gesture that opens the release editor. The Win32 view renders Modello() and
// Attendere() and forwards its window events to the handlers here.
#pragma once

#include <functional>
#include <string>

#include "core/FinestraSetupPBD.h"
#include "core/ModelloSetupPBD.h"
#include "core/StatoSetupPBD.h"

namespace talvo {

class Desktop;
class Machine;

// Mouse buttons and held keys as the window reports them to its mouse handlers.
namespace Mouse {
constexpr int Sinistro = 1;
constexpr int Destro = 2;
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
}  // namespace Mouse

// What the load sequence finds out and its later steps use.
struct DatiAvvio {
  std::string ReleasePatch;  // NUOVAVERSIONE Versione, cut at its vertical bar
  std::string CartellaWindows;
  std::string NomeUtente;
  bool Amministratore = false;
  std::string DriveTalvo;      // root of the first fixed drive holding TALVO\APP, or empty
  std::string PercorsoWinDir;  // the system folder with a trailing backslash
};

class SetupPBD {
 public:
  // cartellaProgramma: the folder of the running program, as the platform gives it.
  SetupPBD(Desktop& desktop, Machine& machine, std::string cartellaProgramma);

  ModelloSetupPBD& Modello() { return modello_; }
  const ModelloSetupPBD& Modello() const { return modello_; }
  ModelloFrmAttendere& Attendere() { return attendere_; }
  StatoSetupPBD& Stato() { return stato_; }
  const DatiAvvio& Avvio() const { return avvio_; }

  // Called whenever the wait window appears or goes, so that the view can show it at once.
  std::function<void()> AttendereCambiato;

  // The load sequence, run once before the window is first shown. False when the user chose to
  // end the program: no window is shown.
  bool Form_Load();
  // The activation sequence: when the window is first shown and whenever the user comes back to
  // it from another window of the installer.
  void Form_Activate();
  // The user picked an entry of the drive list; the view has already set the selection.
  void CmbDischi_Click();
  void CmdEsci_Click();
  // A mouse button released over the window's background.
  void Form_MouseUp(int pulsante, int tasti);

 private:
  Desktop& desktop_;
  Machine& machine_;
  std::string cartellaProgramma_;
  ModelloSetupPBD modello_;
  ModelloFrmAttendere attendere_;
  StatoSetupPBD stato_;
  DatiAvvio avvio_;

  void MostraAttendere();
  void ChiudiAttendere();
  std::string AvvisoRelease() const;
  FinestraSetupPBD Finestra();
};

}  // namespace talvo
