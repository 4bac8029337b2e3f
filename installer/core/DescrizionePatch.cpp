// Inizializza and the area table. The area status pass run from here is guarded: a patch with
// more areas than the window has rows ends the pass at the last row, and the reading goes on.
#include "DescrizionePatch.h"

#include "Compatibilita.h"
#include "ErroreRuntime.h"
#include "OperazioniFile.h"
#include "FinestraSetupPBD.h"
#include "Globale.h"
#include "Ini.h"
#include "Log.h"
#include "MostraErrore.h"
#include "Numeri.h"
#include "Testo.h"

namespace talvo {

using Globale::FileSetupPBD;

namespace {

constexpr const char* DatiAreeMancanti = "Non è stato possibile recuperare tutti i dati per le aree";

void AggiornaStatoAree(FinestraSetupPBD& finestra) {
  if (finestra.VerificaStatoAree) IgnoraErrori(finestra.VerificaStatoAree);
}

// Logs the failure of one area and shows the common message.
bool AreaFallita(FinestraSetupPBD& finestra, const std::string& testo) {
  ScriviLog("ValorizzaAree", testo, CodiceLog::Fallito);
  MostraErrore(finestra.desktop, DatiAreeMancanti, 0);
  return false;
}

}  // namespace

bool Inizializza(FinestraSetupPBD& finestra) {
  finestra.Stato.NumeroAree = 0;

  // The installation is the first entry whose folder exists; it stays selected.
  const int voci = static_cast<int>(finestra.Modello.CmbDischi.Voci.size());
  for (int i = 0; i < voci; ++i) {
    finestra.SelezionaDisco(i);
    const std::string voce = finestra.Modello.CmbDischi.Voci[static_cast<std::size_t>(i)];
    if (!voce.empty() && EsisteCartella(voce.substr(0, voce.size() - 1))) {
      ScriviIni(FileSetupPBD(), "TALVO", "FileSysIni", "");
      ScriviIni(FileSetupPBD(), "TALVO", "FileSysIni", voce + "SYS\\System.ini");
      break;
    }
  }

  finestra.Modello.Caption =
      LeggiIni(FileSetupPBD(), "ETICHETTA", "versione") + " " + finestra.Stato.DescrizioneRilevamento;
  Globale::FileSysIni = LeggiIni(FileSetupPBD(), "TALVO", "FileSysIni");

  if (!EsisteFile(Globale::FileSysIni)) {
    const std::string testo = "Non è stato trovato il file System.ini di TALVO";
    MostraErrore(finestra.desktop, testo, 0);
    ScriviLog("Inizializza", testo, CodiceLog::Fallito);
    AggiornaStatoAree(finestra);
    return false;
  }

  Globale::VersioneInstallata = LeggiIni(Globale::FileSysIni, "Application", "AppVer");
  if (Globale::VersioneInstallata == ValoreMancante) {
    const std::string testo = "Non è presente il valore di versione per TALVO";
    MostraErrore(finestra.desktop, testo, 0);
    ScriviLog("Inizializza", testo, CodiceLog::Fallito);
    return false;
  }

  return VerificaCompatibilita(finestra.desktop, finestra.Stato) && DimensionaAree(finestra) &&
         ValorizzaAree(finestra);
}

bool DimensionaAree(FinestraSetupPBD& finestra) {
  std::int16_t numero = 0;
  const int errore =
      IgnoraErrori([&] { numero = InteroDaTesto(LeggiIni(FileSetupPBD(), "NUMEROAREE", "quanti")); });
  if (errore != 0 || numero <= 0) {
    ScriviLog("DimensionaAree", "Non è possibile determinare il numero delle aree da aggiornare",
              CodiceLog::Fallito);
    return false;
  }
  finestra.Stato.DimensionaTabellaAree(numero);
  return true;
}

bool ValorizzaAree(FinestraSetupPBD& finestra) {
  StatoSetupPBD& stato = finestra.Stato;
  const std::string ini = FileSetupPBD();
  for (int i = 0; i < stato.NumeroAree; ++i) {
    const auto k = static_cast<std::size_t>(i);
    stato.CodiceArea[k] = static_cast<std::uint8_t>(i);

    const std::string nome = LeggiIni(ini, "AREE", std::to_string(i));
    if (nome == ValoreMancante) {
      return AreaFallita(finestra,
                         "Impossibile recuperare i valori per l'area con codice" + std::to_string(i));
    }
    stato.NomeArea[k] = Minuscolo(nome);
    const std::string& area = stato.NomeArea[k];

    const std::string cartella = LeggiIni(ini, area, "DIRECTORYSCRIPT");
    if (cartella == ValoreMancante) {
      return AreaFallita(finestra,
                         "Impossibile recuperare i valori per il percorso sorgente dell'area " + area);
    }
    stato.DirectoryArea[k] = Globale::PercorsoPatch + cartella + "\\";

    stato.ListaScriptArea[k] = LeggiIni(ini, area, "LISTASCRIPT");
    if (stato.ListaScriptArea[k] == ValoreMancante) {
      return AreaFallita(finestra, "Impossibile recuperare i valori per la lista file dell'area " + area);
    }

    stato.SuffissoArea[k] = LeggiIni(ini, area, "SUFFISSO");
    if (stato.SuffissoArea[k] == ValoreMancante) {
      return AreaFallita(finestra, "Impossibile recuperare i valori del suffisso dell'area" + area);
    }

    // An OpenTalvo area the patch does not install needs no list.
    if (area == "opentalvo" && stato.InstallaOpenTalvo != "SI") continue;
    if (!CheckEsistenzaFile(stato.DirectoryArea[k] + stato.ListaScriptArea[k], area)) {
      MostraErrore(finestra.desktop, DatiAreeMancanti, 0);
      return false;
    }
  }
  AggiornaStatoAree(finestra);
  return true;
}

bool CheckEsistenzaFile(const std::string& file, const std::string& nomeArea) {
  if (EsisteFile(file)) return true;
  ScriviLog("CheckEsistenzaFile", " Non è presente il file: " + file + " previsto per l'area: " + nomeArea,
            CodiceLog::Fallito);
  return false;
}

}  // namespace talvo
