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
  // The query is copied only when no rule fires; a rule that fires makes the first copy itself.
  Testo result;
  bool riscritta = false;
  for (const Regola& regola : kRegoleSelect) {
    if (Trova(query, regola.trigger) == 0) continue;
    result = regola.applica(riscritta ? Vista(result) : query);
    riscritta = true;
  }
  return riscritta ? result : Testo(query);
}

}  // namespace talvo::translators::informix
