// Putting back what a failed update run's area step changed in the installation.
#pragma once

namespace talvo {

class Desktop;
struct Sessione;

// Tells the person, then works through FileSovrascritti in order: a file the run renamed to its
// backup is put back, a file the run created is deleted, anything else is left as it stands
// (".syb" and ".ifx" files are deleted and keep no backup). A failure on one entry is logged and
// the restore goes on with the next.
void RipristinoFile(const Sessione& sessione, Desktop& desktop);

}  // namespace talvo
