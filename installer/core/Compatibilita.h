// Whether the patch fits the installed releases: OpenTalvo found and read at load, and the
// release ranges compared at each activation.
#pragma once

namespace talvo {

class Desktop;
class Machine;
struct StatoSetupPBD;

// Looks for an OpenTalvo folder in the root of the fixed drives; sets OTVTrovato and DriveOpenTalvo.
void TrovaOpenTalvo(Desktop& desktop, Machine& machine, StatoSetupPBD& stato);

// The load step for OpenTalvo: whether the patch installs it, where it is, its installed release
// and the range the patch accepts (OTV.ini).
void LeggiReleaseOpenTalvo(Desktop& desktop, Machine& machine, StatoSetupPBD& stato);

// True when the installed TALVO release, and the installed OpenTalvo release when the patch
// installs OpenTalvo, lie in the ranges the patch accepts (bounds included). Sets
// VersioneInstallata (cut at its vertical bar) and NuovaVersione.
bool VerificaCompatibilita(Desktop& desktop, StatoSetupPBD& stato);

}  // namespace talvo
