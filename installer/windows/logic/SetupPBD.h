// The main window's logic: the load and activation sequences, the drive list, the area rows, the
// exit button and the hidden gesture that opens the release editor. The Win32 view renders
// Modello() and Attendere() and forwards its window events to the handlers here.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CodiceUscita.h"
#include "ModelloSetupPBD.h"
#include "update/Aggiornamento.h"
#include "update/ResocontoVerifica.h"
#include "update/StatoAree.h"

namespace talvo {

class Desktop;
class Machine;
struct Sessione;

// Mouse buttons and held keys as the window reports them to its mouse handlers.
namespace Mouse {
constexpr int Sinistro = 1;
constexpr int Destro = 2;
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
}  // namespace Mouse

// The texts row i shows for an area status.
void MostraStatoArea(RigaArea& riga, StatoArea stato);

class SetupPBD {
 public:
  // cartellaProgramma: the folder of the running program, as the platform gives it.
  SetupPBD(Sessione& sessione, Desktop& desktop, Machine& machine, std::string cartellaProgramma);

  ModelloSetupPBD& Modello() { return modello_; }
  const ModelloSetupPBD& Modello() const { return modello_; }
  ModelloFrmAttendere& Attendere() { return attendere_; }

  // Called whenever the wait window appears or goes, so that the view can show it at once.
  std::function<void()> AttendereCambiato;

  // The load sequence, run once before the window is first shown. False when the user chose to
  // end the program: no window is shown.
  bool Form_Load();
  // The activation sequence: when the window is first shown and whenever the user comes back to
  // it from another window of the installer.
  void Form_Activate();
  // The user picked entry i of the drive list.
  void SelezioneDischi(int i);
  // The drive-selection step: the selected entry becomes the installation root and the rows show
  // the areas under it.
  void CmbDischi_Click();
  // "&Aggiorna": the update run, then the log viewer when it failed.
  void cmdAggiorna_Click();
  // The update run alone, as "&Aggiorna" starts it, without the log viewer after a failure: for a
  // caller with no window.
  EsitoAggiornamento EseguiAggiornamento();
  // A dry run of the update under the installation selected: what it would do and what the checks
  // before it find, also written to the log. Changes nothing.
  ResocontoVerifica VerificaAggiornamento() const;
  void CmdEsci_Click();
  // A mouse button released over the window's background.
  void Form_MouseUp(int pulsante, int tasti);

  // An update run is in progress: the handlers that would start or end work, or change what it
  // works on, do nothing until it is over.
  bool Occupata() const { return occupata_; }

  // The load ended early (no description, no log, declined): there is nothing to run.
  bool AvvioInterrotto() const { return esitoAvvio_.has_value(); }
  // The exit code of the program if it ended now, from what the handlers found so far.
  CodiceUscita Codice() const;

 private:
  Sessione& sessione_;
  Desktop& desktop_;
  Machine& machine_;
  std::string cartellaProgramma_;
  ModelloSetupPBD modello_;
  ModelloFrmAttendere attendere_;
  // The status each row shows, as the last status pass decided it.
  std::vector<StatoArea> statiRighe_;
  bool occupata_ = false;

  // What the exit code is made of.
  std::optional<CodiceUscita> esitoAvvio_;      // how the load ended, when it ended early
  bool componentiInErrore_ = false;             // a component step showed its error box
  bool giornaleRimasto_ = false;                // a journal of an interrupted run is still there
  bool applicabile_ = false;                    // the last activation found an installation to update
  std::optional<EsitoAggiornamento> esitoRun_;  // the update run's outcome, once it ran

  void MostraAttendere();
  void ChiudiAttendere();
  std::string AvvisoRelease() const;
  // Selects entry i of the drive list (-1 for none) and runs the drive-selection step.
  void SelezionaDisco(int i);
  // Finds the installation among the drive entries and reads the patch description.
  bool Inizializza();
  // Sets the status of row i for each area i of the patch. A patch with more areas than the
  // window has rows ends the pass with run-time error 9 after the last row.
  void VerificaStatoAree();
};

}  // namespace talvo
