// Which areas of the patch are installed under the selected installation root.
#pragma once

#include <cstdint>
#include <string>

namespace talvo {

struct Sessione;

// What the main window shows of an area. The update run adds the states of its own.
enum class StatoArea {
  NonInstallata,  // the area's program is not under the installation root
  Installata,     // it is: the area will be updated
  NonPrevista,    // OpenTalvo is installed, but this patch does not update it
};

// The status of area n of the patch under the session's installation root.
StatoArea VerificaStatoArea(const Sessione& sessione, std::int16_t n);

// The folder, with trailing backslash, that holds area n's program under the installation root
// (or in the OpenTalvo folder for the OpenTalvo area); empty when the program is not there.
std::string TrovaPathAppInstallate(const Sessione& sessione, std::int16_t n);

}  // namespace talvo
