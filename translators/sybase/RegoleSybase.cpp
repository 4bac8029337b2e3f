// The rules of class Syb.
#include "RegoleSybase.h"

namespace talvo::translators::sybase {

Testo Traduci(Vista strquery, Vista tipoQuery) {
  return tipoQuery == u"SELECT" ? TraduciSystable(strquery) : Testo(strquery);
}

Testo TraduciSystable(Vista text) {
  if (Trova(text, u"systable") == 0) return Testo(text);
  Testo result = SostituisciTuttiSenzaMaiuscole(text, u"systable", u" systable, sysusers ");
  result = SostituisciTuttiSenzaMaiuscole(result, u"WHERE", u"WHERE creator = uid AND ");
  return SostituisciPrimoSenzaMaiuscole(result, u"table_name", u" name||'.'||table_name ");
}

Testo FormattaData(Vista campoData) {
  if (campoData == u"00/00/0000" || campoData == u"0000-00-00") return u"null";
  return Testo(campoData);
}

std::int32_t TraduciErr(std::int32_t numErrore) { return numErrore; }

}  // namespace talvo::translators::sybase
