// Text of the installer's error message box.
#include "MostraErrore.h"

#include "Desktop.h"
#include "Sessione.h"

namespace talvo {

void MostraErrore(Desktop& desktop, IdMessaggio id, const std::string& descrizione, std::int32_t codice) {
  std::string testo = "Si è verificato un errore \r\n";
  if (!descrizione.empty()) testo += "Descrizione: " + descrizione + "\r\n";
  if (codice != 0) testo += "Codice: " + std::to_string(codice) + "\r\n";
  desktop.Messaggio(id, testo, TitoloProgramma, IconaMessaggio::Critico, PulsantiMessaggio::Ok);
}

}  // namespace talvo
