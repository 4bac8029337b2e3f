// State held by the main window SetupPBD and shared by the procedures that fill and read it.
//
// How it works: area i (from 0) lives at index i of each array; the arrays are sized together
// when the patch description is read, and NumeroAree says how many entries are in use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace talvo {

struct StatoSetupPBD {
  // Number of functional areas in the patch; 0 until the patch description is read.
  std::int16_t NumeroAree = 0;
  // Area table, one entry per area.
  std::vector<std::uint8_t> CodiceArea;      // code of area i, equal to i
  std::vector<std::string> NomeArea;         // name in lower case, for example "opentalvo"
  std::vector<std::string> ListaScriptArea;  // file name of the area's list file
  std::vector<std::string> DirectoryArea;    // folder of the area in the patch, trailing backslash
  std::vector<std::string> SuffissoArea;     // program name of the area

  // OpenTalvo, the companion product.
  std::string InstallaOpenTalvo;  // "SI", "NO", or "Errore" when the key is missing
  bool OTVTrovato = false;        // an OpenTalvo folder exists on a fixed drive
  std::string DriveOpenTalvo;     // its drive letter
  std::string CartellaOpenTalvo;  // DriveOpenTalvo followed by ":\OpenTalvo\"
  std::string VersInsOTV;         // installed OpenTalvo release
  std::string VersMinOTV;         // lowest OpenTalvo release the patch accepts
  std::string VersMaxOTV;         // highest OpenTalvo release the patch accepts

  // " RILEVATO TALVO IN RETE" or " RILEVATO TALVO MINISTERIALE", shown in the caption.
  std::string DescrizioneRilevamento;

  // Re-creates an empty area table for n areas (none when n is not above 0).
  void DimensionaTabellaAree(std::int16_t n);
};

}  // namespace talvo
