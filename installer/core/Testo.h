// Small text helpers with the installer's own meaning of "blank".
#pragma once

#include <string>

namespace talvo {

// Removes leading and trailing blanks (spaces only, as the installer has always trimmed).
std::string Trim(const std::string& testo);

// The folder path with blanks trimmed and exactly one trailing backslash.
std::string ConBarraFinale(const std::string& cartella);
// The path without its trailing backslashes; a lone backslash stays.
std::string SenzaBarraFinale(std::string percorso);

// The text in lower or upper case, letters of the ANSI code page included.
std::string Minuscolo(const std::string& testo);
std::string Maiuscolo(const std::string& testo);

// The folder of a path, up to and including its last backslash; empty when it has none.
std::string CartellaDi(const std::string& percorso);

// The part before the first vertical bar; the whole text when it holds none.
std::string PrimaDellaBarra(const std::string& testo);

}  // namespace talvo
