// Putting back what a failed update run's area step changed in the installation.
#pragma once

namespace talvo {

class Desktop;
class Giornale;
struct FileSovrascritto;
struct Sessione;

// What putting back one entry did to its destination.
enum class Ripristino {
  Invariato,  // nothing to do: the destination is as it was
  Rimesso,    // the file the run renamed is back from its backup
  Eliminato,  // the file the run put there is deleted
};

// Puts back one entry: a file the run renamed to its backup comes back (the backup must still be
// there: the file at the destination is never deleted for a backup that is gone), a file the run
// created is deleted, anything else is left as it stands (".syb" and ".ifx" files are deleted and
// keep no backup). Throws ErroreRuntime.
Ripristino RipristinaVoce(const FileSovrascritto& voce);

// Tells the person, then puts back each entry of FileSovrascritti in order. A failure on one entry
// is logged and the restore goes on with the next. With the run's journal, each entry put back is
// marked in it, and at the end the journal is deleted, or keeps only the entries left.
void RipristinoFile(const Sessione& sessione, Desktop& desktop, Giornale* giornale = nullptr);

}  // namespace talvo
