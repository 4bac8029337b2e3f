// The DATEFORMAT rule: each DATEFORMAT(date,format) call becomes a year-to-month EXTEND of the
// date. Both the part before and the part after a call come from the upper-case text, so once
// the rule fires the whole statement is upper case, string literals included.
//
// How it works: the calls are rewritten one at a time, each found at or after the start of the
// previous rewrite, and each rewrite is measured in the text as it stands: its ")", "(" and ","
// are the first ones at or after the call, wherever they are. To keep the cost in line with the
// statement's length, the text is held in two parts: `fatto`, everything before the search's start
// (never searched or changed again, except that a call without a "(" after it takes its date from
// the very start of the text), and `resto`, the rest, reversed so that a rewrite goes back in front
// of it cheaply. Each character of `resto` carries where the nearest ")", "(" and "," at or after
// it lie, so finding them costs nothing however far away they are.
#include <cstdint>
#include <vector>

#include "RegoleInformix.h"
#include "com/RunTimeError.h"

namespace talvo::translators::informix {
namespace {

constexpr Vista kDateFormat = u"DATEFORMAT";
constexpr std::uint32_t kNessuno = static_cast<std::uint32_t>(-1);
constexpr std::size_t kNessunaPosizione = static_cast<std::size_t>(-1);

// The rest of the text, reversed: the back is the text's next character.
class Resto {
 public:
  void Riserva(std::size_t n) {
    testo_.reserve(n);
    chiusa_.reserve(n);
    aperta_.reserve(n);
    virgola_.reserve(n);
  }
  void Metti(char16_t c) {
    const auto i = static_cast<std::uint32_t>(testo_.size());
    testo_.push_back(c);
    chiusa_.push_back(c == u')' ? i : (i ? chiusa_[i - 1] : kNessuno));
    aperta_.push_back(c == u'(' ? i : (i ? aperta_[i - 1] : kNessuno));
    virgola_.push_back(c == u',' ? i : (i ? virgola_[i - 1] : kNessuno));
  }
  void MettiDavanti(Vista text) {
    for (auto c = text.rbegin(); c != text.rend(); ++c) Metti(*c);
  }
  char16_t Prendi() {
    const char16_t c = testo_.back();
    Togli(1);
    return c;
  }
  void Togli(std::size_t n) {
    const std::size_t resta = testo_.size() - n;
    testo_.resize(resta);
    chiusa_.resize(resta);
    aperta_.resize(resta);
    virgola_.resize(resta);
  }

  std::size_t Lunghezza() const noexcept { return testo_.size(); }
  bool IniziaCon(Vista word) const noexcept {
    if (testo_.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (testo_[testo_.size() - 1 - i] != word[i]) return false;
    }
    return true;
  }
  // The offset (from 0, counted from the front) of the first character of kind, or kNessunaPosizione.
  std::size_t Primo(char16_t kind) const noexcept {
    if (testo_.empty()) return kNessunaPosizione;
    const std::size_t top = testo_.size() - 1;
    const std::uint32_t i = kind == u')' ? chiusa_[top] : kind == u'(' ? aperta_[top] : virgola_[top];
    return i == kNessuno ? kNessunaPosizione : top - i;
  }
  // n characters from the front offset `da`.
  void Copia(std::size_t da, std::size_t n, Testo& destinazione) const {
    for (std::size_t k = 0; k < n; ++k) destinazione += testo_[testo_.size() - 1 - da - k];
  }
  void Aggiungi(Testo& destinazione) const { destinazione.append(testo_.rbegin(), testo_.rend()); }

 private:
  Testo testo_;
  std::vector<std::uint32_t> chiusa_, aperta_, virgola_;
};

}  // namespace

Testo TraduciDateFormat(Vista text) {
  const Testo u = Maiuscolo(text);
  if (Trova(u, kDateFormat) == 0) return Testo(text);
  Testo fatto;
  fatto.reserve(u.size());
  Resto resto;
  resto.Riserva(u.size() * 2);
  resto.MettiDavanti(u);
  for (;;) {
    while (resto.Lunghezza() >= kDateFormat.size() && !resto.IniziaCon(kDateFormat)) fatto += resto.Prendi();
    if (!resto.IniziaCon(kDateFormat)) break;
    // Positions count from 1 in the whole text; 0 is "none after the call".
    const long long base = static_cast<long long>(fatto.size());
    const auto posizione = [&](char16_t kind) {
      const std::size_t offset = resto.Primo(kind);
      return offset == kNessunaPosizione ? 0 : Posizione16(base + static_cast<long long>(offset) + 1);
    };
    const int a = Posizione16(base + 1);
    const int r = posizione(u')');
    const int o = posizione(u'(');
    const int c = posizione(u',');
    // Without a ")" the call has no end, and the text after it would be the whole statement.
    if (r == 0) throw com::RunTimeError(com::RunTimeNumber::InvalidCall);
    // The date: Mid(text, o + 1, c - o - 1), which may start in `fatto` when there is no "(".
    const long long lunghezza = static_cast<long long>(c) - o - 1;
    if (lunghezza < 0) throw com::RunTimeError(com::RunTimeNumber::InvalidCall);
    Testo argomento;
    const long long totale = base + static_cast<long long>(resto.Lunghezza());
    const long long inizio = o + 1;  // from 1
    const long long fine = std::min(totale, inizio + lunghezza - 1);
    for (long long p = inizio; p <= fine && p <= base; ++p)
      argomento += fatto[static_cast<std::size_t>(p - 1)];
    if (fine > base) {
      const long long da = std::max(inizio, base + 1);
      resto.Copia(static_cast<std::size_t>(da - base - 1), static_cast<std::size_t>(fine - da + 1),
                  argomento);
    }
    // The call, up to its ")", makes way for the rewrite; the search goes on from its start.
    resto.Togli(static_cast<std::size_t>(r - a + 1));
    resto.MettiDavanti(u"),YEAR TO MONTH)");
    resto.MettiDavanti(argomento);
    resto.MettiDavanti(u"EXTEND(DATE(");
  }
  resto.Aggiungi(fatto);
  return fatto;
}

}  // namespace talvo::translators::informix
