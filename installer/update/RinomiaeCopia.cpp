// One line of a fixed list: backup, rename and copy, each failure shown and logged once.
#include "RinomiaeCopia.h"

#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/Log.h"
#include "core/OperazioniFile.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

namespace {

// Replaces every occurrence of what with con, scanning left to right over the original text.
std::string SostituisciTutto(const std::string& testo, const std::string& cosa, const std::string& con) {
  if (cosa.empty()) return testo;
  std::string risultato;
  std::size_t inizio = 0;
  for (std::size_t trovato; (trovato = testo.find(cosa, inizio)) != std::string::npos;
       inizio = trovato + cosa.size()) {
    risultato.append(testo, inizio, trovato - inizio).append(con);
  }
  return risultato.append(testo, inizio, std::string::npos);
}

// Deletes the backup of the destination when there is one, then renames the destination to it.
void FaiBackup(const std::string& destinazione, bool soloSePresente) {
  const std::string backup = destinazione + ".old";
  if (EsisteFile(backup)) EliminaFile(backup);
  if (!soloSePresente || EsisteFile(destinazione)) Rinomina(destinazione, backup);
}

}  // namespace

std::string NomeRinominato(const std::string& percorso) {
  const std::size_t barra = percorso.rfind('\\');
  const std::string nome = barra == std::string::npos ? percorso : percorso.substr(barra + 1);
  return SostituisciTutto(SostituisciTutto(percorso, nome, "old" + nome), ".dmg", ".old");
}

bool RinomiaeCopiaAgisce(const std::string& primo, const std::string& secondo, ModoCopia modo) {
  switch (modo) {
    case ModoCopia::Nuovi: return EsisteCartella(CartellaDi(secondo));
    case ModoCopia::Sostituisci: return EsisteFile(secondo);
    case ModoCopia::Rinomina: return EsisteFile(primo) || EsisteFile(NomeRinominato(primo));
  }
  return false;
}

bool RinomiaeCopia(Sessione& sessione, Desktop& desktop, const std::string& primo, const std::string& secondo,
                   ModoCopia modo) {
  // The second path as the error box shows it: in rename mode it becomes the first path once an
  // earlier renamed-out file has been deleted.
  std::string mostrato = secondo;
  try {
    if (modo != ModoCopia::Rinomina && !RinomiaeCopiaAgisce(primo, secondo, modo)) return true;
    switch (modo) {
      case ModoCopia::Nuovi:
        FaiBackup(secondo, true);
        CopiaSovrascrivendo(primo, secondo);
        ++sessione.FileModificati;
        break;
      case ModoCopia::Sostituisci:
        FaiBackup(secondo, false);
        CopiaSovrascrivendo(primo, secondo);
        ++sessione.FileModificati;
        break;
      case ModoCopia::Rinomina: {
        const std::string rinominato = NomeRinominato(primo);
        if (EsisteFile(rinominato)) {
          EliminaFile(rinominato);
          mostrato = primo;
        }
        if (EsisteFile(primo)) {
          Rinomina(primo, rinominato);
          ++sessione.FileModificati;
        }
        break;
      }
    }
    return true;
  } catch (const ErroreRuntime& e) {
    desktop.Messaggio(IdMessaggio::ErroreListaFissa,
                      "Si è verificato un errore durante l'elaborazione del file: \r\nDa -> " + primo +
                          "\r\nA  -> " + mostrato + "\r\n" + std::to_string(e.Numero()) + "\r\n" +
                          e.Descrizione(),
                      TitoloProgramma, IconaMessaggio::Nessuna, PulsantiMessaggio::Ok);
    IgnoraErrori([&] { ScriviLog(sessione, "RinomiaeCopia", e.Descrizione(), e.Numero()); });
    return false;
  }
}

}  // namespace talvo
