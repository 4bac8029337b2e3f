// Release forms: TALVO writes year/number (201302 as a number), OpenTalvo a.b.c (203010).
#include "Compatibilita.h"

#include <optional>
#include <string>

#include "Desktop.h"
#include "ErroreRuntime.h"
#include "OperazioniFile.h"
#include "FileTesto.h"
#include "Formati.h"
#include "Globale.h"
#include "Ini.h"
#include "Log.h"
#include "Machine.h"
#include "MostraErrore.h"
#include "Numeri.h"
#include "StatoSetupPBD.h"
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

bool VerificaOpenTalvo(Desktop& desktop, const StatoSetupPBD& stato) {
  const auto installata = NumeroReleaseOpenTalvo(stato.VersInsOTV);
  const auto minima = NumeroReleaseOpenTalvo(stato.VersMinOTV);
  const auto massima = NumeroReleaseOpenTalvo(stato.VersMaxOTV);
  if (!installata || !minima || !massima) return false;

  std::int32_t minimaIntera = 0;
  if (IgnoraErrori([&] { minimaIntera = ArrotondaLong(*minima); }) != 0) return false;

  const char* passo = "VerificaCompatibilita OpenTalvo";
  if (*installata < minimaIntera) {
    ScriviLog(passo,
              "La versione installata (" + stato.VersInsOTV + ") è inferiore alla minima richiesta (" +
                  stato.VersMinOTV + ")",
              CodiceLog::Fallito);
    MostraErrore(desktop,
                 "\r\nLa versione OpenTalvo installata (" + stato.VersInsOTV +
                     " ) è inferiore alla minima richiesta (" + stato.VersMinOTV +
                     " )\r\nAggiornare prima OpenTalvo e riprovare",
                 0);
    return false;
  }
  if (*installata > *massima) {
    const std::string testo = "La versione Open TALVO installata (" + stato.VersInsOTV +
                              " ) è più recente (o uguale) di questo aggiornamento (" + stato.VersMaxOTV +
                              " )";
    ScriviLog(passo, testo, CodiceLog::Fallito);
    MostraErrore(desktop, "\r\n" + testo, 0);
    return false;
  }
  return true;
}

}  // namespace

void TrovaOpenTalvo(Desktop& desktop, Machine& machine, StatoSetupPBD& stato) {
  stato.OTVTrovato = false;
  try {
    for (const std::string& radice : machine.RadiciDischi()) {
      if (machine.TipoDiDisco(radice) != TipoDisco::Fisso) continue;
      if (EsisteCartella(radice + "OpenTalvo")) {
        stato.OTVTrovato = true;
        stato.DriveOpenTalvo = radice.substr(0, 1);
        return;
      }
    }
  } catch (const ErroreRuntime& e) {
    desktop.Messaggio(std::to_string(e.Numero()) + e.Descrizione(), TitoloProgramma, IconaMessaggio::Nessuna,
                      PulsantiMessaggio::Ok);
  }
}

void LeggiReleaseOpenTalvo(Desktop& desktop, Machine& machine, StatoSetupPBD& stato) {
  stato.InstallaOpenTalvo = LeggiIni(Globale::FileSetupPBD(), "INSTALLA", "OpenTalvo");
  TrovaOpenTalvo(desktop, machine, stato);
  stato.CartellaOpenTalvo = stato.DriveOpenTalvo + ":\\OpenTalvo\\";
  if (stato.InstallaOpenTalvo != "SI") return;

  ScriviLogAvvio("Rilevazione OpenTalvo - inizio");
  ScriviLogAvvio("OTVTrovato: " + ParolaBooleana(stato.OTVTrovato));
  ScriviLogAvvio("dirOpenTalvo: " + stato.CartellaOpenTalvo);

  if (stato.OTVTrovato) {
    std::string release;
    if (IgnoraErrori([&] { release = LeggiPrimaRiga(stato.CartellaOpenTalvo + "BIN\\ver.ini"); }) == 0) {
      stato.VersInsOTV = release;
      ScriviLogAvvio("VersInsOTV: " + stato.VersInsOTV);
    } else {
      stato.InstallaOpenTalvo = "NO";
    }
  } else {
    desktop.Messaggio("Non è stata rilevata l'installazione di OpenTalvo ", "Ricerca installazione OpenTalvo",
                      IconaMessaggio::Critico, PulsantiMessaggio::Ok);
    stato.InstallaOpenTalvo = "NO";
  }

  const std::string otv = Globale::PercorsoPatch + "OTV.ini";
  if (!EsisteFile(otv)) {
    desktop.Messaggio("Non è stato trovato il file di inizializzazione OTV.ini", TitoloProgramma,
                      IconaMessaggio::Nessuna, PulsantiMessaggio::Ok);
    return;
  }
  stato.VersMinOTV = LeggiIni(otv, "Configurazione", "TestVersione");
  stato.VersMaxOTV = LeggiIni(otv, "Configurazione", "TestVersMax");
  ScriviLogAvvio("VersMinOTV: " + stato.VersMinOTV + " - VersMaxOTV: " + stato.VersMaxOTV);
}

bool VerificaCompatibilita(Desktop& desktop, StatoSetupPBD& stato) {
  Globale::VersioneInstallata = PrimaDellaBarra(Globale::VersioneInstallata);
  const std::string ini = Globale::FileSetupPBD();
  const std::string minima = LeggiIni(ini, "TestApplicazione", "Versione");
  Globale::NuovaVersione = LeggiIni(ini, "NUOVAVERSIONE", "Versione");

  const auto installato = NumeroReleaseTalvo(Globale::VersioneInstallata);
  const auto minimo = NumeroReleaseTalvo(minima);
  const auto patch = NumeroReleaseTalvo(Globale::NuovaVersione);
  if (!installato || !minimo || !patch) return false;
  std::int32_t minimoIntero = 0;
  if (IgnoraErrori([&] { minimoIntero = ArrotondaLong(*minimo); }) != 0) return false;

  if (*installato < minimoIntero || *installato > *patch) {
    const std::string testo = "Questo aggiornamento non è compatibile con la versione installata (" +
                              TestoNumero(*installato) + "<->" + TestoNumero(*patch) + " )";
    ScriviLog("VerificaCompatibilita TALVO", testo, CodiceLog::Fallito);
    MostraErrore(desktop, "\r\n" + testo, 0);
    return false;
  }
  if (stato.InstallaOpenTalvo == "SI") return VerificaOpenTalvo(desktop, stato);
  return true;
}

}  // namespace talvo
