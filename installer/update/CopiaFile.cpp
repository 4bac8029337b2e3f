// One area line: where the file goes (an absolute folder, or a folder under the area's
// application root, or the area's program folder when that folder is missing), the archive
// database handed elsewhere, and the copy with its backup.
#include "CopiaFile.h"

#include <windows.h>

#include <vector>

#include "Giornale.h"
#include "StatoAree.h"
#include "core/ArchivioPre1996.h"
#include "core/ErroreRuntime.h"
#include "core/Log.h"
#include "core/OperazioniFile.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

namespace {

// The fields of a line split at "|"; fewer than two is run-time error 9, as indexing field 1 is.
std::vector<std::string> Campi(const std::string& riga) {
  std::vector<std::string> campi;
  std::size_t inizio = 0;
  for (std::size_t barra; (barra = riga.find('|', inizio)) != std::string::npos; inizio = barra + 1) {
    campi.push_back(riga.substr(inizio, barra - inizio));
  }
  campi.push_back(riga.substr(inizio));
  if (campi.size() < 2) throw ErroreRuntime(NumeroErrore::IndiceFuoriIntervallo);
  return campi;
}

// The folder an area's relative destinations start from: the installation root for an area
// under it (D:\TALVO\APP\alu\PRG\BIN\ gives D:\TALVO\), otherwise the program folder cut after
// the first backslash at or after its fourth character (C:\OpenTalvo\BIN\ gives C:\OpenTalvo\).
// On an installation in the root of a drive both readings agree.
std::string RadiceApplicazione(const std::string& cartellaProgramma, const std::string& radice) {
  if (!radice.empty() && Minuscolo(cartellaProgramma.substr(0, radice.size())) == Minuscolo(radice))
    return radice;
  const std::size_t barra =
      cartellaProgramma.size() > 3 ? cartellaProgramma.find('\\', 3) : std::string::npos;
  return barra == std::string::npos ? std::string() : cartellaProgramma.substr(0, barra + 1);
}

}  // namespace

CopiaAree::CopiaAree(Sessione& sessione, std::string radice, Giornale* giornale)
    : sessione_(sessione), radice_(std::move(radice)), giornale_(giornale) {}

bool CopiaAree::CopiaFile(const std::string& riga, std::int16_t area) {
  std::string destinazione;
  try {
    const Area& voce = sessione_.AreaN(area);
    const std::vector<std::string> campi = Campi(riga);
    const std::string nome = Trim(campi[0]);
    const std::string cartella = Trim(campi[1]);

    if (campi[1].find(':') != std::string::npos) {
      destinazione = cartella + nome;
    } else {
      if (Minuscolo(riga).find("cong.mdb") != std::string::npos) {
        // The archive database lives outside the installation; a failure there fails the area.
        return GestionePre1996(sessione_, voce.DirectoryArea + nome);
      }
      const std::string& programma = CartellaProgramma(area);
      const std::string destinazioneCartella = RadiceApplicazione(programma, radice_) + cartella;
      destinazione = destinazioneCartella + nome;
      if (!CartellaEsiste(destinazioneCartella)) {
        const std::string& altrove = programma;
        if (altrove.empty() || !EsisteFile(altrove + "*.*")) {
          ScriviLog(sessione_, "Copia file",
                    "Nel registro di windows NON è presente nessuna informazione relativa all'area: " +
                        voce.NomeArea + " Per la quale sono previsti aggiornamenti ",
                    CodiceLog::Fallito);
          return true;
        }
        destinazione = altrove + campi[0];
      }
    }
    Copia(voce.DirectoryArea + nome, destinazione, area);
    return true;
  } catch (const ErroreRuntime& e) {
    const std::string nomeArea = static_cast<std::size_t>(area) < sessione_.Aree.size()
                                     ? sessione_.Aree[static_cast<std::size_t>(area)].NomeArea
                                     : std::string();
    IgnoraErrori([&] {
      ScriviLog(sessione_, "CopiaFile ",
                "Errore nel file che si stava gestendo: " + destinazione + " " + e.Descrizione() +
                    " AREA: " + nomeArea + " ->" + e.Descrizione(),
                e.Numero());
    });
    return false;
  }
}

const std::string& CopiaAree::CartellaProgramma(std::int16_t area) {
  auto trovata = programmi_.find(area);
  if (trovata == programmi_.end()) {
    trovata = programmi_.emplace(area, TrovaPathAppInstallate(sessione_, radice_, area)).first;
  }
  return trovata->second;
}

bool CopiaAree::CartellaEsiste(const std::string& cartella) {
  const std::string chiave = Minuscolo(cartella);
  auto trovata = cartelle_.find(chiave);
  if (trovata == cartelle_.end()) trovata = cartelle_.emplace(chiave, EsisteCartella(cartella)).first;
  return trovata->second;
}

void CopiaAree::Copia(const std::string& sorgente, const std::string& destinazione, std::int16_t area) {
  if (!scritti_.try_emplace(Minuscolo(destinazione), sessione_.FileSovrascritti.size()).second) {
    // Written before in this run: its backup holds the file as it was before the run, and stays.
    CopiaSovrascrivendo(sorgente, destinazione);
    ++sessione_.FileModificati;
    return;
  }
  // Recorded before anything changes, so that the restore knows about every step that follows.
  const std::size_t numero = sessione_.FileSovrascritti.size();
  sessione_.FileSovrascritti.push_back({destinazione + ".old", area, FilePresente(destinazione)});
  FileSovrascritto& voce = sessione_.FileSovrascritti.back();
  if (EsisteFile(voce.Backup)) EliminaFile(voce.Backup);
  // On disk before the destination changes: a run that dies from here on is put back at the next
  // start. The old backup is gone first, so a backup found later is this run's.
  if (giornale_ != nullptr) giornale_->Registra(numero, voce);
  if (EsisteFile(destinazione)) {
    Rinomina(destinazione, voce.Backup);
    voce.Rinominato = true;
    if (giornale_ != nullptr) giornale_->Rinominata(numero, voce);
  }
  voce.CopiaIniziata = true;
  CopiaSovrascrivendo(sorgente, destinazione);
  if (giornale_ != nullptr) giornale_->Copiata(numero, voce);
  ++sessione_.FileModificati;
}

}  // namespace talvo
