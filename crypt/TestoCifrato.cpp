// Bit-string encoding of enciphered strings over the Base64 alphabet.
#include "TestoCifrato.h"

#include <algorithm>

namespace talvo::cifrel {

namespace {

constexpr wchar_t Alfabeto[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

unsigned ValoreDi(wchar_t carattere) {
  if (carattere >= L'A' && carattere <= L'Z') return carattere - L'A';
  if (carattere >= L'a' && carattere <= L'z') return carattere - L'a' + 26;
  if (carattere >= L'0' && carattere <= L'9') return carattere - L'0' + 52;
  if (carattere == L'+') return 62;
  if (carattere == L'/') return 63;
  return 0;
}

}  // namespace

std::wstring EncodeCipherText(const std::vector<std::uint8_t>& payload, bool stretto) {
  const std::size_t lunghezza = payload.size();
  const unsigned c = 2 + static_cast<unsigned>((8 * lunghezza) % 6);
  unsigned somma = 0;
  for (std::uint8_t byte : payload) somma += byte;
  std::uint8_t intestazione = static_cast<std::uint8_t>(somma);
  const std::uint8_t bitLarghezza = static_cast<std::uint8_t>(1u << (7 - c));
  intestazione = stretto ? (intestazione | bitLarghezza) : (intestazione & ~bitLarghezza);

  std::wstring testo;
  testo.reserve(4 * lunghezza / 3 + 1);
  // An accumulator of pending bits, most significant first; the header starts with 8 - c of them.
  std::uint32_t bit = intestazione & ((1u << (8 - c)) - 1);
  unsigned pendenti = 8 - c;
  const auto emetti = [&] {
    while (pendenti >= 6) {
      pendenti -= 6;
      testo.push_back(Alfabeto[(bit >> pendenti) & 0x3F]);
    }
    bit &= (1u << pendenti) - 1;
  };
  emetti();
  for (std::uint8_t byte : payload) {
    bit = (bit << 8) | byte;
    pendenti += 8;
    emetti();
  }
  return testo;
}

TestoDecodificato DecodeCipherText(const std::wstring& testo) {
  TestoDecodificato risultato;
  if (testo.empty()) return risultato;
  risultato.stretto = (ValoreDi(testo[0]) & 0x20) != 0;
  const unsigned scartati = static_cast<unsigned>((6 * testo.size()) % 8);
  risultato.payload.reserve(3 * testo.size() / 4);

  std::uint32_t bit = 0;
  unsigned pendenti = 0;
  unsigned daScartare = scartati;
  for (wchar_t carattere : testo) {
    bit = (bit << 6) | ValoreDi(carattere);
    pendenti += 6;
    if (daScartare > 0) {
      const unsigned n = std::min(daScartare, pendenti);
      pendenti -= n;
      daScartare -= n;
      bit &= (1u << pendenti) - 1;
    }
    if (pendenti >= 8) {
      pendenti -= 8;
      risultato.payload.push_back(static_cast<std::uint8_t>(bit >> pendenti));
      bit &= (1u << pendenti) - 1;
    }
  }
  return risultato;
}

}  // namespace talvo::cifrel
