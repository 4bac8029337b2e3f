// Text primitives the translation rules are written with: UTF-16 text, positions counted from 1,
// searches that respect case unless named otherwise, and the run-time errors of their misuse
// (5 for a negative length or a start before the first character, 6 for a position that does not
// fit in 16 bits). No Windows header, so the rules build and run on any platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "errors/RunTimeErrors.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace talvo::translators {

using Testo = std::u16string;
using Vista = std::u16string_view;

// The largest position or length the rules hold (a 16-bit signed value).
constexpr long long kPosizioneMassima = 32767;

// Throws the run-time error of that number; out of line, so that the small helpers below that
// raise it stay small enough to be inlined where the rules call them.
[[noreturn]] void ErroreRuntime(int number);

// The value itself when it fits in 16 bits; run-time error 6 (overflow) otherwise.
inline int Posizione16(long long value) {
  if (value > kPosizioneMassima || value < -kPosizioneMassima - 1) ErroreRuntime(errors::Number::Overflow);
  return static_cast<int>(value);
}

// Position (from 1) of the first needle at or after start, 0 when there is none. A start past the
// end finds nothing; an empty needle is found at start.
std::size_t Trova(Vista text, Vista needle, std::size_t start = 1);

// The characters from start (from 1) for length characters, or to the end; fewer at the end.
Testo Mid(Vista text, long long start, long long length);
Testo Mid(Vista text, long long start);
// The first n characters.
Testo Left(Vista text, long long n);
// Mid as a view into text: the same arguments, errors and characters, without a copy.
inline Vista MidVista(Vista text, long long start, long long length) {
  if (start < 1 || length < 0) ErroreRuntime(errors::Number::InvalidCall);
  if (static_cast<unsigned long long>(start) > text.size()) return {};
  return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length));
}
inline Vista MidVista(Vista text, long long start) {
  if (start < 1) ErroreRuntime(errors::Number::InvalidCall);
  if (static_cast<unsigned long long>(start) > text.size()) return {};
  return text.substr(static_cast<std::size_t>(start - 1));
}

// Whether two texts are the same, character for character. The texts compared are mostly the
// rules' short keywords, which a loop in place compares faster than a call to the library.
inline bool Uguali(Vista a, Vista b) noexcept {
  if (a.size() != b.size()) return false;
  if (a.size() > 16) return std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}
// Whether needle stands in text at offset i (from 0).
inline bool Contiene(Vista text, std::size_t i, Vista needle) noexcept {
  return i <= text.size() && text.size() - i >= needle.size() &&
         Uguali(text.substr(i, needle.size()), needle);
}

namespace detail {

// The first of the eight-character blocks from p on that holds one of the n characters, or the
// place where fewer than eight characters are left. Vectors are written outside the template
// below, and every scalar mixed with them has their element type: Clang 14 fails otherwise.
inline const char16_t* PrimoBlocco(const char16_t* p, const char16_t* end, const char16_t* caratteri,
                                   std::size_t n) noexcept {
#if defined(__GNUC__)
  using Blocco = std::uint16_t __attribute__((vector_size(16)));
  using Esito = std::int16_t __attribute__((vector_size(16)));
  for (; end - p >= 8; p += 8) {
    Blocco blocco;
    std::memcpy(&blocco, p, sizeof blocco);
    Esito uguali = {};
    for (std::size_t k = 0; k < n; ++k) {
      const Blocco carattere = Blocco{} + static_cast<std::uint16_t>(caratteri[k]);  // in every lane
      uguali |= static_cast<Esito>(blocco == carattere);
    }
    std::uint64_t meta[2];
    std::memcpy(meta, &uguali, sizeof meta);
    if ((meta[0] | meta[1]) != 0) return p;
  }
#else
  (void)end, (void)caratteri, (void)n;
#endif
  return p;
}

}  // namespace detail

// A small set of ASCII characters a pass over a text stops at. Every other character is passed
// over eight at a time where the compiler has vectors (GCC and Clang), which is most of the cost
// of reading a statement; one at a time elsewhere, in the block that holds one, and at the end.
template <std::size_t N>
class Segni {
 public:
  constexpr explicit Segni(const char16_t (&caratteri)[N]) {
    for (std::size_t k = 0; k < N; ++k) {
      caratteri_[k] = caratteri[k];
      ascii_[caratteri[k]] = true;
    }
  }

  // The first character from p on (before end) that is in the set, or end.
  const char16_t* Prossimo(const char16_t* p, const char16_t* end) const noexcept {
#if defined(__SSE2__)
    // The block's matches as a bit mask, so that the first of them is found without a second look
    // at the block's characters one at a time.
    for (; end - p >= 8; p += 8) {
      const __m128i blocco = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      __m128i uguali = _mm_setzero_si128();
      for (std::size_t k = 0; k < N; ++k) {
        uguali =
            _mm_or_si128(uguali, _mm_cmpeq_epi16(blocco, _mm_set1_epi16(static_cast<short>(caratteri_[k]))));
      }
      const unsigned maschera = static_cast<unsigned>(_mm_movemask_epi8(uguali));
      if (maschera != 0) return p + __builtin_ctz(maschera) / 2;
    }
#else
    p = detail::PrimoBlocco(p, end, caratteri_, N);
#endif
    for (; p != end; ++p) {
      if (*p < 128 && ascii_[*p]) return p;
    }
    return end;
  }

 private:
  char16_t caratteri_[N] = {};
  bool ascii_[128] = {};
};

// Upper case for the letters of code page 1252, the application's own (ASCII, Latin-1, Ÿ Š Ž Œ);
// other characters are kept as they are.
inline char16_t Maiuscola(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c < 0xE0) return c;
  // Latin-1 lower-case letters, except the division sign and ÿ (whose capital lies elsewhere).
  if (c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  // The other lower-case letters of code page 1252, the application's own: ÿ š ž œ.
  switch (c) {
    case 0xFF: return 0x178;
    case 0x161: return 0x160;
    case 0x17E: return 0x17D;
    case 0x153: return 0x152;
    default: return c;
  }
}
Testo Maiuscolo(Vista text);

// Every non-overlapping needle, from the left, replaced once (the result is not searched again).
Testo SostituisciTutti(Vista text, Vista needle, Vista replacement);
// Only the first needle replaced.
Testo SostituisciPrimo(Vista text, Vista needle, Vista replacement);
// The same, with the needle compared without regard to case.
Testo SostituisciTuttiSenzaMaiuscole(Vista text, Vista needle, Vista replacement);
Testo SostituisciPrimoSenzaMaiuscole(Vista text, Vista needle, Vista replacement);

// Whether text begins with prefix, compared without regard to case.
bool IniziaSenzaMaiuscole(Vista text, Vista prefix);

}  // namespace talvo::translators
