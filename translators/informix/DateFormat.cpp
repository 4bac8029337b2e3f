// The DATEFORMAT rule: each DATEFORMAT(date,format) call becomes a year-to-month EXTEND of the
// date. Both the part before and the part after a call come from the upper-case text, so once
// the rule fires the whole statement is upper case, string literals included.
#include "RegoleInformix.h"
#include "com/RunTimeError.h"

namespace talvo::translators::informix {

Testo TraduciDateFormat(Vista text) {
  Testo corrente(text);
  std::size_t da = 1;  // no DATEFORMAT stands before the last call rewritten
  for (;;) {
    const Testo u = Maiuscolo(corrente);
    const int a = Posizione16(static_cast<long long>(Trova(u, u"DATEFORMAT", da)));
    if (a == 0) break;
    const int r = Posizione16(static_cast<long long>(Trova(u, u")", static_cast<std::size_t>(a))));
    const int o = Posizione16(static_cast<long long>(Trova(u, u"(", static_cast<std::size_t>(a))));
    const int c = Posizione16(static_cast<long long>(Trova(u, u",", static_cast<std::size_t>(a))));
    // Without a ")" the call has no end, and the text after it would be the whole statement.
    if (r == 0) throw com::RunTimeError(com::RunTimeNumber::InvalidCall);
    const Testo argomento = Mid(u, o + 1, c - o - 1);
    corrente = Left(u, a - 1) + u"EXTEND(DATE(" + argomento + u")," + u"YEAR TO MONTH)" + Mid(u, r + 1);
    da = static_cast<std::size_t>(a);
  }
  return corrente;
}

}  // namespace talvo::translators::informix
