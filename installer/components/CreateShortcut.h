// The Start-menu shortcut of the check program.
#pragma once

#include <string>

namespace talvo {

// The folder "TALVO CHECK" in the current user's Start-menu Programs folder, or in the one of all
// users (the system account's own Start menu is seen by nobody).
std::string CartellaCollegamentoCheck(bool tuttiGliUtenti);

// Creates or replaces "TALVO CHECK.lnk" in CartellaCollegamentoCheck(), creating the folder when
// missing: description "TALVO CHECK", target and icon the program Talvocheck.exe in pathexe,
// working folder pathexe (each path trimmed, one backslash between folder and name). Every step that fails is
// skipped and the next one runs.
void CreateShortcut(const std::string& pathexe, bool tuttiGliUtenti);

}  // namespace talvo
