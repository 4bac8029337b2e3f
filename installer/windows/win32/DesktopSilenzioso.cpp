// Answers by policy and records in the log what a person would have read.
#include "DesktopSilenzioso.h"

#include "core/ErroreRuntime.h"
#include "core/Log.h"
#include "core/Sessione.h"

namespace talvo {

namespace {

constexpr const char* Passo = "Modalità silenziosa";
// The code of the failure line: the exit code the request leads to.
constexpr std::int32_t CodiceFallimento = 1603;

}  // namespace

RispostaMessaggio RispostaPredefinita(PulsantiMessaggio pulsanti) {
  switch (pulsanti) {
    case PulsantiMessaggio::SiNo:
    case PulsantiMessaggio::SiNoAnnulla: return RispostaMessaggio::Si;
    case PulsantiMessaggio::Ok:
    case PulsantiMessaggio::OkAnnulla: break;
  }
  return RispostaMessaggio::Ok;
}

std::string SuUnaRiga(const std::string& testo) {
  std::string riga;
  bool interruzione = false;
  for (const char c : testo) {
    if (c == '\r' || c == '\n' || c == '\t') {
      interruzione = true;
      continue;
    }
    if (interruzione && !riga.empty() && riga.back() != ' ') riga += ' ';
    interruzione = false;
    riga += c;
  }
  return riga;
}

DesktopSilenzioso::DesktopSilenzioso(const Sessione& sessione,
                                     std::function<void(const std::string&)> scriviErrore)
    : sessione_(sessione), scriviErrore_(std::move(scriviErrore)) {}

void DesktopSilenzioso::Scrivi(const std::string& testo, bool fallito) {
  const std::string riga = SuUnaRiga(testo);
  if (!sessione_.NomeFileLog.empty() &&
      IgnoraErrori([&] {
        ScriviLog(sessione_, Passo, riga,
                  fallito ? CodiceFallimento : CodiceLog::Avviso);
      }) == 0) {
    return;
  }
  if (scriviErrore_) scriviErrore_(std::string(Passo) + ": " + riga + "\r\n");
}

void DesktopSilenzioso::Rifiuta(const std::string& cosa) {
  finestraRichiesta_ = true;
  Scrivi("Richiesta non eseguibile senza finestre: " + cosa, true);
}

RispostaMessaggio DesktopSilenzioso::Messaggio(IdMessaggio, const std::string& testo, const std::string&,
                                               IconaMessaggio, PulsantiMessaggio pulsanti) {
  Scrivi(testo, false);
  return RispostaPredefinita(pulsanti);
}

void DesktopSilenzioso::MostraModale(FinestraModale finestra) {
  switch (finestra) {
    case FinestraModale::MostraLog: Rifiuta("visualizzazione del log"); return;
    case FinestraModale::Stampa: Rifiuta("scelta della stampante"); return;
    case FinestraModale::ModificaRelease: Rifiuta("modifica della release"); return;
  }
}

void DesktopSilenzioso::CopiaNegliAppunti(const std::string&) { Rifiuta("copia negli appunti"); }

void DesktopSilenzioso::Stampa(const LavoroDiStampa&) { Rifiuta("stampa"); }

}  // namespace talvo
