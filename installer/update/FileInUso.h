// Whether another program holds a file open so that it cannot be renamed or deleted, and which
// programs those are when the platform can tell.
#pragma once

#include <string>

namespace talvo {

// True when the file is open in another program that does not share deleting: opening it for
// DELETE access with every sharing allowed is refused with a sharing violation, as its rename
// would be. A missing file is not held.
bool FileTrattenuto(const std::string& percorso);

// The names of the programs that hold the file, as the Restart Manager reports them, joined by
// ", "; empty when it names none (or is not available).
std::string ProgrammiCheTrattengono(const std::string& percorso);

}  // namespace talvo
