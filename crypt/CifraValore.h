// Encryption and decryption of single automation values with the object's key.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "Chiave.h"
#include "CifraFile.h"

namespace talvo::cifrel {

// The bytes of a value that can be enciphered, with what is needed to rebuild a value of its type.
struct Immagine {
  VARTYPE tipo = VT_EMPTY;  // the value's type without the by-reference mark
  std::vector<std::uint8_t> byte;
  LONG limiteInferiore = 0;  // of a byte array
};

// The byte image of a value; a reference to a variant is followed to the variant it references.
// No image for types that have none (and for a null string).
std::optional<Immagine> VariantToBytes(const VARIANT& valore);

// A new value, held directly in *risultato, of the image's type with the image's bytes.
HRESULT BytesToVariant(const Immagine& immagine, VARIANT* risultato);

// The common frame of Encrypt and Decrypt: *risultato receives the new value or an error result.
void CifraValore(Chiave& chiave, const VARIANT* valore, VARIANT* risultato, Direzione direzione);

}  // namespace talvo::cifrel
