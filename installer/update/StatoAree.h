// The status of each area of the patch: installed or not under the selected installation root,
// then what the update run did with it.
#pragma once

#include <cstdint>
#include <string>

namespace talvo {

struct Sessione;

enum class StatoArea {
  NonInstallata,       // the area's program is not under the installation root
  Installata,          // it is: the area will be updated
  NonPrevista,         // OpenTalvo is installed, but this patch does not update it
  InCorso,             // the run is working through the area's list
  SenzaAggiornamenti,  // the area's list had no line
  Aggiornata,          // every line of the area's list was copied
  Ripristinata,        // the run failed and put back what it had copied for the area
};

// The text the installer shows and logs for a status.
const char* TestoStatoArea(StatoArea stato);

// Whether a run works through the list of an area whose row shows this status when its turn
// comes: every area but those not installed and those the patch does not update.
bool AreaDaAggiornare(StatoArea stato);

// The status of area n of the patch under the session's installation root.
StatoArea VerificaStatoArea(const Sessione& sessione, std::int16_t n);

// The folder, with trailing backslash, that holds area n's program under the installation root
// (or in the OpenTalvo folder for the OpenTalvo area); empty when the program is not there.
std::string TrovaPathAppInstallate(const Sessione& sessione, std::int16_t n);
// The same under the given installation root.
std::string TrovaPathAppInstallate(const Sessione& sessione, const std::string& radice, std::int16_t n);

}  // namespace talvo
