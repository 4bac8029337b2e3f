// The log line of an error that escaped a window's handler.
#include "ErroriFinestre.h"

#include <exception>
#include <string>

#include "core/ErroreRuntime.h"
#include "core/Log.h"
#include "core/Sessione.h"

namespace talvo::finestre {

void RegistraEccezione(const Sessione& sessione, const char* finestra) noexcept {
  try {
    if (sessione.NomeFileLog.empty()) return;
    int numero = CodiceLog::Fallito;
    std::string descrizione;
    try {
      throw;
    } catch (const ErroreRuntime& e) {
      numero = e.Numero();
      descrizione = e.Descrizione();
    } catch (const std::exception& e) {
      descrizione = e.what();
    } catch (...) {
      descrizione = "Errore imprevisto";
    }
    ScriviLog(sessione, finestra, descrizione, numero);
  } catch (...) {
    // The log itself cannot be written: there is nowhere left to report to.
  }
}

}  // namespace talvo::finestre
