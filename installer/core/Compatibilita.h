// Whether the patch fits the installed releases: OpenTalvo found and read at load, and the
// release ranges compared at each activation.
#pragma once

namespace talvo {

class Desktop;
class Machine;
struct Sessione;

// Looks for an OpenTalvo folder in the root of the fixed drives; sets OTVTrovato and DriveOpenTalvo.
void TrovaOpenTalvo(Sessione& sessione, Desktop& desktop, Machine& machine);

// The load step for OpenTalvo: whether the patch installs it, where it is, its installed release
// and the range the patch accepts (OTV.ini). Each log line is written or skipped on its own: a
// log that cannot be written does not stop the reading.
void LeggiReleaseOpenTalvo(Sessione& sessione, Desktop& desktop, Machine& machine);

// True when the installed TALVO release, and the installed OpenTalvo release when the patch
// installs OpenTalvo, lie in the ranges the patch accepts (bounds included). Sets
// VersioneInstallata (cut at its vertical bar) and NuovaVersione.
bool VerificaCompatibilita(Sessione& sessione, Desktop& desktop);

}  // namespace talvo
