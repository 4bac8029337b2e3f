// Each list's lines in order: a blank line is skipped, a line without "|" fails the run whatever
// its list's condition, a line whose condition does not hold is skipped without a trace.
#include "ElaboraListe.h"

#include <vector>

#include "ListeFisse.h"
#include "RinomiaeCopia.h"
#include "core/ErroreRuntime.h"
#include "core/FileTesto.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

namespace {

bool ElaboraLista(Sessione& sessione, Desktop& desktop, const std::string& radice, const ListaFissa& lista) {
  const std::vector<std::string> righe = LeggiRighe(FileListaFissa(sessione, lista));
  for (const std::string& riga : righe) {
    if (Trim(riga).empty()) continue;
    const PercorsiRigaFissa percorsi = PercorsiRiga(sessione, radice, lista, riga);
    if (!CondizioneVera(lista, radice)) continue;
    if (!RinomiaeCopia(sessione, desktop, percorsi.Primo, percorsi.Secondo, lista.Modo)) return false;
  }
  return true;
}

}  // namespace

bool ElaboraListe(Sessione& sessione, Desktop& desktop, const std::string& radice) {
  try {
    for (const ListaFissa& lista : ListeFisse()) {
      if (!ElaboraLista(sessione, desktop, radice, lista)) return false;
    }
    return true;
  } catch (const ErroreRuntime&) {
    return false;
  }
}

}  // namespace talvo
