// Process-wide state of the installer: the variables every procedure may read, all empty at start.
#pragma once

#include <string>

namespace talvo {

// The program's title, used by every message box that names no title of its own.
inline constexpr const char* TitoloProgramma = "SetupTalvo";

namespace Globale {
// File name of the installer log; the log itself is "c:\" followed by it.
inline std::string NomeFileLog;
// Folder of the running installer (the patch folder), always ending with a backslash.
inline std::string PercorsoPatch;
// Full path of TALVO's SYS\System.ini in the installation that was found.
inline std::string FileSysIni;
// Installed TALVO release, cut before its first vertical bar.
inline std::string VersioneInstallata;
// Release of the patch.
inline std::string NuovaVersione;

// The patch description, PercorsoPatch followed by "SetupPBD.ini".
std::string FileSetupPBD();

// Back to the state of a program that has just started.
void Azzera();
}  // namespace Globale

}  // namespace talvo
