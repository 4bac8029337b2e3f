// Copying one file of the fixed lists with a ".old" backup of the installed file, or renaming an
// installed file out of the way. These backups are kept on disk and never put back.
#pragma once

#include <string>

namespace talvo {

class Desktop;
struct Sessione;

// How RinomiaeCopia treats its two paths.
enum class ModoCopia {
  Sostituisci,  // source, destination: only a file already installed is replaced
  Nuovi,        // source, destination: new files allowed, when the destination folder exists
  Rinomina,     // the installed file is renamed out of the way; the second path is not used
};

// The name a file is renamed out of the way to: its name within the path becomes "old" and the
// name, then ".dmg" becomes ".old" (x.dmg -> oldx.old, y.dll -> oldy.dll).
std::string NomeRinominato(const std::string& percorso);

// Whether RinomiaeCopia would change anything for these paths as the disk stands now: a file to
// replace, a folder to copy into, an installed file or an earlier renamed-out one to move away.
bool RinomiaeCopiaAgisce(const std::string& primo, const std::string& secondo, ModoCopia modo);

// Does the work of one line in the given mode, counting a file copied or renamed in the session's
// FileModificati. On a run-time error shows and logs it and answers false; otherwise true, also
// when there was nothing to do.
bool RinomiaeCopia(Sessione& sessione, Desktop& desktop, const std::string& primo, const std::string& secondo,
                   ModoCopia modo);

}  // namespace talvo
