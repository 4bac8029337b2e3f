// How numbers and values enter the splitter's SQL texts and reports: numbers in decimal with
// one leading blank when not negative, values between apostrophes with inner apostrophes doubled.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace talvo::translators::informix {

// " 257", "-239": the blank stands where a minus sign would.
std::u16string NumberText(std::int64_t number);
// The same for a report's number; a value with a fraction keeps it (" 1.5").
std::u16string NumberText(double number);

// "257", "-239": plain decimal.
std::u16string DecimalText(std::int64_t number);

// 'D''Angelo' for D'Angelo.
std::u16string QuotedValue(std::u16string_view value);

// The condition of an update: the column, "=", the old value quoted.
std::u16string ConditionOn(std::u16string_view column, std::u16string_view oldValue);

// " WHERE rowid >= <lo> AND rowid <= <hi>", the bounds of one piece.
std::u16string RowidRange(std::int32_t lo, std::int32_t hi);

}  // namespace talvo::translators::informix
