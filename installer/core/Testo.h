// Small text helpers with the installer's own meaning of "blank".
#pragma once

#include <string>

namespace talvo {

// Removes leading and trailing blanks (spaces only, as the installer has always trimmed).
std::string Trim(const std::string& testo);

// The folder path with blanks trimmed and exactly one trailing backslash.
std::string ConBarraFinale(const std::string& cartella);

}  // namespace talvo
