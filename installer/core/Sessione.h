// The installer's state for one run: what the load sequence finds, the patch description, the
// installation that was found, the area table and the OpenTalvo fields. The program creates one
// session and hands it by reference to every procedure that reads or writes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace talvo {

// The program's title, used by every message box that names no title of its own.
inline constexpr const char* TitoloProgramma = "SetupTalvo";

// One functional area of the patch, shown in row CodiceArea of the main window.
struct Area {
  std::uint8_t CodiceArea = 0;  // the area's index in the table
  std::string NomeArea;         // in lower case, for example "opentalvo"
  std::string DirectoryArea;    // folder of the area in the patch, trailing backslash
  std::string ListaScriptArea;  // file name of the area's list file
  std::string SuffissoArea;     // program name of the area
};

// One file the update run's area step wrote into the installation, and what the run did to the
// file that stood there, so that a failed run puts back exactly what it changed.
struct FileSovrascritto {
  std::string Backup;          // the destination followed by ".old"
  int Area = 0;                // the area whose list named it
  bool EsistevaPrima = false;  // a file (hidden ones too) stood at the destination before the run
  bool Rinominato = false;     // this run renamed that file to Backup
  bool CopiaIniziata = false;  // this run started copying over the destination

  // The destination: Backup without ".old".
  std::string Destinazione() const { return Backup.substr(0, Backup.size() - 4); }
};

// What the load sequence finds out and its later steps use.
struct DatiAvvio {
  std::string ReleasePatch;  // NUOVAVERSIONE Versione, cut at its vertical bar
  std::string CartellaWindows;
  std::string NomeUtente;
  bool Amministratore = false;
  std::string DriveTalvo;      // root of the first fixed drive holding TALVO\APP, or empty
  std::string PercorsoWinDir;  // the system folder with a trailing backslash
};

struct Sessione {
  // File name of the installer log; the log itself is "c:\" followed by it. Empty while no log
  // has been opened.
  std::string NomeFileLog;
  // Folder of the running installer (the patch folder), always ending with a backslash.
  std::string PercorsoPatch;
  // Full path of TALVO's SYS\System.ini in the installation that was found; empty while none was.
  std::string FileSysIni;
  // Installed TALVO release, cut before its first vertical bar.
  std::string VersioneInstallata;
  // Release of the patch.
  std::string NuovaVersione;

  DatiAvvio Avvio;

  // A dry run: the installer reads the patch and the installation and reports what an update
  // would do, and changes no file apart from its log.
  bool SoloVerifica = false;

  // The installation root the person has selected, for example C:\TALVO\; empty when none is.
  std::string RadiceInstallazione;

  // How many areas the patch updates; 0 until the patch description is read. The table may hold
  // more entries than this when a later reading failed half-way.
  std::int16_t NumeroAree = 0;
  std::vector<Area> Aree;

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

  // The files the current update run's area step wrote, in order; emptied when a run starts.
  std::vector<FileSovrascritto> FileSovrascritti;
  // Files the current update run copied or renamed, fixed lists and areas; 0 when a run starts.
  int FileModificati = 0;

  // The patch description, PercorsoPatch followed by "SetupPBD.ini".
  std::string FileSetupPBD() const { return PercorsoPatch + "SetupPBD.ini"; }
  // The installer log, "c:\" followed by NomeFileLog.
  std::string PercorsoLog() const { return "c:\\" + NomeFileLog; }

  // Re-creates an empty area table for n areas (none when n is not above 0).
  void DimensionaTabellaAree(std::int16_t n);
  // Area i of the table; an index outside it is run-time error 9.
  const Area& AreaN(int i) const;
};

}  // namespace talvo
