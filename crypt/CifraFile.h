// Whole-file encryption and decryption with the object's RC4 key.
#pragma once

#include <string>

#include "Chiave.h"
#include "CifEncryptError.h"
#include "Condotta.h"

namespace talvo::cifrel {

enum class Direzione { Cifra, Decifra };

// The pipeline's blocks: large enough that the calls cost little against the cipher's own work,
// few enough that the memory stays small.
constexpr Misure kMisureFile{1u << 20, 3};

// Turns the input file into the output file, same length, no header. The key is derived anew from
// the password; the caller has checked that the password is not empty.
Esito CifraFile(Chiave& chiave, const std::wstring& password, const wchar_t* input, const wchar_t* output,
                Direzione direzione, Misure misure = kMisureFile);

}  // namespace talvo::cifrel
