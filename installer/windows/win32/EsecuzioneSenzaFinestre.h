// The installer with nobody at the screen: the same load, activation and update handlers as with
// windows, driven in the order a person would trigger them, through the quiet Desktop.
#pragma once

#include <string>

#include "windows/logic/CodiceUscita.h"

namespace talvo::finestre {

class Console;

// Runs the load and the activation and then, when "&Aggiorna" would be enabled, the update run.
// soloVerifica: a dry run instead, which installs no component, plays back no journal and
// changes no file but its log; its report goes to standard output too. Returns the exit code; a
// failure when anything asked for a window.
CodiceUscita EseguiSenzaFinestre(const std::string& cartellaProgramma, bool soloVerifica, Console& console);

}  // namespace talvo::finestre
