// The quiet run: no window is created, the answers come from the quiet Desktop.
#include "EsecuzioneSenzaFinestre.h"

#include "Console.h"
#include "DesktopSilenzioso.h"
#include "Win32Machine.h"
#include "core/Sessione.h"
#include "windows/logic/SetupPBD.h"

namespace talvo::finestre {

CodiceUscita EseguiSenzaFinestre(const std::string& cartellaProgramma, Console& console) {
  Sessione sessione;
  DesktopSilenzioso desktop(sessione, [&console](const std::string& testo) { console.Errore(testo); });
  Win32Machine machine;
  SetupPBD logica(sessione, desktop, machine, cartellaProgramma);

  const CodiceUscita codice = [&] {
    if (!logica.Form_Load() || logica.AvvioInterrotto()) return logica.Codice();
    logica.Form_Activate();
    if (logica.Modello().cmdAggiorna.Abilitato) logica.EseguiAggiornamento();
    return logica.Codice();
  }();
  return desktop.FinestraRichiesta() ? CodiceUscita::Fallito : codice;
}

}  // namespace talvo::finestre
