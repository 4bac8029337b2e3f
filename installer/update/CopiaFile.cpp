// One area line: its destination as DestinazioniAree resolves it, the archive database handed
// elsewhere, and the copy with its backup, batched under one journal flush.
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
    if (voce.Tipo != TipoDestinazione::Copia && !Concludi()) return false;
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
    const std::string minuscolo = Minuscolo(destinazione);
    if (nomiBlocco_.count(minuscolo) != 0 || nomiBlocco_.count(minuscolo + ".old") != 0) {
      if (!Concludi()) return false;
    }
    blocco_.push_back(Prepara(voce.Sorgente, destinazione, minuscolo, area));
    nomiBlocco_.insert(minuscolo);
    nomiBlocco_.insert(minuscolo + ".old");
    if (blocco_.size() >= (giornale_ != nullptr ? LineePerBlocco : 1)) return Concludi();
    return true;
  } catch (const ErroreRuntime& e) {
    // The lines queued before this one are done first, as they would have been one at a time.
    if (!Concludi()) return false;
    LogErrore(destinazione, area, e);
    return false;
  }
}

bool CopiaAree::Concludi() {
  if (blocco_.empty()) return true;
  std::vector<Copia> blocco;
  blocco.swap(blocco_);
  nomiBlocco_.clear();
  const Copia* corrente = nullptr;
  try {
    // Every entry of the batch on disk before any of its destinations changes.
    if (giornale_ != nullptr) giornale_->Conferma();
    for (const Copia& copia : blocco) {
      corrente = &copia;
      Esegui(copia);
    }
    return true;
  } catch (const ErroreRuntime& e) {
    // The lines after the failing one stay recorded with nothing done to them, which the restore
    // leaves as they are.
    const Copia& fallita = corrente != nullptr ? *corrente : blocco.front();
    LogErrore(fallita.Destinazione, fallita.Area, e);
    return false;
  }
}

CopiaAree::Copia CopiaAree::Prepara(const std::string& sorgente, const std::string& destinazione,
                                    const std::string& minuscolo, std::int16_t area) {
  Copia copia{sorgente, destinazione, area, std::nullopt};
  // Written before in this run: its backup holds the file as it was before the run, and stays.
  if (!scritti_.try_emplace(minuscolo, sessione_.FileSovrascritti.size()).second) return copia;
  // Recorded before anything changes, so that the restore knows about every step that follows.
  const std::size_t numero = sessione_.FileSovrascritti.size();
  sessione_.FileSovrascritti.push_back({destinazione + ".old", area, FilePresente(destinazione)});
  copia.Voce = numero;
  const FileSovrascritto& voce = sessione_.FileSovrascritti.back();
  if (EsisteFile(voce.Backup)) EliminaFile(voce.Backup);
  // The old backup is gone before the entry is written, so a backup found later is this run's.
  if (giornale_ != nullptr) giornale_->Annota(numero, voce);
  return copia;
}

void CopiaAree::Esegui(const Copia& copia) {
  if (!copia.Voce) {
    CopiaSovrascrivendo(copia.Sorgente, copia.Destinazione);
    ++sessione_.FileModificati;
    return;
  }
  const std::size_t numero = *copia.Voce;
  FileSovrascritto& voce = sessione_.FileSovrascritti[numero];
  const bool rinominare = EsisteFile(copia.Destinazione);
  if (rinominare) {
    Rinomina(copia.Destinazione, voce.Backup);
    voce.Rinominato = true;
    if (giornale_ != nullptr) giornale_->Rinominata(numero, voce);
  }
  voce.CopiaIniziata = true;
  if (rinominare) {
    CopiaSuPostoLibero(copia.Sorgente, copia.Destinazione);
  } else {
    CopiaSovrascrivendo(copia.Sorgente, copia.Destinazione);
  }
  if (giornale_ != nullptr) giornale_->Copiata(numero, voce);
  ++sessione_.FileModificati;
}

void CopiaAree::LogErrore(const std::string& destinazione, std::int16_t area, const ErroreRuntime& e) {
  const std::string nomeArea = static_cast<std::size_t>(area) < sessione_.Aree.size()
                                   ? sessione_.Aree[static_cast<std::size_t>(area)].NomeArea
                                   : std::string();
  IgnoraErrori([&] {
    ScriviLog(sessione_, "CopiaFile ",
              "Errore nel file che si stava gestendo: " + destinazione + " " + e.Descrizione() +
                  " AREA: " + nomeArea + " ->" + e.Descrizione(),
              e.Numero());
  });
}

}  // namespace talvo
