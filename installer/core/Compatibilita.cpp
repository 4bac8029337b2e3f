// Release forms: TALVO writes year/number (201302 as a number), OpenTalvo a.b.c (203010).
#include "Compatibilita.h"

#include <optional>
#include <string>

#include "Desktop.h"
#include "ErroreRuntime.h"
#include "OperazioniFile.h"
#include "FileTesto.h"
#include "Formati.h"
#include "Ini.h"
#include "Log.h"
#include "Machine.h"
#include "MostraErrore.h"
#include "Numeri.h"
#include "Sessione.h"
#include "Testo.h"

namespace talvo {

namespace {

// year * 100 + number; nothing when the text has no "/".
std::optional<double> NumeroReleaseTalvo(const std::string& release) {
  const std::size_t barra = release.find('/');
  if (barra == std::string::npos) return std::nullopt;
  return Val(release.substr(0, barra)) * 100 + Val(release.substr(barra + 1));
}

// a * 100000 + b * 1000 + c; nothing when the text does not hold two dots.
std::optional<double> NumeroReleaseOpenTalvo(const std::string& release) {
  const std::size_t primo = release.find('.');
  if (primo == std::string::npos) return std::nullopt;
  const std::size_t secondo = release.find('.', primo + 1);
  if (secondo == std::string::npos) return std::nullopt;
  return Val(release.substr(0, primo)) * 100000 + Val(release.substr(primo + 1, secondo - primo - 1)) * 1000 +
         Val(release.substr(secondo + 1));
}

bool VerificaOpenTalvo(const Sessione& sessione, Desktop& desktop) {
  const auto installata = NumeroReleaseOpenTalvo(sessione.VersInsOTV);
  const auto minima = NumeroReleaseOpenTalvo(sessione.VersMinOTV);
  const auto massima = NumeroReleaseOpenTalvo(sessione.VersMaxOTV);
  if (!installata || !minima || !massima) return false;

  std::int32_t minimaIntera = 0;
  if (IgnoraErrori([&] { minimaIntera = ArrotondaLong(*minima); }) != 0) return false;

  const char* passo = "VerificaCompatibilita OpenTalvo";
  if (*installata < minimaIntera) {
    ScriviLog(sessione, passo,
              "La versione installata (" + sessione.VersInsOTV + ") è inferiore alla minima richiesta (" +
                  sessione.VersMinOTV + ")",
              CodiceLog::Fallito);
    MostraErrore(desktop, IdMessaggio::OpenTalvoNonCompatibile,
                 "\r\nLa versione OpenTalvo installata (" + sessione.VersInsOTV +
                     " ) è inferiore alla minima richiesta (" + sessione.VersMinOTV +
                     " )\r\nAggiornare prima OpenTalvo e riprovare",
                 0);
    return false;
  }
  if (*installata > *massima) {
    const std::string testo = "La versione Open TALVO installata (" + sessione.VersInsOTV +
                              " ) è più recente (o uguale) di questo aggiornamento (" + sessione.VersMaxOTV +
                              " )";
    ScriviLog(sessione, passo, testo, CodiceLog::Fallito);
    MostraErrore(desktop, IdMessaggio::OpenTalvoNonCompatibile, "\r\n" + testo, 0);
    return false;
  }
  return true;
}

// A line of the OpenTalvo step, written when the log can take it.
void LogOpenTalvo(const Sessione& sessione, const std::string& testo) {
  IgnoraErrori([&] { ScriviLogAvvio(sessione, testo); });
}

}  // namespace

void TrovaOpenTalvo(Sessione& sessione, Desktop& desktop, Machine& machine) {
  sessione.OTVTrovato = false;
  try {
    for (const std::string& radice : machine.RadiciDischi()) {
      if (machine.TipoDiDisco(radice) != TipoDisco::Fisso) continue;
      if (EsisteCartella(radice + "OpenTalvo")) {
        sessione.OTVTrovato = true;
        sessione.DriveOpenTalvo = radice.substr(0, 1);
        return;
      }
    }
  } catch (const ErroreRuntime& e) {
    desktop.Messaggio(IdMessaggio::ErroreRicercaOpenTalvo, std::to_string(e.Numero()) + e.Descrizione(),
                      TitoloProgramma, IconaMessaggio::Nessuna, PulsantiMessaggio::Ok);
  }
}

void LeggiReleaseOpenTalvo(Sessione& sessione, Desktop& desktop, Machine& machine) {
  sessione.InstallaOpenTalvo = LeggiIni(sessione.FileSetupPBD(), "INSTALLA", "OpenTalvo");
  TrovaOpenTalvo(sessione, desktop, machine);
  sessione.CartellaOpenTalvo = sessione.DriveOpenTalvo + ":\\OpenTalvo\\";
  if (sessione.InstallaOpenTalvo != "SI") return;

  LogOpenTalvo(sessione, "Rilevazione OpenTalvo - inizio");
  LogOpenTalvo(sessione, "OTVTrovato: " + ParolaBooleana(sessione.OTVTrovato));
  LogOpenTalvo(sessione, "dirOpenTalvo: " + sessione.CartellaOpenTalvo);

  if (sessione.OTVTrovato) {
    std::string release;
    if (IgnoraErrori([&] { release = LeggiPrimaRiga(sessione.CartellaOpenTalvo + "BIN\\ver.ini"); }) == 0) {
      sessione.VersInsOTV = release;
      LogOpenTalvo(sessione, "VersInsOTV: " + sessione.VersInsOTV);
    } else {
      sessione.InstallaOpenTalvo = "NO";
    }
  } else {
    desktop.Messaggio(IdMessaggio::OpenTalvoNonRilevato, "Non è stata rilevata l'installazione di OpenTalvo ",
                      "Ricerca installazione OpenTalvo", IconaMessaggio::Critico, PulsantiMessaggio::Ok);
    sessione.InstallaOpenTalvo = "NO";
  }

  const std::string otv = sessione.PercorsoPatch + "OTV.ini";
  if (!EsisteFile(otv)) {
    desktop.Messaggio(IdMessaggio::OtvIniMancante, "Non è stato trovato il file di inizializzazione OTV.ini",
                      TitoloProgramma, IconaMessaggio::Nessuna, PulsantiMessaggio::Ok);
    return;
  }
  sessione.VersMinOTV = LeggiIni(otv, "Configurazione", "TestVersione");
  sessione.VersMaxOTV = LeggiIni(otv, "Configurazione", "TestVersMax");
  LogOpenTalvo(sessione, "VersMinOTV: " + sessione.VersMinOTV + " - VersMaxOTV: " + sessione.VersMaxOTV);
}

bool VerificaCompatibilita(Sessione& sessione, Desktop& desktop) {
  sessione.VersioneInstallata = PrimaDellaBarra(sessione.VersioneInstallata);
  const std::string ini = sessione.FileSetupPBD();
  const std::string minima = LeggiIni(ini, "TestApplicazione", "Versione");
  sessione.NuovaVersione = LeggiIni(ini, "NUOVAVERSIONE", "Versione");

  const auto installato = NumeroReleaseTalvo(sessione.VersioneInstallata);
  const auto minimo = NumeroReleaseTalvo(minima);
  const auto patch = NumeroReleaseTalvo(sessione.NuovaVersione);
  if (!installato || !minimo || !patch) return false;
  std::int32_t minimoIntero = 0;
  if (IgnoraErrori([&] { minimoIntero = ArrotondaLong(*minimo); }) != 0) return false;

  if (*installato < minimoIntero || *installato > *patch) {
    const std::string testo = "Questo aggiornamento non è compatibile con la versione installata (" +
                              TestoNumero(*installato) + "<->" + TestoNumero(*patch) + " )";
    ScriviLog(sessione, "VerificaCompatibilita TALVO", testo, CodiceLog::Fallito);
    MostraErrore(desktop, IdMessaggio::ReleaseNonCompatibile, "\r\n" + testo, 0);
    return false;
  }
  if (sessione.InstallaOpenTalvo == "SI") return VerificaOpenTalvo(sessione, desktop);
  return true;
}

}  // namespace talvo
