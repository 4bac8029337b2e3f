// One area line: its destination as DestinazioniAree resolves it, the archive database handed
// elsewhere, and the copy with its backup.
#include "CopiaFile.h"

#include <windows.h>

#include "Giornale.h"
#include "core/ArchivioPre1996.h"
#include "core/ErroreRuntime.h"
#include "core/Log.h"
#include "core/OperazioniFile.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

CopiaAree::CopiaAree(Sessione& sessione, std::string radice, Giornale* giornale)
    : sessione_(sessione),
      radice_(std::move(radice)),
      giornale_(giornale),
      destinazioni_(sessione, radice_) {}

bool CopiaAree::CopiaFile(const std::string& riga, std::int16_t area) {
  std::string destinazione;
  try {
    const DestinazioneRiga voce = destinazioni_.Risolvi(riga, area);
    switch (voce.Tipo) {
      case TipoDestinazione::Archivio:
        // The archive database lives outside the installation; a failure there fails the area.
        return GestionePre1996(sessione_, voce.Sorgente);
      case TipoDestinazione::Nessuna:
        ScriviLog(sessione_, "Copia file",
                  "Nel registro di windows NON è presente nessuna informazione relativa all'area: " +
                      sessione_.AreaN(area).NomeArea + " Per la quale sono previsti aggiornamenti ",
                  CodiceLog::Fallito);
        return true;
      case TipoDestinazione::Copia: break;
    }
    destinazione = voce.Destinazione;
    Copia(voce.Sorgente, destinazione, area);
    return true;
  } catch (const ErroreRuntime& e) {
    const std::string nomeArea = static_cast<std::size_t>(area) < sessione_.Aree.size()
                                     ? sessione_.Aree[static_cast<std::size_t>(area)].NomeArea
                                     : std::string();
    IgnoraErrori([&] {
      ScriviLog(sessione_, "CopiaFile ",
                "Errore nel file che si stava gestendo: " + destinazione + " " + e.Descrizione() +
                    " AREA: " + nomeArea + " ->" + e.Descrizione(),
                e.Numero());
    });
    return false;
  }
}

void CopiaAree::Copia(const std::string& sorgente, const std::string& destinazione, std::int16_t area) {
  if (!scritti_.try_emplace(Minuscolo(destinazione), sessione_.FileSovrascritti.size()).second) {
    // Written before in this run: its backup holds the file as it was before the run, and stays.
    CopiaSovrascrivendo(sorgente, destinazione);
    ++sessione_.FileModificati;
    return;
  }
  // Recorded before anything changes, so that the restore knows about every step that follows.
  const std::size_t numero = sessione_.FileSovrascritti.size();
  sessione_.FileSovrascritti.push_back({destinazione + ".old", area, FilePresente(destinazione)});
  FileSovrascritto& voce = sessione_.FileSovrascritti.back();
  if (EsisteFile(voce.Backup)) EliminaFile(voce.Backup);
  // On disk before the destination changes: a run that dies from here on is put back at the next
  // start. The old backup is gone first, so a backup found later is this run's.
  if (giornale_ != nullptr) giornale_->Registra(numero, voce);
  if (EsisteFile(destinazione)) {
    Rinomina(destinazione, voce.Backup);
    voce.Rinominato = true;
    if (giornale_ != nullptr) giornale_->Rinominata(numero, voce);
  }
  voce.CopiaIniziata = true;
  CopiaSovrascrivendo(sorgente, destinazione);
  if (giornale_ != nullptr) giornale_->Copiata(numero, voce);
  ++sessione_.FileModificati;
}

}  // namespace talvo
