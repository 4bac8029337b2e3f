// Text primitives the translation rules are written with: UTF-16 text, positions counted from 1,
// searches that respect case unless named otherwise, and the run-time errors of their misuse
// (5 for a negative length or a start before the first character, 6 for a position that does not
// fit in 16 bits). No Windows header, so the rules build and run on any platform.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace talvo::translators {

using Testo = std::u16string;
using Vista = std::u16string_view;

// The largest position or length the rules hold (a 16-bit signed value).
constexpr long long kPosizioneMassima = 32767;

// The value itself when it fits in 16 bits; run-time error 6 (overflow) otherwise.
int Posizione16(long long value);

// Position (from 1) of the first needle at or after start, 0 when there is none. A start past the
// end finds nothing; an empty needle is found at start.
std::size_t Trova(Vista text, Vista needle, std::size_t start = 1);

// The characters from start (from 1) for length characters, or to the end; fewer at the end.
Testo Mid(Vista text, long long start, long long length);
Testo Mid(Vista text, long long start);
// The first n characters.
Testo Left(Vista text, long long n);
// Mid as a view into text: the same arguments, errors and characters, without a copy.
Vista MidVista(Vista text, long long start, long long length);
Vista MidVista(Vista text, long long start);

// Upper case for the letters of code page 1252, the application's own (ASCII, Latin-1, Ÿ Š Ž Œ);
// other characters are kept as they are.
char16_t Maiuscola(char16_t c);
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
