// A line is "file|folder|...": field 0 names the file in the area's patch folder, field 1 the
// folder it goes to; further fields are ignored.
#include "DestinazioneArea.h"

#include <vector>

#include "StatoAree.h"
#include "core/ArchivioPre1996.h"
#include "core/ErroreRuntime.h"
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

DestinazioniAree::DestinazioniAree(const Sessione& sessione, std::string radice)
    : sessione_(sessione), radice_(std::move(radice)) {}

DestinazioneRiga DestinazioniAree::Risolvi(const std::string& riga, std::int16_t area) {
  const Area& voce = sessione_.AreaN(area);
  const std::vector<std::string> campi = Campi(riga);
  const std::string nome = Trim(campi[0]);
  const std::string cartella = Trim(campi[1]);
  const std::string sorgente = voce.DirectoryArea + nome;

  if (campi[1].find(':') != std::string::npos) {
    return {TipoDestinazione::Copia, sorgente, cartella + nome, true};
  }
  if (Minuscolo(riga).find("cong.mdb") != std::string::npos) {
    return {TipoDestinazione::Archivio, sorgente, CopiaArchivioPre1996, false};
  }
  const std::string& programma = CartellaProgramma(area);
  const std::string destinazioneCartella = RadiceApplicazione(programma, radice_) + cartella;
  if (cartelle_.Esiste(destinazioneCartella)) {
    return {TipoDestinazione::Copia, sorgente, destinazioneCartella + nome, false};
  }
  // The file goes into the program folder instead, under its name as the line writes it.
  if (programma.empty() || !EsisteFile(programma + "*.*"))
    return {TipoDestinazione::Nessuna, sorgente, {}, false};
  return {TipoDestinazione::Copia, sorgente, programma + campi[0], false};
}

const std::string& DestinazioniAree::CartellaProgramma(std::int16_t area) {
  auto trovata = programmi_.find(area);
  if (trovata == programmi_.end()) {
    trovata = programmi_.emplace(area, TrovaPathAppInstallate(sessione_, radice_, area)).first;
  }
  return trovata->second;
}

}  // namespace talvo
