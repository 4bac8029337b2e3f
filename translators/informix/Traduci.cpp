// Query dispatch of class Ifmx: the statement's first word, when it is SELECT or CREATE in any
// case, decides the kind; otherwise the caller's kind, compared exactly, does.
#include "RegoleInformix.h"

namespace talvo::translators::informix {

Testo Traduci(Vista strQuery, Vista tipoQuery) {
  Vista tipo = tipoQuery;
  if (IniziaSenzaMaiuscole(strQuery, u"SELECT")) tipo = u"SELECT";
  if (IniziaSenzaMaiuscole(strQuery, u"CREATE")) tipo = u"EXTERNAL";
  if (tipo == u"SELECT") return TraduciSelect(strQuery);
  if (tipo == u"EXTERNAL") return TraduciTempTable(strQuery);
  return Testo(strQuery);
}

}  // namespace talvo::translators::informix
