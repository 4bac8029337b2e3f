// The restore works from what the run recorded about each destination, never from what it finds
// on disk alone: a destination whose rename failed is the installed file and must stay, and an
// old backup that could not be deleted must never replace the current file.
#include "RipristinoFile.h"

#include <windows.h>

#include "Giornale.h"
#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/Log.h"
#include "core/OperazioniFile.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

namespace {

// Deletes what the run left at the destination; attributes that would stop the delete go first.
// True when there was something to delete.
bool EliminaCopia(const std::string& percorso) {
  if (!FilePresente(percorso)) return false;
  ::SetFileAttributesA(percorso.c_str(), FILE_ATTRIBUTE_NORMAL);
  EliminaFile(percorso);
  return true;
}

}  // namespace

Ripristino RipristinaVoce(const FileSovrascritto& voce) {
  const std::string destinazione = voce.Destinazione();
  const std::string minuscolo = Minuscolo(voce.Backup);
  if (minuscolo.find(".syb") != std::string::npos || minuscolo.find(".ifx") != std::string::npos) {
    // Database scripts are removed, not put back: the run that applies them starts from none.
    if (voce.CopiaIniziata && EliminaCopia(destinazione)) return Ripristino::Eliminato;
  } else if (voce.Rinominato) {
    // Without its backup the file at the destination is the only one left: it stays.
    if (!FilePresente(voce.Backup)) throw ErroreRuntime(NumeroErrore::FileNonTrovato);
    EliminaCopia(destinazione);
    Rinomina(voce.Backup, destinazione);
    return Ripristino::Rimesso;
  } else if (voce.CopiaIniziata && !voce.EsistevaPrima) {
    if (EliminaCopia(destinazione)) return Ripristino::Eliminato;
  }
  return Ripristino::Invariato;
}

void RipristinoFile(const Sessione& sessione, Desktop& desktop, Giornale* giornale) {
  desktop.Messaggio(IdMessaggio::RipristinoInCorso, "Ripristino in corso dei file sovrascritti",
                    TitoloProgramma, IconaMessaggio::Nessuna, PulsantiMessaggio::Ok);
  for (std::size_t i = 0; i < sessione.FileSovrascritti.size(); ++i) {
    try {
      RipristinaVoce(sessione.FileSovrascritti[i]);
    } catch (const ErroreRuntime& e) {
      IgnoraErrori([&] { ScriviLog(sessione, "Ripristino File", e.Descrizione(), e.Numero()); });
      continue;
    }
    if (giornale != nullptr) IgnoraErrori([&] { giornale->Ripristinata(i); });
  }
  if (giornale == nullptr) return;
  try {
    giornale->Chiudi();
  } catch (const ErroreRuntime& e) {
    IgnoraErrori([&] { ScriviLog(sessione, "Giornale", e.Descrizione(), e.Numero()); });
  }
}

}  // namespace talvo
