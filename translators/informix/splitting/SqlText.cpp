// Number and value texts of the splitter's statements and reports.
#include "SqlText.h"

#include <charconv>
#include <cmath>

namespace talvo::translators::informix {
namespace {

std::u16string Widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

}  // namespace

std::u16string DecimalText(std::int64_t number) { return Widen(std::to_string(number)); }

std::u16string NumberText(std::int64_t number) {
  std::u16string digits = DecimalText(number);
  return number < 0 ? digits : u" " + digits;
}

std::u16string NumberText(double number) {
  if (std::isfinite(number) && number == std::trunc(number) && std::fabs(number) < 1e15) {
    return NumberText(static_cast<std::int64_t>(number));
  }
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number);
  std::u16string digits = ec == std::errc() ? Widen(std::string_view(buffer, end - buffer)) : u"0";
  return number < 0 ? digits : u" " + digits;
}

std::u16string QuotedValue(std::u16string_view value) {
  std::u16string quoted = u"'";
  for (char16_t c : value) {
    quoted += c;
    if (c == u'\'') quoted += u'\'';
  }
  return quoted + u"'";
}

std::u16string ConditionOn(std::u16string_view column, std::u16string_view oldValue) {
  return std::u16string(column) + u"=" + QuotedValue(oldValue);
}

std::u16string RowidRange(std::int32_t lo, std::int32_t hi) {
  return u" WHERE rowid >= " + NumberText(std::int64_t{lo}) + u" AND rowid <= " +
         NumberText(std::int64_t{hi});
}

}  // namespace talvo::translators::informix
