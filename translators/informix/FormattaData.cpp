// Date literals for Informix: the zero date, a year expression joined to a month-day text, and a
// plain ISO date (with whatever follows its tenth character) in day/month/year order.
#include "RegoleInformix.h"

namespace talvo::translators::informix {

Testo FormattaData(Vista campoData) {
  if (campoData == u"0000-00-00" || campoData == u"00/00/0000") return u"00/00/0000";
  if (const std::size_t p = Trova(campoData, u"||"); p != 0) {
    const Testo l = Left(campoData, static_cast<long long>(p) - 1);
    const Testo r = Mid(campoData, static_cast<long long>(p) + 2);
    return u"'" + Mid(r, 6, 2) + u"/" + Mid(r, 3, 2) + u"/'" + u"||" + l;
  }
  const int lunghezza = Posizione16(static_cast<long long>(campoData.size()));
  Testo result = Mid(campoData, 9, 2) + u"/" + Mid(campoData, 6, 2) + u"/" + Left(campoData, 4);
  if (lunghezza > 10) result += Mid(campoData, 11);
  return result;
}

}  // namespace talvo::translators::informix
