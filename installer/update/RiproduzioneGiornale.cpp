// The playback decides each entry from what the journal recorded and from what it finds on disk:
// the journal may lag behind the disk by one step (the run died between a rename or a copy and
// the line that says so), and a playback that died itself may have put some entries back already.
#include "RiproduzioneGiornale.h"

#include "Giornale.h"
#include "RipristinoFile.h"
#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/Log.h"
#include "core/OperazioniFile.h"
#include "core/Sessione.h"

namespace talvo {

namespace {

constexpr const char* Passo = "Ripristino Giornale";

void Log(const Sessione& sessione, const std::string& testo, std::int32_t codice) {
  IgnoraErrori([&] { ScriviLog(sessione, Passo, testo, codice); });
}

// The entry as the restore takes it, with the step the run may have been in when it died.
FileSovrascritto DaRipristinare(const VoceGiornale& registrata) {
  FileSovrascritto voce = registrata.Voce;
  const bool backup = EsisteFile(voce.Backup);
  const bool destinazione = FilePresente(voce.Destinazione());
  // No ordinary file stood at the backup name when the entry reached the disk, and the run renames
  // only an ordinary file there: an ordinary file there now is the one this run renamed, whether
  // or not the journal got to say so (a hidden or system file there is an old backup the run
  // could not remove, never put in place). A backup gone while the destination stands is an entry
  // already put back, by a playback that died before marking it.
  const bool rinominabile = voce.Rinominato || voce.EsistevaPrima;
  voce.Rinominato = rinominabile && (backup || !destinazione);
  // Once nothing of the installation stands at the destination, whatever is there is this run's.
  voce.CopiaIniziata = voce.CopiaIniziata || voce.Rinominato || !voce.EsistevaPrima;
  return voce;
}

std::string TestoEsito(Ripristino esito) {
  switch (esito) {
    case Ripristino::Rimesso: return "Ripristinato il file ";
    case Ripristino::Eliminato: return "Eliminato il file lasciato dall'aggiornamento interrotto ";
    case Ripristino::Invariato: break;
  }
  return "Nessuna modifica da annullare per il file ";
}

EsitoGiornale Avvisa(Desktop& desktop, bool completo) {
  const std::string inizio = "L'ultimo aggiornamento si è interrotto prima di terminare.\r\n";
  if (completo) {
    desktop.Messaggio(IdMessaggio::GiornaleRipristinato,
                      inizio + "I file delle aree che aveva già sostituito sono stati ripristinati.",
                      TitoloProgramma, IconaMessaggio::Esclamazione, PulsantiMessaggio::Ok);
    return EsitoGiornale::Ripristinato;
  }
  desktop.Messaggio(IdMessaggio::GiornaleRipristinato,
                    inizio +
                        "Non è stato possibile ripristinare tutti i file che aveva sostituito: il log li " +
                        "elenca e il giornale " + PercorsoGiornale + " li conserva per il prossimo avvio.",
                    TitoloProgramma, IconaMessaggio::Critico, PulsantiMessaggio::Ok);
  return EsitoGiornale::VociRimaste;
}

}  // namespace

bool GiornalePresente() { return FilePresente(PercorsoGiornale); }

EsitoGiornale RiproduciGiornale(const Sessione& sessione, Desktop& desktop) {
  if (!GiornalePresente()) return EsitoGiornale::Nessuno;
  const std::string percorso = PercorsoGiornale;

  Giornale giornale;
  try {
    giornale = Giornale::Riapri(percorso);
  } catch (const ErroreRuntime& e) {
    Log(sessione, "Impossibile leggere il giornale " + percorso + ": " + e.Descrizione(), e.Numero());
    return Avvisa(desktop, false);
  }
  const ContenutoGiornale& contenuto = giornale.Contenuto();
  if (!contenuto.Riconosciuto) {
    Log(sessione, "Il file " + percorso + " non è un giornale di SetupTalvo: lasciato com'è",
        CodiceLog::Fallito);
    return Avvisa(desktop, false);
  }
  if (contenuto.Completato) {
    // The run got to the end and only the deletion of its journal is missing.
    try {
      giornale.Elimina();
      Log(sessione, "Eliminato il giornale di un aggiornamento completato: " + percorso, CodiceLog::Ok);
      return EsitoGiornale::Nessuno;
    } catch (const ErroreRuntime& e) {
      Log(sessione, "Impossibile eliminare il giornale " + percorso + ": " + e.Descrizione(), e.Numero());
      return EsitoGiornale::VociRimaste;
    }
  }

  Log(sessione, "Trovato il giornale di un aggiornamento interrotto: " + percorso, CodiceLog::Avviso);
  if (contenuto.RigheIgnorate > 0) {
    Log(sessione, "Righe non riconosciute nel giornale: " + std::to_string(contenuto.RigheIgnorate),
        CodiceLog::Avviso);
  }
  const std::vector<VoceGiornale> voci = contenuto.Voci;
  for (const VoceGiornale& registrata : voci) {
    if (registrata.Ripristinata) continue;
    const FileSovrascritto voce = DaRipristinare(registrata);
    Ripristino esito;
    try {
      esito = RipristinaVoce(voce);
    } catch (const ErroreRuntime& e) {
      Log(sessione, "File non ripristinato: " + voce.Destinazione() + " " + e.Descrizione(), e.Numero());
      continue;
    }
    IgnoraErrori([&] { giornale.Ripristinata(registrata.Numero); });
    Log(sessione, TestoEsito(esito) + voce.Destinazione(), CodiceLog::Ok);
  }

  std::size_t rimaste = 0;
  try {
    rimaste = giornale.Chiudi();
  } catch (const ErroreRuntime& e) {
    Log(sessione, "Impossibile aggiornare il giornale " + percorso + ": " + e.Descrizione(), e.Numero());
    return Avvisa(desktop, false);
  }
  if (rimaste > 0) {
    Log(sessione,
        "Giornale conservato con " + std::to_string(rimaste) + " file non ripristinati: " + percorso,
        CodiceLog::Fallito);
    return Avvisa(desktop, false);
  }
  Log(sessione, "Giornale riprodotto, tutti i file sono stati ripristinati: " + percorso, CodiceLog::Ok);
  return Avvisa(desktop, true);
}

}  // namespace talvo
