// The quiet run: no window is created, the answers come from the quiet Desktop.
#include "EsecuzioneSenzaFinestre.h"

#include "Console.h"
#include "DesktopSilenzioso.h"
#include "Win32Machine.h"
#include "core/Sessione.h"
#include "windows/logic/SetupPBD.h"

namespace talvo::finestre {

namespace {

// The dry run's answer: the report on standard output, applicable or not.
CodiceUscita Verifica(const SetupPBD& logica, Console& console) {
  const ResocontoVerifica resoconto = logica.VerificaAggiornamento();
  for (const std::string& riga : resoconto.Righe) console.Uscita(riga + "\r\n");
  return resoconto.Applicabile ? CodiceUscita::Riuscito : CodiceUscita::NonApplicabile;
}

}  // namespace

CodiceUscita EseguiSenzaFinestre(const std::string& cartellaProgramma, bool soloVerifica, Console& console) {
  Sessione sessione;
  sessione.SoloVerifica = soloVerifica;
  DesktopSilenzioso desktop(sessione, [&console](const std::string& testo) { console.Errore(testo); });
  Win32Machine machine;
  SetupPBD logica(sessione, desktop, machine, cartellaProgramma);

  const CodiceUscita codice = [&] {
    if (!logica.Form_Load() || logica.AvvioInterrotto()) return logica.Codice();
    logica.Form_Activate();
    if (!logica.Modello().cmdAggiorna.Abilitato) {
      if (soloVerifica) console.Uscita("Esito: aggiornamento non applicabile\r\n");
      return logica.Codice();
    }
    if (soloVerifica) return Verifica(logica, console);
    logica.EseguiAggiornamento();
    return logica.Codice();
  }();
  return desktop.FinestraRichiesta() ? CodiceUscita::Fallito : codice;
}

}  // namespace talvo::finestre
