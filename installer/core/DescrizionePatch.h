// Reading the patch description when the main window is activated: the installation and its
// System.ini, the compatibility checks, the number of areas and the area table.
//
// How it works: the window logic walks the drive list, selecting each entry in turn, and asks
// SegnaInstallazione whether the entry holds the installation; it then sets the caption
// (CaptionSetupPBD) and runs Inizializza, which reads the rest and says what it found. Whether the
// area rows are refreshed afterwards follows from that result.
#pragma once

#include <string>

namespace talvo {

class Desktop;
struct Sessione;

enum class EsitoInizializza {
  Completa,             // installation found, checks passed, area table complete
  SysIniMancante,       // FileSysIni names no file
  VersioneMancante,     // System.ini holds no AppVer
  NonCompatibile,       // the releases do not fit (VerificaCompatibilita said why)
  NumeroAreeNonValido,  // DimensionaAree failed
  AreeIncomplete,       // ValorizzaAree failed
};

// Whether the area rows are refreshed after the reading: when it went through, and when no
// System.ini was found (so the rows show the state of the selected root).
bool AggiornaRigheDopo(EsitoInizializza esito);

// Starts a new reading: the area count goes back to 0 until the description is read again.
void AzzeraAree(Sessione& sessione);

// When the drive-list entry (for example C:\TALVO\) names an existing folder, takes its System.ini
// as the session's FileSysIni, also records it in the patch description (best effort, not in a
// dry run), and returns true: the walk stops there.
bool SegnaInstallazione(Sessione& sessione, const std::string& voce);

// The main window's caption: the release label, one blank and DescrizioneRilevamento.
std::string CaptionSetupPBD(const Sessione& sessione);

// Reads System.ini and the installed release, runs the compatibility checks and fills the area
// table; each failure shows and logs its own message.
EsitoInizializza Inizializza(Sessione& sessione, Desktop& desktop);
// Reads the number of areas and creates an empty area table of that size.
bool DimensionaAree(Sessione& sessione);
// Fills the area table and checks that each area's list file is in the patch.
bool ValorizzaAree(Sessione& sessione, Desktop& desktop);
// True when the file exists; otherwise logs which file the area misses.
bool CheckEsistenzaFile(const Sessione& sessione, const std::string& file, const std::string& nomeArea);

}  // namespace talvo
