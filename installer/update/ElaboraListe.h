// The seven fixed file lists that every update run works through before the areas.
#pragma once

#include <string>

namespace talvo {

class Desktop;
struct Sessione;

// Works through ATT, BAR, CNV, SEC, SQL, EXT and RIN in that order under the installation root
// (with its trailing backslash). False at the first failure: a list missing from the patch or a
// non-blank line without "|" (no message of its own), or a line RinomiaeCopia could not do.
bool ElaboraListe(Sessione& sessione, Desktop& desktop, const std::string& radice);

}  // namespace talvo
