// Query dispatch of class Ifmx: the statement's first word, when it is SELECT or CREATE in any
// case, decides the kind; otherwise the caller's kind, compared exactly, does.
#include "RegoleInformix.h"
#include "common/Uscita.h"

namespace talvo::translators::informix {

using namespace std::string_view_literals;

void Traduci(Vista strQuery, Vista tipoQuery, Uscita& uscita) {
  Vista tipo = tipoQuery;
  if (IniziaSenzaMaiuscole(strQuery, u"SELECT"sv)) tipo = u"SELECT"sv;
  if (IniziaSenzaMaiuscole(strQuery, u"CREATE"sv)) tipo = u"EXTERNAL"sv;
  if (Uguali(tipo, u"SELECT"sv)) return TraduciSelect(strQuery, uscita);
  if (Uguali(tipo, u"EXTERNAL"sv)) return Scrivi(uscita, TraduciTempTable(strQuery));
  Scrivi(uscita, strQuery);
}

Testo Traduci(Vista strQuery, Vista tipoQuery) {
  UscitaTesto uscita;
  Traduci(strQuery, tipoQuery, uscita);
  return std::move(uscita).Prendi();
}

}  // namespace talvo::translators::informix
