// The run in its three phases: the fixed lists, the areas in row order, and the end (the summary
// after a complete run, the restore after a failure).
#include "Aggiornamento.h"

#include <set>

#include "CopiaFile.h"
#include "ElaboraListe.h"
#include "Giornale.h"
#include "RipristinoFile.h"
#include "VerificaPreliminare.h"
#include "core/DataOra.h"
#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/FileTesto.h"
#include "core/Ini.h"
#include "core/Log.h"
#include "core/MarcaturaVersione.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

namespace {

class Esecuzione {
 public:
  Esecuzione(Sessione& sessione, Desktop& desktop, OsservatoreAggiornamento& osservatore, std::string radice,
             const std::vector<StatoArea>& stati)
      : sessione_(sessione),
        desktop_(desktop),
        osservatore_(osservatore),
        radice_(std::move(radice)),
        stati_(stati),
        copia_(sessione, radice_, &giornale_) {
    // Areas the window had no row for were never shown as installed.
    stati_.resize(static_cast<std::size_t>(sessione_.NumeroAree), StatoArea::NonInstallata);
    lavorate_.assign(stati_.size(), false);
    righe_.assign(stati_.size(), 0);
  }

  EsitoAggiornamento Esegui() {
    sessione_.FileSovrascritti.clear();
    sessione_.FileModificati = 0;
    osservatore_.EventiInAttesa();
    osservatore_.Occupato(true);
    // Nothing is touched unless every file the run would write can be written.
    const std::vector<Difetto> difetti = VerificaPrimaDellAggiornamento(sessione_, radice_, stati_);
    if (!difetti.empty()) {
      osservatore_.Occupato(false);
      RifiutaAggiornamento(sessione_, desktop_, difetti);
      return EsitoAggiornamento::Rifiutato;
    }
    if (!ApriGiornale()) return Fallimento(-1);
    if (!ElaboraListe(sessione_, desktop_, radice_)) return Fallimento(-1);

    for (int i = 0; i < static_cast<int>(stati_.size()); ++i) {
      if (i > 0) {
        osservatore_.EventiInAttesa();
        ChiudiRiga(i - 1);
      }
      bool lavorata = false;
      // A run-time error the area's own steps did not handle fails the area like a failed line.
      if (IgnoraErrori([&] { lavorata = LavoraArea(i); }) != 0 || !lavorata) return Fallimento(i);
    }
    if (!stati_.empty()) ChiudiRiga(static_cast<int>(stati_.size()) - 1);
    Resoconto();
    // Only now, with the release recorded, is there nothing left to put back.
    try {
      giornale_.Completa();
    } catch (const ErroreRuntime& e) {
      IgnoraErrori([&] { ScriviLog(sessione_, "Giornale", e.Descrizione(), e.Numero()); });
    }
    return EsitoAggiornamento::Completo;
  }

 private:
  // The run's journal; a run that cannot keep one does not start, since a crash would then leave
  // the installation half-updated with nothing to put it back from.
  bool ApriGiornale() {
    try {
      giornale_ = Giornale::Crea(PercorsoGiornale);
      return true;
    } catch (const ErroreRuntime& e) {
      IgnoraErrori([&] {
        ScriviLog(sessione_, "Giornale",
                  "Impossibile creare il giornale " + std::string(PercorsoGiornale) + ": " + e.Descrizione(),
                  e.Numero());
      });
      return false;
    }
  }

  void Stato(int i, StatoArea stato) {
    stati_[static_cast<std::size_t>(i)] = stato;
    osservatore_.StatoRiga(i, stato);
  }

  bool LavoraArea(int i) {
    const auto k = static_cast<std::size_t>(i);
    if (!AreaDaAggiornare(stati_[k])) {
      osservatore_.EsitoRiga(i, false);
      return true;
    }
    osservatore_.EventiInAttesa();
    Stato(i, StatoArea::InCorso);
    lavorate_[k] = true;

    const Area& area = sessione_.Aree[k];
    const std::string lista = area.DirectoryArea + area.ListaScriptArea;
    std::vector<std::string> righe;
    try {
      righe = LeggiRighe(lista);
    } catch (const ErroreRuntime& e) {
      IgnoraErrori(
          [&] { ScriviLog(sessione_, "CmdAggiorna", "Impossibile aprire il file " + lista, e.Numero()); });
      osservatore_.EsitoRiga(i, false);
      return false;
    }
    for (const std::string& riga : righe) {
      if (Trim(riga).empty()) {
        // The lines before it are done before the log says more.
        if (!copia_.Concludi()) {
          osservatore_.EsitoRiga(i, false);
          return false;
        }
        IgnoraErrori([&] {
          ScriviLog(sessione_, "CmdAggiorna", "Trovata riga vuota nel file" + lista, CodiceLog::Ok);
        });
        continue;
      }
      ++righe_[k];
      if (!copia_.CopiaFile(riga, static_cast<std::int16_t>(i))) {
        osservatore_.EsitoRiga(i, false);
        return false;
      }
    }
    if (!copia_.Concludi()) {
      osservatore_.EsitoRiga(i, false);
      return false;
    }
    if (righe_[k] == 0) Stato(i, StatoArea::SenzaAggiornamenti);
    return true;
  }

  // A row worked through in this run ends green; a row that was not worked on keeps its red box.
  void ChiudiRiga(int r) {
    const auto k = static_cast<std::size_t>(r);
    if (!lavorate_[k]) return;
    if (righe_[k] > 0) Stato(r, StatoArea::Aggiornata);
    osservatore_.EsitoRiga(r, true);
  }

  EsitoAggiornamento Fallimento(int areaFallita) {
    osservatore_.AggiornaDisabilitato();
    RipristinoFile(sessione_, desktop_, &giornale_);
    // Every row whose files were put back says so, the failing one included.
    std::set<int> ripristinate;
    for (const FileSovrascritto& voce : sessione_.FileSovrascritti) ripristinate.insert(voce.Area);
    if (areaFallita >= 0) ripristinate.insert(areaFallita);
    for (int area : ripristinate) {
      Stato(area, StatoArea::Ripristinata);
      osservatore_.EsitoRiga(area, false);
    }
    osservatore_.Occupato(false);
    osservatore_.AggiornaDisabilitato();
    return EsitoAggiornamento::Fallito;
  }

  void Resoconto() {
    osservatore_.Occupato(false);
    std::string elenco;
    for (std::size_t i = 0; i < stati_.size(); ++i) {
      const Area& area = sessione_.Aree[i];
      if (area.NomeArea == "opentalvo" && sessione_.InstallaOpenTalvo != "SI") continue;
      if (stati_[i] == StatoArea::Aggiornata) continue;
      const std::string motivo = Maiuscolo(area.NomeArea) + " - Motivo -> " + TestoStatoArea(stati_[i]);
      elenco += motivo + "\r\n";
      IgnoraErrori([&] { ScriviLog(sessione_, "Resoconto Aggiornamento", motivo, CodiceLog::Avviso); });
    }
    osservatore_.DischiDisabilitati();
    if (elenco.empty()) {
      desktop_.Messaggio(IdMessaggio::AggiornamentoRiuscito, "Aggiornamento terminato con successo",
                         TitoloProgramma, IconaMessaggio::Informazione, PulsantiMessaggio::Ok);
    } else {
      desktop_.Messaggio(
          IdMessaggio::AggiornamentoIncompleto,
          "Aggiornamento terminato \r\nLe Seguenti Aree Non sono state Aggiornate\r\n" + elenco,
          TitoloProgramma, IconaMessaggio::Esclamazione, PulsantiMessaggio::Ok);
    }

    const bool numerica = AnnoRelease(sessione_.NuovaVersione).has_value();
    if (numerica && ReleaseDaRegistrare(sessione_.NuovaVersione)) {
      IgnoraErrori([&] {
        ScriviIni(sessione_.FileSysIni, "Application", "AppVer",
                  LeggiIni(sessione_.FileSetupPBD(), "NUOVAVERSIONE", "Versione"));
      });
    } else if (!numerica) {
      IgnoraErrori([&] {
        ScriviLog(sessione_, "Aggiorna", "Versione non numerica, non registrata: " + sessione_.NuovaVersione,
                  CodiceLog::Avviso);
      });
    }
    IgnoraErrori([&] {
      ScriviLog(sessione_, "Aggiorna", "Aggiornamento concluso" + FormattaDataGenerale(DataOraCorrente()),
                CodiceLog::Ok);
    });
    osservatore_.AggiornaDisabilitato();
    if (numerica) ScriviMarcaturaVersione(sessione_, radice_);
  }

  Sessione& sessione_;
  Desktop& desktop_;
  OsservatoreAggiornamento& osservatore_;
  std::string radice_;
  std::vector<StatoArea> stati_;
  std::vector<bool> lavorate_;  // the run worked through the area's list
  std::vector<int> righe_;      // non-blank lines of the area's list
  Giornale giornale_;
  CopiaAree copia_;
};

}  // namespace

EsitoAggiornamento Aggiorna(Sessione& sessione, Desktop& desktop, OsservatoreAggiornamento& osservatore,
                            const std::string& radice, const std::vector<StatoArea>& stati) {
  return Esecuzione(sessione, desktop, osservatore, radice, stati).Esegui();
}

}  // namespace talvo
