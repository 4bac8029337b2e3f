// Query dispatch of class Ifmx: the statement's first word, when it is SELECT or CREATE in any
// case, decides the kind; otherwise the caller's kind, compared exactly, does.
#include "RegoleInformix.h"
#include "common/Uscita.h"

namespace talvo::translators::informix {

void Traduci(Vista strQuery, Vista tipoQuery, Uscita& uscita) {
  Vista tipo = tipoQuery;
  if (IniziaSenzaMaiuscole(strQuery, u"SELECT")) tipo = u"SELECT";
  if (IniziaSenzaMaiuscole(strQuery, u"CREATE")) tipo = u"EXTERNAL";
  if (tipo == u"SELECT") return TraduciSelect(strQuery, uscita);
  if (tipo == u"EXTERNAL") return Scrivi(uscita, TraduciTempTable(strQuery));
  Scrivi(uscita, strQuery);
}

Testo Traduci(Vista strQuery, Vista tipoQuery) {
  UscitaTesto uscita;
  Traduci(strQuery, tipoQuery, uscita);
  return std::move(uscita).Prendi();
}

}  // namespace talvo::translators::informix
