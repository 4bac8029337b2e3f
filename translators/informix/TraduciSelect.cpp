// The SELECT rules of class Ifmx, as an ordered table: each rule fires when its trigger is in the
// query as it came in, and works on what the rules before it made.
#include "RegoleInformix.h"

namespace talvo::translators::informix {
namespace {

struct Regola {
  Vista trigger;  // looked for with regard to case
  Testo (*applica)(Vista);
};

const Regola kRegoleSelect[] = {
    {u"oj", TraduciOuterJoin},
    {u"substr", TraduciSubstr},
    {u"DATEFORMAT", TraduciDateFormat},
    {u"systable", TraduciSystable},
};

}  // namespace

Testo TraduciSelect(Vista query) {
  Testo result(query);
  for (const Regola& regola : kRegoleSelect) {
    if (Trova(query, regola.trigger) != 0) result = regola.applica(result);
  }
  return result;
}

}  // namespace talvo::translators::informix
