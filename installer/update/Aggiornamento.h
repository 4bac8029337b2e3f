// The update run: the fixed lists, then each installed area's list, with the rows reporting the
// progress, and either the summary and the release recorded or the restore.
//
// How it works: the run decides everything and reports what the rows show through an observer
// that the caller implements (the main window, or a caller with no window), so that the same run
// works with or without a window. Message boxes go through the Desktop port.
#pragma once

#include <string>
#include <vector>

#include "StatoAree.h"

namespace talvo {

class Desktop;
struct Sessione;

class OsservatoreAggiornamento {
 public:
  virtual ~OsservatoreAggiornamento() = default;
  // Pending window events may run now, so that the rows repaint.
  virtual void EventiInAttesa() = 0;
  // The busy pointer is shown (true) or the normal one is back (false).
  virtual void Occupato(bool occupato) = 0;
  // Row i shows a new status text.
  virtual void StatoRiga(int area, StatoArea stato) = 0;
  // Row i shows its outcome: a green box and "100%", or a red box and "0%".
  virtual void EsitoRiga(int area, bool riuscito) = 0;
  // The update button, or the drive list, can no longer be used.
  virtual void AggiornaDisabilitato() = 0;
  virtual void DischiDisabilitati() = 0;
};

enum class EsitoAggiornamento {
  Completo,   // every area worked through: summary shown, release recorded
  Fallito,    // a list or a line failed: what the area step wrote was put back
  Rifiutato,  // the checks before the first change found a fault: nothing was changed
};

// Runs the update under the installation root (with its trailing backslash), taken once for the
// whole run. stati: the status each area's row showed when the run started.
EsitoAggiornamento Aggiorna(Sessione& sessione, Desktop& desktop, OsservatoreAggiornamento& osservatore,
                            const std::string& radice, const std::vector<StatoArea>& stati);

}  // namespace talvo
