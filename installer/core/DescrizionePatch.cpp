// Inizializza and the area table.
#include "DescrizionePatch.h"

#include "Compatibilita.h"
#include "ErroreRuntime.h"
#include "OperazioniFile.h"
#include "Ini.h"
#include "Log.h"
#include "MostraErrore.h"
#include "Numeri.h"
#include "Sessione.h"
#include "Testo.h"

namespace talvo {

namespace {

constexpr const char* DatiAreeMancanti = "Non è stato possibile recuperare tutti i dati per le aree";

// Logs the failure of one area and shows the common message.
bool AreaFallita(const Sessione& sessione, Desktop& desktop, const std::string& testo) {
  ScriviLog(sessione, "ValorizzaAree", testo, CodiceLog::Fallito);
  MostraErrore(desktop, IdMessaggio::DescrizioneAreeIncompleta, DatiAreeMancanti, 0);
  return false;
}

// Shows and logs a failure of the reading itself.
void InizializzaFallita(const Sessione& sessione, Desktop& desktop, const std::string& testo) {
  MostraErrore(desktop, IdMessaggio::DescrizionePatchIllegibile, testo, 0);
  ScriviLog(sessione, "Inizializza", testo, CodiceLog::Fallito);
}

}  // namespace

bool AggiornaRigheDopo(EsitoInizializza esito) {
  return esito == EsitoInizializza::Completa || esito == EsitoInizializza::SysIniMancante;
}

void AzzeraAree(Sessione& sessione) { sessione.NumeroAree = 0; }

bool SegnaInstallazione(Sessione& sessione, const std::string& voce) {
  if (voce.empty() || !EsisteCartella(voce.substr(0, voce.size() - 1))) return false;
  // The session keeps the value: the patch may sit on a read-only share, or be shared by many
  // machines updating at once, so the copy written into its description is never read back.
  sessione.FileSysIni = voce + "SYS\\System.ini";
  if (!sessione.SoloVerifica) {
    IgnoraErrori([&] {
      ScriviIni(sessione.FileSetupPBD(), "TALVO", "FileSysIni", "");
      ScriviIni(sessione.FileSetupPBD(), "TALVO", "FileSysIni", sessione.FileSysIni);
    });
  }
  return true;
}

std::string CaptionSetupPBD(const Sessione& sessione) {
  return LeggiIni(sessione.FileSetupPBD(), "ETICHETTA", "versione") + " " + sessione.DescrizioneRilevamento;
}

EsitoInizializza Inizializza(Sessione& sessione, Desktop& desktop) {
  if (!EsisteFile(sessione.FileSysIni)) {
    InizializzaFallita(sessione, desktop, "Non è stato trovato il file System.ini di TALVO");
    return EsitoInizializza::SysIniMancante;
  }

  sessione.VersioneInstallata = LeggiIni(sessione.FileSysIni, "Application", "AppVer");
  if (sessione.VersioneInstallata == ValoreMancante) {
    InizializzaFallita(sessione, desktop, "Non è presente il valore di versione per TALVO");
    return EsitoInizializza::VersioneMancante;
  }

  if (!VerificaCompatibilita(sessione, desktop)) return EsitoInizializza::NonCompatibile;
  if (!DimensionaAree(sessione)) return EsitoInizializza::NumeroAreeNonValido;
  if (!ValorizzaAree(sessione, desktop)) return EsitoInizializza::AreeIncomplete;
  return EsitoInizializza::Completa;
}

bool DimensionaAree(Sessione& sessione) {
  std::int16_t numero = 0;
  const int errore = IgnoraErrori(
      [&] { numero = InteroDaTesto(LeggiIni(sessione.FileSetupPBD(), "NUMEROAREE", "quanti")); });
  if (errore != 0 || numero <= 0) {
    ScriviLog(sessione, "DimensionaAree", "Non è possibile determinare il numero delle aree da aggiornare",
              CodiceLog::Fallito);
    return false;
  }
  sessione.DimensionaTabellaAree(numero);
  return true;
}

bool ValorizzaAree(Sessione& sessione, Desktop& desktop) {
  const std::string ini = sessione.FileSetupPBD();
  for (int i = 0; i < sessione.NumeroAree; ++i) {
    Area& voce = sessione.Aree[static_cast<std::size_t>(i)];
    voce.CodiceArea = static_cast<std::uint8_t>(i);

    const std::string nome = LeggiIni(ini, "AREE", std::to_string(i));
    if (nome == ValoreMancante) {
      return AreaFallita(sessione, desktop,
                         "Impossibile recuperare i valori per l'area con codice" + std::to_string(i));
    }
    voce.NomeArea = Minuscolo(nome);
    const std::string& area = voce.NomeArea;

    const std::string cartella = LeggiIni(ini, area, "DIRECTORYSCRIPT");
    if (cartella == ValoreMancante) {
      return AreaFallita(sessione, desktop,
                         "Impossibile recuperare i valori per il percorso sorgente dell'area " + area);
    }
    voce.DirectoryArea = sessione.PercorsoPatch + cartella + "\\";

    voce.ListaScriptArea = LeggiIni(ini, area, "LISTASCRIPT");
    if (voce.ListaScriptArea == ValoreMancante) {
      return AreaFallita(sessione, desktop,
                         "Impossibile recuperare i valori per la lista file dell'area " + area);
    }

    voce.SuffissoArea = LeggiIni(ini, area, "SUFFISSO");
    if (voce.SuffissoArea == ValoreMancante) {
      return AreaFallita(sessione, desktop, "Impossibile recuperare i valori del suffisso dell'area" + area);
    }

    // An OpenTalvo area the patch does not install needs no list.
    if (area == "opentalvo" && sessione.InstallaOpenTalvo != "SI") continue;
    if (!CheckEsistenzaFile(sessione, voce.DirectoryArea + voce.ListaScriptArea, area)) {
      MostraErrore(desktop, IdMessaggio::DescrizioneAreeIncompleta, DatiAreeMancanti, 0);
      return false;
    }
  }
  return true;
}

bool CheckEsistenzaFile(const Sessione& sessione, const std::string& file, const std::string& nomeArea) {
  if (EsisteFile(file)) return true;
  ScriviLog(sessione, "CheckEsistenzaFile",
            " Non è presente il file: " + file + " previsto per l'area: " + nomeArea, CodiceLog::Fallito);
  return false;
}

}  // namespace talvo
