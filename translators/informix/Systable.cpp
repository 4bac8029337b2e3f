// The catalogue rule of class Ifmx: the reference catalogue table and its column name become
// Informix's. The first "systable" gains an "s" whatever follows it, so "systables" becomes "systabless".
#include "RegoleInformix.h"

namespace talvo::translators::informix {

Testo TraduciSystable(Vista text) {
  return SostituisciTutti(SostituisciPrimo(text, u"systable", u"systables"), u"table_name", u"tabname");
}

}  // namespace talvo::translators::informix
