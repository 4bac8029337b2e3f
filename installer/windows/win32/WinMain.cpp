// Entry point of SetupTalvo: the command line, one instance at a time, then the installer with its
// windows or without any. Nothing thrown leaves the program unhandled.
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <objbase.h>

#include "Applicazione.h"
#include "Console.h"
#include "DesktopSilenzioso.h"
#include "EsecuzioneSenzaFinestre.h"
#include "IstanzaUnica.h"
#include "RigaDiComando.h"
#include "Win32Desktop.h"
#include "ChiusuraAutomatica.h"
#include "core/ErroreRuntime.h"
#include "core/Ini.h"
#include "core/Sessione.h"
#include "core/Testo.h"
#include "windows/logic/CodiceUscita.h"

namespace {

using namespace talvo;
using namespace talvo::finestre;

// COM stays initialised on the thread of the windows for the whole run.
class ComInizializzato {
 public:
  ComInizializzato() : esito_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComInizializzato() {
    if (SUCCEEDED(esito_)) ::CoUninitialize();
  }
  ComInizializzato(const ComInizializzato&) = delete;
  ComInizializzato& operator=(const ComInizializzato&) = delete;

 private:
  HRESULT esito_;
};

int Codice(CodiceUscita codice) { return static_cast<int>(codice); }

// A notice before the installer proper starts: a box for a person (closing by itself in the
// passive mode), the log or standard error with nobody at the screen.
void Avviso(const RigaDiComando& riga, Console& console, IdMessaggio id, const std::string& testo,
            IconaMessaggio icona) {
  if (riga.SenzaFinestre()) {
    Sessione sessione;
    sessione.PercorsoPatch = ConBarraFinale(CartellaProgramma());
    // The log of the patch, appended to: the other run's own log says that this start was refused.
    const std::string log = LeggiIni(sessione.FileSetupPBD(), "FILELOG", "nomefile");
    if (log != ValoreMancante) sessione.NomeFileLog = log;
    DesktopSilenzioso(sessione, [&console](const std::string& t) {
      console.Errore(t);
    }).Messaggio(id, testo, TitoloProgramma, icona, PulsantiMessaggio::Ok);
    return;
  }
  Win32Desktop desktop;
  if (riga.modalita == Modalita::Passiva) desktop.ImpostaChiusuraAutomatica(DurataPassiva);
  desktop.Messaggio(id, testo, TitoloProgramma, icona, PulsantiMessaggio::Ok);
}

int Esegui(int comandoMostra) {
  const RigaDiComando riga = LeggiRigaDiComando(ArgomentiDelProcesso());
  Console console;
  if (riga.Aiuto || !riga.Sconosciuto.empty()) {
    std::string testo = TestoAiuto();
    if (!riga.Sconosciuto.empty())
      testo = "Opzione non riconosciuta: " + riga.Sconosciuto + "\r\n\r\n" + testo;
    if (riga.SenzaFinestre()) {
      console.Uscita(testo);
    } else {
      Avviso(riga, console, IdMessaggio::Aiuto, testo, IconaMessaggio::Informazione);
    }
    return Codice(riga.Sconosciuto.empty() ? CodiceUscita::Riuscito : CodiceUscita::RigaDiComandoErrata);
  }

  // Taken before anything else: before the log is started or a journal is played back.
  const IstanzaUnica istanza;
  if (istanza.AltraInEsecuzione()) {
    Avviso(riga, console, IdMessaggio::GiaInEsecuzione, "SetupTalvo è già in esecuzione",
           IconaMessaggio::Critico);
    return Codice(CodiceUscita::GiaInEsecuzione);
  }

  const ComInizializzato com;
  if (riga.SenzaFinestre()) return Codice(EseguiSenzaFinestre(CartellaProgramma(), riga.Verifica, console));

  INITCOMMONCONTROLSEX controlli{sizeof controlli, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controlli);
  Applicazione applicazione(CartellaProgramma(), riga.modalita == Modalita::Passiva);
  return applicazione.Esegui(comandoMostra);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int comandoMostra) {
  try {
    return Esegui(comandoMostra);
  } catch (...) {
    return Codice(CodiceUscita::Fallito);
  }
}
