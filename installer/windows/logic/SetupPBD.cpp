// The main window's load and activation sequences and its event handlers.
//
// How it works: the load runs once, before the window is shown; each step that ends the load
// returns from Form_Load, and the window is still shown. The activation runs with run-time errors
// ignored step by step: a failing step is skipped and the next one runs. The procedures below
// (patch description, compatibility, area status) return what they found; this logic decides what
// the window shows and what runs next.
#include "SetupPBD.h"

#include "components/InstallaComponenti.h"
#include "core/Compatibilita.h"
#include "core/DescrizionePatch.h"
#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/OperazioniFile.h"
#include "core/Formati.h"
#include "core/Ini.h"
#include "core/Log.h"
#include "core/Machine.h"
#include "core/MostraErrore.h"
#include "core/Sessione.h"
#include "core/SistemaOperativo.h"
#include "core/Testo.h"
#include "core/TipoDatabase.h"
#include "update/Aggiornamento.h"
#include "update/RiproduzioneGiornale.h"

namespace talvo {

namespace {

constexpr const char* FileInizializzazioneMancante = "Non è stato trovato il file di inizializzazione";

void LogAvvio(const Sessione& sessione, const std::string& testo) {
  // A log line that cannot be written does not stop the start-up.
  IgnoraErrori([&] { ScriviLogAvvio(sessione, testo); });
}

RispostaMessaggio MessaggioSemplice(Desktop& desktop, IdMessaggio id, const std::string& testo) {
  return desktop.Messaggio(id, testo, TitoloProgramma, IconaMessaggio::Nessuna, PulsantiMessaggio::Ok);
}

// The rows, the pointer and the controls as the update run reports them.
class RigheAggiornamento final : public OsservatoreAggiornamento {
 public:
  RigheAggiornamento(ModelloSetupPBD& modello, Desktop& desktop) : modello_(modello), desktop_(desktop) {}

  void EventiInAttesa() override { desktop_.DoEvents(); }
  void Occupato(bool occupato) override {
    modello_.Puntatore = occupato ? PuntatoreMouse::Clessidra : PuntatoreMouse::Predefinito;
    desktop_.ImpostaPuntatoreMouse(modello_.Puntatore);
  }
  void StatoRiga(int area, StatoArea stato) override {
    if (RigaArea* riga = Riga(area)) riga->LblStato.Caption = TestoStatoArea(stato);
  }
  void EsitoRiga(int area, bool riuscito) override {
    RigaArea* riga = Riga(area);
    if (!riga) return;
    riga->lblOk.Caption = riuscito ? "100%" : "0%";
    riga->lblOk.Visibile = true;
    riga->Shape1.ColoreRiempimento = riuscito ? Colore::Verde : Colore::Rosso;
    riga->Shape1.Visibile = true;
  }
  void AggiornaDisabilitato() override { modello_.cmdAggiorna.Abilitato = false; }
  void DischiDisabilitati() override { modello_.CmbDischi.Abilitato = false; }

 private:
  // Areas beyond the window's rows have nothing to show.
  RigaArea* Riga(int area) {
    if (area < 0 || area >= Disposizione::NumeroRighe) return nullptr;
    return &modello_.Righe[static_cast<std::size_t>(area)];
  }

  ModelloSetupPBD& modello_;
  Desktop& desktop_;
};

// Marks the window busy for the life of a long handler.
class Occupazione {
 public:
  explicit Occupazione(bool& occupata) : occupata_(occupata) { occupata_ = true; }
  ~Occupazione() { occupata_ = false; }
  Occupazione(const Occupazione&) = delete;
  Occupazione& operator=(const Occupazione&) = delete;

 private:
  bool& occupata_;
};

}  // namespace

void MostraStatoArea(RigaArea& riga, StatoArea stato) {
  riga.Shape1.Visibile = false;
  riga.lblOk.Visibile = false;
  riga.LblStato.Caption = TestoStatoArea(stato);
  if (stato == StatoArea::NonInstallata) riga.LblEsito.Visibile = false;
}

SetupPBD::SetupPBD(Sessione& sessione, Desktop& desktop, Machine& machine, std::string cartellaProgramma)
    : sessione_(sessione),
      desktop_(desktop),
      machine_(machine),
      cartellaProgramma_(std::move(cartellaProgramma)) {}

std::string SetupPBD::AvvisoRelease() const {
  // Ordinary releases name themselves; special ones (from 2099 on) have a label of their own.
  const std::string& release = sessione_.Avvio.ReleasePatch;
  const std::string versione = release.substr(0, 4) < "2099"
                                   ? "alla versione VTR" + release
                                   : LeggiIni(sessione_.FileSetupPBD(), "ETICHETTA", "Versione");
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
  DatiAvvio& avvio = sessione_.Avvio;
  // The patch folder is the program's own: every read of the description below goes there.
  sessione_.PercorsoPatch = ConBarraFinale(cartellaProgramma_);
  avvio.ReleasePatch = PrimaDellaBarra(LeggiIni(sessione_.FileSetupPBD(), "NUOVAVERSIONE", "Versione"));

  if (!EsisteFile(sessione_.FileSetupPBD())) {
    esitoAvvio_ = CodiceUscita::NonApplicabile;
    MostraErrore(desktop_, IdMessaggio::DescrizionePatchMancante, FileInizializzazioneMancante, 0);
    MessaggioSemplice(desktop_, IdMessaggio::DescrizionePatchMancante, FileInizializzazioneMancante);
    return true;
  }

  const std::string nomeFileLog = LeggiIni(sessione_.FileSetupPBD(), "FILELOG", "nomefile");
  if (nomeFileLog == ValoreMancante) {
    // No log is open: the drive selection does nothing, as before any log.
    esitoAvvio_ = CodiceUscita::NonApplicabile;
    MessaggioSemplice(desktop_, IdMessaggio::FileLogNonIndicato,
                      "Non è stato rilevato il valore del file di log nel file di inizializzazione");
    return true;
  }
  sessione_.NomeFileLog = nomeFileLog;
  if (!IniziaLog(sessione_, desktop_)) {
    esitoAvvio_ = CodiceUscita::Fallito;
    return true;
  }

  // A run that was killed left its journal: its files are put back before anything else. What
  // cannot be put back stays in the journal, and no new run may start over it. A dry run only
  // reports it.
  if (sessione_.SoloVerifica) {
    giornaleRimasto_ = GiornalePresente();
  } else {
    IgnoraErrori([&] { RiproduciGiornale(sessione_, desktop_); });
    giornaleRimasto_ = GiornalePresente();
  }
  if (giornaleRimasto_) {
    IgnoraErrori([&] {
      ScriviLog(sessione_, "Giornale",
                "Giornale di un aggiornamento interrotto ancora presente: c:\\SetupTalvo.journal",
                CodiceLog::Fallito);
    });
  }

  if (desktop_.Messaggio(IdMessaggio::AvvisoRelease, AvvisoRelease(), "aggiornamento TALVO e OpenTalvo",
                         IconaMessaggio::Informazione,
                         PulsantiMessaggio::OkAnnulla) != RispostaMessaggio::Ok) {
    esitoAvvio_ = CodiceUscita::Annullato;
    return false;
  }

  MostraAttendere();

  avvio.CartellaWindows = sWinDir(machine_);
  avvio.NomeUtente = Get_User_Name(machine_);
  avvio.Amministratore = IsUserAnAdministrator(machine_);
  LogAvvio(sessione_, "Utente: " + avvio.NomeUtente);
  LogAvvio(sessione_, "UtenteAmm: " + ParolaBooleana(avvio.Amministratore));

  if (!avvio.Amministratore &&
      desktop_.Messaggio(IdMessaggio::UtenteNonAmministratore,
                         "Attenzione: l'utente corrente: " + avvio.NomeUtente +
                             " non è amministratore.\r\n\r\nL'aggiornamento potrebbe non andare a buon "
                             "fine.\r\nSi desidera continuare?",
                         "Installazione Talvo", IconaMessaggio::Nessuna,
                         PulsantiMessaggio::SiNo) == RispostaMessaggio::No) {
    esitoAvvio_ = CodiceUscita::Annullato;
    return false;
  }

  avvio.DriveTalvo = DriveInstallazione(machine_, "TALVO\\APP");
  avvio.PercorsoWinDir = ConBarraFinale(GetWindowsSystemDirectory(machine_));
  LogAvvio(sessione_, "DriveTALVO: " + avvio.DriveTalvo);
  LogAvvio(sessione_, "PercorsoWinDir: " + avvio.PercorsoWinDir);

  IgnoraErrori([&] { LeggiReleaseOpenTalvo(sessione_, desktop_, machine_); });
  // A dry run changes nothing on the machine: the components are left as they are.
  if (!sessione_.SoloVerifica) {
    bool installati = true;
    if (IgnoraErrori([&] { installati = InstallaComponenti(sessione_, desktop_, machine_); }) != 0 ||
        !installati) {
      componentiInErrore_ = true;
    }
  }

  machine_.AttendiDueSecondi();
  ChiudiAttendere();
  return true;
}

void SetupPBD::Form_Activate() {
  if (occupata_) return;
  ListaDiscesa& dischi = modello_.CmbDischi;

  IgnoraErrori([&] {
    dischi.Voci.clear();
    dischi.Selezione = -1;
    sessione_.RadiceInstallazione.clear();
    for (const std::string& radice : machine_.RadiciDischi()) {
      if (machine_.TipoDiDisco(radice) == TipoDisco::Fisso) dischi.Voci.push_back(radice + "TALVO\\");
    }
  });
  IgnoraErrori([&] {
    if (!dischi.Voci.empty()) SelezionaDisco(0);
  });
  sessione_.DescrizioneRilevamento = " RILEVATO TALVO IN RETE";

  bool ministeriale = false;
  IgnoraErrori([&] { ministeriale = EsisteFile("C:\\pers.ini") && EsisteFile("c:\\versione.ini"); });
  if (ministeriale) {
    sessione_.DescrizioneRilevamento = " RILEVATO TALVO MINISTERIALE";
    desktop_.Messaggio(IdMessaggio::TalvoMinisteriale,
                       "Non è possibile utilizzare questo software Per Talvo Ministeriale", TitoloProgramma,
                       IconaMessaggio::Critico, PulsantiMessaggio::Ok);
    modello_.cmdAggiorna.Abilitato = false;
    applicabile_ = false;
    return;
  }

  // A description that could not be read to the end never enables an update, and neither does a
  // journal that still holds files to put back.
  bool inizializzato = false;
  IgnoraErrori([&] { inizializzato = Inizializza(); });
  applicabile_ = inizializzato;
  if (inizializzato) {
    IgnoraErrori([&] { RilevaTipoDatabase(sessione_, modello_.Caption); });
    IgnoraErrori([&] { CmbDischi_Click(); });
  } else {
    modello_.cmdAggiorna.Abilitato = false;
  }
  if (giornaleRimasto_) modello_.cmdAggiorna.Abilitato = false;
}

bool SetupPBD::Inizializza() {
  AzzeraAree(sessione_);
  sessione_.FileSysIni.clear();

  // The installation is the first entry whose folder exists; it stays selected. Each entry is
  // selected in turn, as a person picking it would, rows and tooltip included.
  const int voci = static_cast<int>(modello_.CmbDischi.Voci.size());
  for (int i = 0; i < voci; ++i) {
    SelezionaDisco(i);
    if (SegnaInstallazione(sessione_, modello_.CmbDischi.Voci[static_cast<std::size_t>(i)])) break;
  }

  modello_.Caption = CaptionSetupPBD(sessione_);
  const EsitoInizializza esito = talvo::Inizializza(sessione_, desktop_);
  // The rows are refreshed after a complete reading, and when no System.ini was found; a patch
  // with more areas than rows ends the refresh at the last row, and the reading's result stands.
  if (AggiornaRigheDopo(esito)) IgnoraErrori([&] { VerificaStatoAree(); });
  return esito == EsitoInizializza::Completa;
}

void SetupPBD::SelezionaDisco(int i) {
  modello_.CmbDischi.Selezione = i;
  CmbDischi_Click();
}

void SetupPBD::VerificaStatoAree() {
  statiRighe_.clear();
  for (std::int16_t i = 0; i < sessione_.NumeroAree; ++i) {
    RigaArea& riga = modello_.Riga(i);
    const StatoArea stato = VerificaStatoArea(sessione_, i);
    MostraStatoArea(riga, stato);
    statiRighe_.push_back(stato);
  }
}

void SetupPBD::SelezioneDischi(int i) {
  if (occupata_) return;
  modello_.CmbDischi.Selezione = i;
  CmbDischi_Click();
}

void SetupPBD::CmbDischi_Click() {
  if (occupata_) return;
  // The selected entry is the installation root every later step works on.
  sessione_.RadiceInstallazione = modello_.CmbDischi.Testo();
  if (sessione_.NomeFileLog.empty()) return;
  IgnoraErrori([&] { VerificaStatoAree(); });
  IgnoraErrori([&] {
    modello_.CmbDischi.ToolTipText = EsisteCartella(sessione_.RadiceInstallazione)
                                         ? "In questa Directory E' STATO RILEVATO il programma TALVO"
                                         : "In questa Directory  NON E' STATO RILEVATO il programma TALVO\"";
  });
}

void SetupPBD::cmdAggiorna_Click() {
  if (occupata_ || !modello_.cmdAggiorna.Abilitato) return;
  if (EseguiAggiornamento() == EsitoAggiornamento::Fallito) desktop_.MostraModale(FinestraModale::MostraLog);
}

EsitoAggiornamento SetupPBD::EseguiAggiornamento() {
  const Occupazione occupazione(occupata_);
  RigheAggiornamento righe(modello_, desktop_);
  // The root is taken once: the whole run works on the installation selected when it started.
  const std::string radice = sessione_.RadiceInstallazione;
  const EsitoAggiornamento esito = Aggiorna(sessione_, desktop_, righe, radice, statiRighe_);
  esitoRun_ = esito;
  return esito;
}

ResocontoVerifica SetupPBD::VerificaAggiornamento() const {
  return talvo::VerificaAggiornamento(sessione_, sessione_.RadiceInstallazione, statiRighe_);
}

CodiceUscita SetupPBD::Codice() const {
  if (esitoAvvio_) return *esitoAvvio_;
  if (giornaleRimasto_) return CodiceUscita::Fallito;
  if (esitoRun_) {
    switch (*esitoRun_) {
      case EsitoAggiornamento::Fallito: return CodiceUscita::Fallito;
      case EsitoAggiornamento::Rifiutato: return CodiceUscita::NonApplicabile;
      case EsitoAggiornamento::Completo: break;
    }
    if (componentiInErrore_) return CodiceUscita::Fallito;
    return sessione_.FileModificati > 0 ? CodiceUscita::RiavvioRichiesto : CodiceUscita::Riuscito;
  }
  if (!applicabile_) return CodiceUscita::NonApplicabile;
  if (componentiInErrore_) return CodiceUscita::Fallito;
  return CodiceUscita::Annullato;
}

void SetupPBD::CmdEsci_Click() {
  if (occupata_) return;
  modello_.Scaricata = true;
}

void SetupPBD::Form_MouseUp(int pulsante, int tasti) {
  if (occupata_) return;
  if (pulsante == Mouse::Destro && tasti == (Mouse::Shift | Mouse::Ctrl | Mouse::Alt)) {
    desktop_.MostraModale(FinestraModale::ModificaRelease);
  }
}

}  // namespace talvo
