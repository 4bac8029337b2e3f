// Switches of the command line and the help text that lists them with the exit codes.
#include "RigaDiComando.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <cwchar>

#include "core/Testo.h"
#include "core/TestoAnsi.h"

namespace talvo::finestre {

RigaDiComando LeggiRigaDiComando(const std::vector<std::string>& argomenti) {
  RigaDiComando riga;
  bool silenziosa = false;
  bool passiva = false;
  for (const std::string& argomento : argomenti) {
    const std::string opzione =
        argomento.size() > 1 && (argomento[0] == '/' || argomento[0] == '-') ? Minuscolo(argomento.substr(1)) : "";
    if (opzione == "quiet") {
      silenziosa = true;
    } else if (opzione == "passive") {
      passiva = true;
    } else if (opzione == "check") {
      riga.Verifica = true;
    } else if (opzione == "?" || opzione == "help") {
      riga.Aiuto = true;
    } else if (riga.Sconosciuto.empty()) {
      riga.Sconosciuto = argomento;
    }
  }
  riga.modalita = silenziosa ? Modalita::Silenziosa : passiva ? Modalita::Passiva : Modalita::Interattiva;
  return riga;
}

std::vector<std::string> ArgomentiDelProcesso() {
  int numero = 0;
  LPWSTR* const argomenti = ::CommandLineToArgvW(::GetCommandLineW(), &numero);
  std::vector<std::string> risultato;
  if (argomenti == nullptr) return risultato;
  for (int i = 1; i < numero; ++i) risultato.push_back(AnsiDaWide(argomenti[i], std::wcslen(argomenti[i])));
  ::LocalFree(argomenti);
  return risultato;
}

std::string TestoAiuto() {
  return "SetupTalvo [/quiet | /passive] [/check] [/?]\r\n"
         "\r\n"
         "  /quiet    nessuna finestra: ogni domanda riceve la risposta predefinita e il suo testo va nel log\r\n"
         "  /passive  finestre visibili, aggiornamento avviato da solo, messaggi chiusi dopo due secondi\r\n"
         "  /check    prova senza modifiche: controlla patch e installazione e descrive l'aggiornamento\r\n"
         "  /?        questo elenco\r\n"
         "\r\n"
         "Codici di uscita:\r\n"
         "  0     aggiornamento completato senza file modificati; con /check, aggiornamento applicabile\r\n"
         "  3010  aggiornamento completato con file modificati: riavviare il computer\r\n"
         "  1602  annullato dall'utente, o finestra chiusa prima dell'aggiornamento\r\n"
         "  1603  aggiornamento fallito e file ripristinati, log non creato, errore di un componente\r\n"
         "  1618  un altro SetupTalvo è in esecuzione\r\n"
         "  1639  riga di comando non valida\r\n"
         "  1642  aggiornamento non applicabile a questa installazione\r\n";
}

}  // namespace talvo::finestre
