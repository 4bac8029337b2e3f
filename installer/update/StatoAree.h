// Which areas of the patch are installed under the chosen installation root, shown in the rows.
#pragma once

#include <cstdint>
#include <string>

namespace talvo {

struct ModelloSetupPBD;
struct StatoSetupPBD;

// Sets the status of row i for each area i of the patch. A patch with more areas than the window
// has rows ends the pass with run-time error 9 after the last row.
void VerificaStatoAree(ModelloSetupPBD& modello, const StatoSetupPBD& stato);

// The folder, with trailing backslash, that holds area n's program under the selected root (or
// in the OpenTalvo folder for the OpenTalvo area); empty when the program is not there.
std::string TrovaPathAppInstallate(const ModelloSetupPBD& modello, const StatoSetupPBD& stato,
                                   std::int16_t n);

}  // namespace talvo
