// The running installer: the session, the two ports, the main window's logic and its windows,
// wired together.
//
// How it works: the load sequence runs before the main window exists, so its message boxes have
// no owner and only the wait window can appear; when the load lets the program go on, the main
// window is created, becomes the owner of message boxes and the message loop runs until it is
// unloaded. Members are declared so that the windows go before the logic they show.
#pragma once

#include <optional>
#include <string>

#include "FinestraFrmAttendere.h"
#include "FinestraFrmMostraLog.h"
#include "FinestraSetupPBD.h"
#include "Win32Desktop.h"
#include "Win32Machine.h"
#include "core/Sessione.h"
#include "windows/logic/SetupPBD.h"

namespace talvo::finestre {

class Applicazione {
 public:
  // cartellaProgramma: the folder of the running program, without a trailing backslash. passiva:
  // the run starts by itself, boxes and the log viewer close by themselves, and the program ends
  // after the run.
  Applicazione(std::string cartellaProgramma, bool passiva);

  // Runs the program and returns its exit code.
  int Esegui(int comandoMostra);

 private:
  void AggiornaViste();
  void ApriFinestra(FinestraModale finestra);

  std::string cartellaProgramma_;
  bool passiva_;
  Sessione sessione_;
  Win32Desktop desktop_;
  Win32Machine machine_;
  SetupPBD logica_;
  FinestraFrmAttendere attendere_;
  std::optional<FinestraSetupPBD> principale_;
  // The log viewer while it is shown: the printer window opens over it.
  FinestraFrmMostraLog* registroAperto_ = nullptr;
};

// The folder of the running program as the platform gives it, without a trailing backslash.
std::string CartellaProgramma();

}  // namespace talvo::finestre
