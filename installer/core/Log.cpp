// Line layout of the installer log and its start.
#include "Log.h"

#include <string>

#include "DataOra.h"
#include "Desktop.h"
#include "ErroreRuntime.h"
#include "FileTesto.h"
#include "Sessione.h"

namespace talvo {

void ScriviLog(const Sessione& sessione, const std::string& passo, const std::string& descrizione,
               std::int32_t codice) {
  std::string riga = FormattaDataGenerale(DataOraCorrente()) + " Funzione: " + passo;
  if (codice == CodiceLog::Ok || codice == CodiceLog::Avviso) {
    riga += " Descrizione: " + descrizione + (codice == CodiceLog::Ok ? " ESITO OK" : " AVVISO");
  } else {
    riga += " codice errore: " + std::to_string(codice) + " Descrizione: " + descrizione + " FALLITO";
  }
  ScriviRiga(sessione.PercorsoLog(), riga, ModoScrittura::Accoda);
}

void ScriviLogAvvio(const Sessione& sessione, const std::string& descrizione) {
  ScriviLog(sessione, "Oper. Iniziali", descrizione, CodiceLog::Ok);
}

bool IniziaLog(const Sessione& sessione, Desktop& desktop) {
  try {
    const std::string riga =
        "Inizio : " + sessione.NomeFileLog + " " + FormattaDataGenerale(DataOraCorrente());
    ScriviRiga(sessione.PercorsoLog(), riga, ModoScrittura::Sostituisci);
    return true;
  } catch (const ErroreRuntime& e) {
    desktop.Messaggio(IdMessaggio::LogNonCreato, "Impossibile generare il file di log \r\n" + e.Descrizione(),
                      TitoloProgramma, IconaMessaggio::Critico, PulsantiMessaggio::Ok);
    return false;
  }
}

}  // namespace talvo
