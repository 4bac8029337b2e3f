// What an update run would do under an installation root, worked out without changing anything:
// each file it would copy or rename and where, each area's status, and the release it would
// record. The checks before a run and the dry run both start from it.
#pragma once

#include <string>
#include <vector>

#include "StatoAree.h"

namespace talvo {

struct Sessione;

enum class OperazionePiano {
  Sostituisce,  // a fixed list in replace mode: the installed file is kept as ".old" and replaced
  Copia,        // a fixed list in new-files mode: the file is copied, an installed one kept as ".old"
  Rinomina,     // the rename list: the installed file (or an earlier renamed-out one) is moved away
  CopiaArea,    // an area's line: the file is copied, the installed one kept as ".old" for the restore
  Archivio,     // an area's "cong.mdb" line: the file goes to the archive database folder
  Nessuna,      // an area's line with no folder to go to: the run logs it and copies nothing
};

struct VocePiano {
  OperazionePiano Operazione = OperazionePiano::Nessuna;
  std::string Lista;              // the fixed list's code, or the area's name
  int Area = -1;                  // the area's row; -1 for a fixed list
  std::string Sorgente;           // the file in the patch; for Rinomina the installed file
  std::string Destinazione;       // where it goes; for Rinomina its renamed-out name; empty for Nessuna
  bool CartellaAssoluta = false;  // the line names an absolute folder, which the run does not test
};

struct PianoAggiornamento {
  std::vector<VocePiano> Voci;   // in the order the run would work through them
  std::vector<StatoArea> Stati;  // each row's status when the run starts, one per area
  std::vector<int> Righe;        // non-blank lines of each area's list worked through (0 otherwise)
  std::string Release;           // the release a complete run records; empty when it records none

  // False when the run would fail before its end without any file at fault: a list that cannot
  // be read, or a line without "|". Voci then holds what the run would do before that point.
  bool Completo = true;
  std::string Errore;    // what failed, naming the list
  int NumeroErrore = 0;  // its run-time error number
};

// Works out the plan under the installation root (with its trailing backslash). stati: the
// status each area's row shows when the run starts. Reads the patch and the installation only.
PianoAggiornamento PreparaPiano(const Sessione& sessione, const std::string& radice,
                                const std::vector<StatoArea>& stati);

}  // namespace talvo
