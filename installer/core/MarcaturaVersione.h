// The release marker file sys\vtrcntrl.ini that a complete update run leaves in the installation.
#pragma once

#include <optional>
#include <string>

namespace talvo {

struct Sessione;

// The number the first four characters of a release form (2013 for "2013/2"); nothing when they
// are not four decimal digits.
std::optional<int> AnnoRelease(const std::string& release);

// True when the release is recorded in the installation: its first four characters are four
// digits forming a number below 2099 (from 2099 on the releases are special editions).
bool ReleaseDaRegistrare(const std::string& release);

// Writes the patch release, cut at its vertical bar, as the only line of <radice>sys\vtrcntrl.ini
// when it is to be recorded. Failures are ignored: the marker is a courtesy to other tools.
void ScriviMarcaturaVersione(const Sessione& sessione, const std::string& radice);

}  // namespace talvo
