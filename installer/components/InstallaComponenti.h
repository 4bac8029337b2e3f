// The component installation of the start-up: the parts of the patch that belong to no area.
#pragma once

namespace talvo {

class Desktop;
class Machine;
struct Sessione;

// Runs the eight steps in order, each optional one only when its key of section "INSTALLA" of
// SetupPBD.ini reads exactly "SI": the libraries (DLL), the examinations folder, the check program
// (CHECKTALVO), the server component (CORVANE), its Java runtime (JAVAxTALVO), the enrolment
// folder, the print component inside OpenTalvo (PLUMANE, only when OpenTalvo was found) and 7-Zip
// (7zipxTALVO). The payload folders are taken from the patch folder, PercorsoPatch, wherever the
// program was started from. A step that copies nothing shows its error box and the next step
// runs; nothing here stops the start-up. False when any step showed its error box.
bool InstallaComponenti(const Sessione& sessione, Desktop& desktop, Machine& machine);

}  // namespace talvo
