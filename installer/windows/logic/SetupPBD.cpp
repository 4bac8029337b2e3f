// The main window's load and activation sequences and its event handlers.
//
// How it works: the load runs once, before the window is shown; each step that ends the load
// returns from Form_Load, and the window is still shown. The activation runs with run-time errors
// ignored step by step: a failing step is skipped and the next one runs.
#include "SetupPBD.h"

#include "core/Compatibilita.h"
#include "core/DescrizionePatch.h"
#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/OperazioniFile.h"
#include "core/Formati.h"
#include "core/Globale.h"
#include "core/Ini.h"
#include "core/Log.h"
#include "core/Machine.h"
#include "core/MostraErrore.h"
#include "core/SistemaOperativo.h"
#include "core/Testo.h"
#include "core/TipoDatabase.h"
#include "update/StatoAree.h"

namespace talvo {

namespace {

constexpr const char* FileInizializzazioneMancante = "Non è stato trovato il file di inizializzazione";

void LogAvvio(const std::string& testo) {
  // A log line that cannot be written does not stop the start-up.
  IgnoraErrori([&] { ScriviLogAvvio(testo); });
}

RispostaMessaggio MessaggioSemplice(Desktop& desktop, const std::string& testo) {
  return desktop.Messaggio(testo, TitoloProgramma, IconaMessaggio::Nessuna, PulsantiMessaggio::Ok);
}

}  // namespace

SetupPBD::SetupPBD(Desktop& desktop, Machine& machine, std::string cartellaProgramma)
    : desktop_(desktop), machine_(machine), cartellaProgramma_(std::move(cartellaProgramma)) {}

FinestraSetupPBD SetupPBD::Finestra() {
  return FinestraSetupPBD{desktop_, modello_, stato_, [this] { CmbDischi_Click(); },
                          [this] { VerificaStatoAree(modello_, stato_); }};
}

std::string SetupPBD::AvvisoRelease() const {
  // Ordinary releases name themselves; special ones (from 2099 on) have a label of their own.
  const std::string versione = avvio_.ReleasePatch.substr(0, 4) < "2099"
                                   ? "alla versione VTR" + avvio_.ReleasePatch
                                   : LeggiIni(Globale::FileSetupPBD(), "ETICHETTA", "Versione");
  return "ATTENZIONE ! \t\r\n\r\nE' stata attivata la procedura di aggiornamento di TALVO \r\n" + versione +
         ".\r\nPer la corretta installazione è necessario che tale operazione venga effettuata "
         "dall'Amministratore\r\ndel sistema e che al termine dell'operazione venga riavviato il "
         "computer.\r\n\r\n\tSi desidera continuare?\r\n\r\n";
}

void SetupPBD::MostraAttendere() {
  attendere_.Label1.Caption = "      Copia files in corso ...";
  attendere_.Visibile = true;
  attendere_.Caption = "Attendere prego ...";
  attendere_.LeftLabel = 100;
  attendere_.Larghezza = attendere_.LarghezzaLabel + 1000;
  attendere_.Left = 4000;
  attendere_.Top = 4000;
  if (AttendereCambiato) AttendereCambiato();
}

void SetupPBD::ChiudiAttendere() {
  attendere_.Visibile = false;
  if (AttendereCambiato) AttendereCambiato();
}

bool SetupPBD::Form_Load() {
  // The patch folder is the program's own: every read of the description below goes there.
  Globale::PercorsoPatch = ConBarraFinale(cartellaProgramma_);
  avvio_.ReleasePatch = PrimaDellaBarra(LeggiIni(Globale::FileSetupPBD(), "NUOVAVERSIONE", "Versione"));

  if (!EsisteFile(Globale::FileSetupPBD())) {
    MostraErrore(desktop_, FileInizializzazioneMancante, 0);
    MessaggioSemplice(desktop_, FileInizializzazioneMancante);
    return true;
  }

  Globale::NomeFileLog = LeggiIni(Globale::FileSetupPBD(), "FILELOG", "nomefile");
  if (Globale::NomeFileLog == ValoreMancante) {
    // No log is open: the drive selection does nothing, as before any log.
    Globale::NomeFileLog.clear();
    MessaggioSemplice(desktop_,
                      "Non è stato rilevato il valore del file di log nel file di inizializzazione");
    return true;
  }
  if (!IniziaLog(desktop_)) return true;

  if (desktop_.Messaggio(AvvisoRelease(), "aggiornamento TALVO e OpenTalvo", IconaMessaggio::Informazione,
                         PulsantiMessaggio::OkAnnulla) != RispostaMessaggio::Ok) {
    return false;
  }

  MostraAttendere();

  avvio_.CartellaWindows = sWinDir(machine_);
  avvio_.NomeUtente = Get_User_Name(machine_);
  avvio_.Amministratore = IsUserAnAdministrator(machine_);
  LogAvvio("Utente: " + avvio_.NomeUtente);
  LogAvvio("UtenteAmm: " + ParolaBooleana(avvio_.Amministratore));

  if (!avvio_.Amministratore &&
      desktop_.Messaggio("Attenzione: l'utente corrente: " + avvio_.NomeUtente +
                             " non è amministratore.\r\n\r\nL'aggiornamento potrebbe non andare a buon "
                             "fine.\r\nSi desidera continuare?",
                         "Installazione Talvo", IconaMessaggio::Nessuna,
                         PulsantiMessaggio::SiNo) == RispostaMessaggio::No) {
    return false;
  }

  avvio_.DriveTalvo = DriveInstallazione(machine_, "TALVO\\APP");
  avvio_.PercorsoWinDir = ConBarraFinale(GetWindowsSystemDirectory(machine_));
  LogAvvio("DriveTALVO: " + avvio_.DriveTalvo);
  LogAvvio("PercorsoWinDir: " + avvio_.PercorsoWinDir);

  IgnoraErrori([&] { LeggiReleaseOpenTalvo(desktop_, machine_, stato_); });

  machine_.AttendiDueSecondi();
  ChiudiAttendere();
  return true;
}

void SetupPBD::Form_Activate() {
  FinestraSetupPBD finestra = Finestra();
  ListaDiscesa& dischi = modello_.CmbDischi;

  IgnoraErrori([&] {
    dischi.Voci.clear();
    dischi.Selezione = -1;
    for (const std::string& radice : machine_.RadiciDischi()) {
      if (machine_.TipoDiDisco(radice) == TipoDisco::Fisso) dischi.Voci.push_back(radice + "TALVO\\");
    }
  });
  IgnoraErrori([&] {
    if (!dischi.Voci.empty()) finestra.SelezionaDisco(0);
  });
  stato_.DescrizioneRilevamento = " RILEVATO TALVO IN RETE";

  bool ministeriale = false;
  IgnoraErrori([&] { ministeriale = EsisteFile("C:\\pers.ini") && EsisteFile("c:\\versione.ini"); });
  if (ministeriale) {
    stato_.DescrizioneRilevamento = " RILEVATO TALVO MINISTERIALE";
    desktop_.Messaggio("Non è possibile utilizzare questo software Per Talvo Ministeriale", TitoloProgramma,
                       IconaMessaggio::Critico, PulsantiMessaggio::Ok);
    modello_.cmdAggiorna.Abilitato = false;
    return;
  }

  // A description that could not be read to the end never enables an update.
  bool inizializzato = false;
  IgnoraErrori([&] { inizializzato = Inizializza(finestra); });
  if (inizializzato) {
    IgnoraErrori([&] { RilevaTipoDatabase(modello_.Caption); });
    IgnoraErrori([&] { CmbDischi_Click(); });
  } else {
    modello_.cmdAggiorna.Abilitato = false;
  }
}

void SetupPBD::CmbDischi_Click() {
  if (Globale::NomeFileLog.empty()) return;
  IgnoraErrori([&] { VerificaStatoAree(modello_, stato_); });
  IgnoraErrori([&] {
    modello_.CmbDischi.ToolTipText = EsisteCartella(modello_.CmbDischi.Testo())
                                         ? "In questa Directory E' STATO RILEVATO il programma TALVO"
                                         : "In questa Directory  NON E' STATO RILEVATO il programma TALVO\"";
  });
}

void SetupPBD::CmdEsci_Click() { modello_.Scaricata = true; }

void SetupPBD::Form_MouseUp(int pulsante, int tasti) {
  if (pulsante == Mouse::Destro && tasti == (Mouse::Shift | Mouse::Ctrl | Mouse::Alt)) {
    desktop_.MostraModale(FinestraModale::ModificaRelease);
  }
}

}  // namespace talvo
