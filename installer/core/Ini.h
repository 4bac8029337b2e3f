// INI file access through the platform's private-profile functions.
#pragma once

#include <string>

namespace talvo {

// The value that stands for a missing file, section or key.
inline constexpr const char* ValoreMancante = "Errore";

// The key's value without leading and trailing blanks, at most 127 characters; "Errore" when
// the file, the section or the key is missing.
std::string LeggiIni(const std::string& file, const std::string& sezione, const std::string& chiave);

// Writes the key, creating file, section or key as needed; an empty value leaves an empty key.
void ScriviIni(const std::string& file, const std::string& sezione, const std::string& chiave,
               const std::string& valore);

}  // namespace talvo
