// Numbers read from texts the way the installer has always read them: Val's leading number, and
// whole numbers rounded half to even.
#pragma once

#include <cstdint>
#include <string>

namespace talvo {

// The leading decimal number of the text: blanks are skipped, then an optional sign, then the
// longest run of digits with at most one decimal point; a text with no leading digits is 0.
double Val(const std::string& testo);

// The value rounded to a whole 32-bit number, halves to the even one. Overflow (6) when outside.
std::int32_t ArrotondaLong(double valore);

// A text that holds a number, with blanks around it allowed, rounded to a 16-bit whole number,
// halves to the even one. Type mismatch (13) when it is not a number, overflow (6) when outside.
std::int16_t InteroDaTesto(const std::string& testo);

// The number in decimal, without fraction digits when it is whole (201302, 2013.5).
std::string TestoNumero(double valore);

}  // namespace talvo
