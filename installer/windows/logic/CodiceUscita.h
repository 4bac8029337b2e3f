// The installer's exit codes, the values deployment tools read (the Windows Installer's own).
#pragma once

namespace talvo {

enum class CodiceUscita : int {
  Riuscito = 0,             // a complete run that changed no file, or a dry run found the update applicable
  RiavvioRichiesto = 3010,  // a complete run that changed files: the computer must be restarted
  RigaDiComandoErrata = 1639,  // a switch the installer does not know
  Annullato = 1602,            // the user declined, or closed the window before a run
  Fallito = 1603,              // a run put back, a log that could not start, a component step in error
  GiaInEsecuzione = 1618,      // another SetupTalvo is running
  NonApplicabile = 1642,       // the patch does not apply to this machine
};

}  // namespace talvo
