// The printable form of an enciphered string: a header byte (checksum and width flag) and the
// payload, as one bit string written over the Base64 alphabet with no padding.
//
// How it works: for a payload of L bytes, c = 2 + (8L mod 6) leading bits of the header are
// dropped so that the rest is a whole number of 6-bit groups; the first group's top bit is then
// the width flag (1 = narrow). Decoding drops the (6D mod 8) leading bits of D groups, which are
// exactly the header's remaining bits, and keeps the payload.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace talvo::cifrel {

// A payload of at least one byte as floor(4L/3) + 1 characters of the alphabet.
std::wstring EncodeCipherText(const std::vector<std::uint8_t>& payload, bool stretto);

struct TestoDecodificato {
  bool stretto = false;
  std::vector<std::uint8_t> payload;  // floor(3D/4) bytes
};

// The payload and width flag of a text; characters outside the alphabet count as 0.
TestoDecodificato DecodeCipherText(const std::wstring& testo);

}  // namespace talvo::cifrel
