// Reading the patch description when the main window is activated: the installation and its
// System.ini, the compatibility checks, the number of areas and the area table.
#pragma once

#include <string>

namespace talvo {

struct FinestraSetupPBD;

// True when the installation was found, the checks passed and the area table is complete; each
// failure shows and logs its own message.
bool Inizializza(FinestraSetupPBD& finestra);
// Reads the number of areas and creates an empty area table of that size.
bool DimensionaAree(FinestraSetupPBD& finestra);
// Fills the area table and checks that each area's list file is in the patch.
bool ValorizzaAree(FinestraSetupPBD& finestra);
// True when the file exists; otherwise logs which file the area misses.
bool CheckEsistenzaFile(const std::string& file, const std::string& nomeArea);

}  // namespace talvo
