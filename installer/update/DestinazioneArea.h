// Where one line of an area's list goes: an absolute folder, a folder under the area's
// application root, the area's program folder when that folder is missing, or the archive
// database folder for a "cong.mdb" line. The update run and its plan resolve lines here alone.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "core/OperazioniFile.h"

namespace talvo {

struct Sessione;

enum class TipoDestinazione {
  Copia,     // the file is copied to Destinazione, with a ".old" backup of the installed file
  Archivio,  // a "cong.mdb" line: the file goes to the archive database folder outside the installation
  Nessuna,   // neither the line's folder nor the area's program folder exists: nothing is copied
};

struct DestinazioneRiga {
  TipoDestinazione Tipo = TipoDestinazione::Nessuna;
  std::string Sorgente;      // the file in the area's patch folder
  std::string Destinazione;  // Copia: the file in the installation; Archivio: the archive copy
  bool Assoluta = false;     // the line names an absolute folder, whose existence the run does not test
};

// Resolves the lines of one run under one installation root.
//
// How it works: each area's program folder and each destination folder is looked up once and
// remembered, since a run replaces files but never removes an area's program or a folder.
class DestinazioniAree {
 public:
  // radice: the installation root, with its trailing backslash.
  DestinazioniAree(const Sessione& sessione, std::string radice);

  // The destination of a non-blank line of area n's list. An area outside the table, or a line
  // without "|", is run-time error 9.
  DestinazioneRiga Risolvi(const std::string& riga, std::int16_t area);

 private:
  const std::string& CartellaProgramma(std::int16_t area);

  const Sessione& sessione_;
  std::string radice_;
  std::unordered_map<std::int16_t, std::string> programmi_;
  CartelleEsistenti cartelle_;
};

}  // namespace talvo
