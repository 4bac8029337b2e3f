// The operating-system queries of the start-up, over the Machine port.
#pragma once

#include <string>

namespace talvo {

class Machine;

// The system folder of Windows without a trailing backslash; empty when the platform gives none.
std::string GetWindowsSystemDirectory(Machine& machine);
// The Windows folder without a trailing backslash.
std::string sWinDir(Machine& machine);
// The logged-on user's name; empty when the platform cannot give it.
std::string Get_User_Name(Machine& machine);
bool IsUserAnAdministrator(Machine& machine);

// The root (for example C:\) of the first fixed drive, in the platform's order, on which the
// folder relative to the root exists; empty when there is none.
std::string DriveInstallazione(Machine& machine, const std::string& cartellaRelativa);

}  // namespace talvo
