// Reading single registry values as text; every problem reads as an empty text.
#pragma once

#include <windows.h>

#include <string>

namespace talvo {

// Opens the sub-key under a predefined root, reads the value, closes the key.
std::string LeggiRegistro(HKEY radice, const std::string& sottochiave, const std::string& nomeValore);

// A string value up to its first NUL (the whole data when it holds none); a binary value as the
// signed decimal of the low 16 bits of its first four bytes; anything else as an empty text.
std::string LeggiValoreRegistro(HKEY chiave, const std::string& nomeValore);

}  // namespace talvo
