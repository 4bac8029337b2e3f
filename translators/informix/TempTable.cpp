// The temporary-table rule: CREATE GLOBAL TEMPORARY TABLE becomes CREATE TEMP TABLE, in upper
// case throughout. "GLOBAL" goes wherever it stands, inside names too.
#include "RegoleInformix.h"

namespace talvo::translators::informix {

Testo TraduciTempTable(Vista statement) {
  Testo result(statement);
  while (Trova(Maiuscolo(result), u"TEMPORARY") != 0) {
    result = SostituisciTutti(Maiuscolo(result), u"GLOBAL", u"");
    result = SostituisciTutti(Maiuscolo(result), u"TEMPORARY", u"TEMP");
  }
  return result;
}

}  // namespace talvo::translators::informix
