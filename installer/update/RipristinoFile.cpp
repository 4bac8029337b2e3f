// The restore works from what the run recorded about each destination, never from what it finds
// on disk alone: a destination whose rename failed is the installed file and must stay, and an
// old backup that could not be deleted must never replace the current file.
#include "RipristinoFile.h"

#include <windows.h>

#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/Log.h"
#include "core/OperazioniFile.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

namespace {

// Deletes what the run left at the destination; attributes that would stop the delete go first.
void EliminaCopia(const std::string& percorso) {
  if (!FilePresente(percorso)) return;
  ::SetFileAttributesA(percorso.c_str(), FILE_ATTRIBUTE_NORMAL);
  EliminaFile(percorso);
}

void Ripristina(const FileSovrascritto& voce) {
  const std::string destinazione = voce.Destinazione();
  const std::string minuscolo = Minuscolo(voce.Backup);
  if (minuscolo.find(".syb") != std::string::npos || minuscolo.find(".ifx") != std::string::npos) {
    // Database scripts are removed, not put back: the run that applies them starts from none.
    if (voce.CopiaIniziata) EliminaCopia(destinazione);
  } else if (voce.Rinominato) {
    EliminaCopia(destinazione);
    Rinomina(voce.Backup, destinazione);
  } else if (voce.CopiaIniziata && !voce.EsistevaPrima) {
    EliminaCopia(destinazione);
  }
}

}  // namespace

void RipristinoFile(const Sessione& sessione, Desktop& desktop) {
  desktop.Messaggio(IdMessaggio::RipristinoInCorso, "Ripristino in corso dei file sovrascritti",
                    TitoloProgramma, IconaMessaggio::Nessuna, PulsantiMessaggio::Ok);
  for (const FileSovrascritto& voce : sessione.FileSovrascritti) {
    try {
      Ripristina(voce);
    } catch (const ErroreRuntime& e) {
      IgnoraErrori([&] { ScriviLog(sessione, "Ripristino File", e.Descrizione(), e.Numero()); });
    }
  }
}

}  // namespace talvo
