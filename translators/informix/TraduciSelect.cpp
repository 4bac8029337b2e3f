// The SELECT rules of class Ifmx, as an ordered table: each rule fires when its trigger is in the
// query as it came in, and works on what the rules before it made. The triggers are all looked
// for in one pass over the query; the last rule that fires writes the result into its
// destination, the ones before it make the text it works on.
#include <array>

#include "RegoleInformix.h"
#include "common/Uscita.h"

namespace talvo::translators::informix {
namespace {

struct Regola {
  Vista trigger;  // looked for with regard to case
  Testo (*applica)(Vista);
  void (*scrivi)(Vista, Uscita&);  // the same rule writing into a destination, when it can
};

constexpr Regola kRegoleSelect[] = {
    {u"oj", TraduciOuterJoin, TraduciOuterJoin},
    {u"substr", TraduciSubstr, nullptr},
    {u"DATEFORMAT", TraduciDateFormat, nullptr},
    {u"systable", TraduciSystable, nullptr},
};
constexpr std::size_t kRegole = sizeof(kRegoleSelect) / sizeof(kRegoleSelect[0]);

// The characters a trigger starts with (all of them ASCII), so that the pass looks further only there.
constexpr Segni<kRegole> kIniziTrigger = [] {
  char16_t inizi[kRegole] = {};
  for (std::size_t r = 0; r < kRegole; ++r) inizi[r] = kRegoleSelect[r].trigger[0];
  return Segni<kRegole>(inizi);
}();

// Which rules' triggers the query holds, in one pass.
std::array<bool, kRegole> Innescate(Vista query) {
  std::array<bool, kRegole> trovate{};
  const char16_t* const inizio = query.data();
  const char16_t* const fine = inizio + query.size();
  for (const char16_t* p = kIniziTrigger.Prossimo(inizio, fine); p != fine;
       p = kIniziTrigger.Prossimo(p + 1, fine)) {
    const std::size_t i = static_cast<std::size_t>(p - inizio);
    for (std::size_t r = 0; r < kRegole; ++r) {
      const Vista trigger = kRegoleSelect[r].trigger;
      if (!trovate[r] && *p == trigger[0] && Contiene(query, i, trigger)) trovate[r] = true;
    }
  }
  return trovate;
}

}  // namespace

void TraduciSelect(Vista query, Uscita& uscita) {
  const std::array<bool, kRegole> innescate = Innescate(query);
  std::size_t ultima = kRegole;
  for (std::size_t r = 0; r < kRegole; ++r) {
    if (innescate[r]) ultima = r;
  }
  if (ultima == kRegole) return Scrivi(uscita, query);
  // The rules before the last one each make the text the next one works on.
  Testo intermedio;
  Vista corrente = query;
  for (std::size_t r = 0; r < ultima; ++r) {
    if (!innescate[r]) continue;
    intermedio = kRegoleSelect[r].applica(corrente);
    corrente = intermedio;
  }
  const Regola& regola = kRegoleSelect[ultima];
  if (regola.scrivi) return regola.scrivi(corrente, uscita);
  Scrivi(uscita, regola.applica(corrente));
}

Testo TraduciSelect(Vista query) {
  UscitaTesto uscita;
  TraduciSelect(query, uscita);
  return std::move(uscita).Prendi();
}

}  // namespace talvo::translators::informix
