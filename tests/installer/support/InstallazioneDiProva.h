// A patch folder and a few drive roots under a temporary folder, for the start-up's tests.
//
// How it works: a drive root is a plain folder <temp>\X\ that the fake Machine reports as the
// root of drive X, so installations on several drives need no real drives.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "FileDiProva.h"
#include "core/Machine.h"

namespace talvo::test {

// A patch description with three areas (alunni, biblioteca, opentalvo), release 2013/2 accepting
// 2013/1 and later, log TalvoProva.log, OpenTalvo installed by the patch.
extern const char* const SetupPBDStandard;

class InstallazioneDiProva {
 public:
  InstallazioneDiProva();

  // The patch folder as the platform gives a program's folder (no trailing backslash).
  std::string CartellaPatch() const { return cartella_ / "patch"; }
  std::string Patch(const std::string& nome) const { return CartellaPatch() + "\\" + nome; }
  // The folder standing for the root of drive X, with its trailing backslash.
  std::string Radice(char lettera) const { return cartella_ / std::string(1, lettera) + "\\"; }

  // Writes a file, creating its folders.
  static void Scrivi(const std::string& percorso, const std::string& testo);
  static void CreaCartella(const std::string& percorso);

  // The standard patch: SetupPBD.ini (or the given text), the three area lists and OTV.ini.
  void CreaPatch(const std::string& setupPBD = SetupPBDStandard);
  // The seven fixed lists of the patch, empty.
  void CreaListeFisse();
  // X:\TALVO\ with SYS\System.ini holding the release (none when empty) and the APP folder.
  void CreaTalvo(char lettera, const std::string& appVer = "2013/1");
  // The area program <suffix>.exe in X:\TALVO\APP\<last three letters>\PRG\BIN\.
  void CreaProgrammaArea(char lettera, const std::string& suffisso);
  // <root>OpenTalvo\ with BIN\ver.ini holding the release (no ver.ini when empty) and
  // BIN\OpenTalvo.exe. The installer names the OpenTalvo folder by drive letter alone, so tests
  // that need it found put it on the real C:\.
  static void CreaOpenTalvo(const std::string& radice, const std::string& release = "2.3.10");

  // Drive list for the fake Machine.
  std::vector<std::pair<std::string, TipoDisco>> Dischi(
      const std::vector<std::pair<char, TipoDisco>>& dischi) const;

 private:
  CartellaTemporanea cartella_;
};

// The lines of the installer log with their date-and-time prefix taken off: "Funzione: ..." for
// the lines of ScriviLog, and "Inizio : <name>" for the first line. A prefix that does not look
// like a date and time fails the test.
std::vector<std::string> RigheLog(const std::string& percorso);

}  // namespace talvo::test
