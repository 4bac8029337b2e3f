// The temporary-table rule: CREATE GLOBAL TEMPORARY TABLE becomes CREATE TEMP TABLE, in upper
// case throughout. "GLOBAL" goes wherever it stands, inside names too.
//
// How it works: the rule is defined by passes over the upper-case statement, repeated while it
// holds "TEMPORARY": each pass removes every "GLOBAL" (from the left, without looking again at
// what a removal joins), then replaces every "TEMPORARY" with "TEMP" in the same way. A removal
// or a replacement can join characters into a new occurrence, which a later pass takes; rescanning
// the whole statement for each pass would cost its length times the nesting depth. Neither word
// can overlap itself or the other, so the occurrences the passes take are exactly those that a
// single sweep with a stack finds as they form at its top. Each character on the stack carries
// the moment it became adjacent to the one before (moment 2k is pass k's removals, 2k + 1 its
// replacements, 1 the statement as given), so each occurrence knows the moment it formed and the
// moment a pass would take it. A first sweep finds the last pass the statement gets (the first
// pass after which no "TEMPORARY" is left); a second sweep applies only what happens by then.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "RegoleInformix.h"

namespace talvo::translators::informix {
namespace {

constexpr Vista kGlobal = u"GLOBAL";
constexpr Vista kTemporary = u"TEMPORARY";
constexpr Vista kTemp = u"TEMP";
constexpr std::size_t kComeDato = 1;  // the moment of the statement as given

struct Carattere {
  char16_t c;
  std::uint32_t momento;  // when it became adjacent to the character before it
};

class Pila {
 public:
  explicit Pila(std::size_t capacita) { pila_.reserve(capacita); }

  void Metti(char16_t c, std::size_t momento) { pila_.push_back({c, static_cast<std::uint32_t>(momento)}); }

  // Whether the top of the stack spells word; if so, the moment its characters were all joined.
  bool Cima(Vista word, std::size_t& formata) const {
    if (pila_.size() < word.size()) return false;
    const std::size_t base = pila_.size() - word.size();
    formata = kComeDato;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (pila_[base + i].c != word[i]) return false;
      if (i > 0 && pila_[base + i].momento > formata) formata = pila_[base + i].momento;
    }
    return true;
  }

  // Takes the top n characters; returns when the first of them joined the one before it, which
  // is also part of what now lies between the new top and the next character.
  std::size_t Togli(std::size_t n) {
    const std::size_t momento = pila_[pila_.size() - n].momento;
    pila_.resize(pila_.size() - n);
    return momento;
  }

  Testo Testo_() const {
    Testo result;
    result.reserve(pila_.size());
    for (const Carattere& carattere : pila_) result += carattere.c;
    return result;
  }

 private:
  std::vector<Carattere> pila_;
};

// The moment a pass takes an occurrence formed at `formata`: removals of a pass see only what was
// there when it began; its replacements see what its removals joined.
std::size_t MomentoGlobal(std::size_t formata) { return formata / 2 * 2 + 2; }
std::size_t MomentoTemporary(std::size_t formata) { return formata % 2 == 0 ? formata + 1 : formata + 2; }

// One sweep over the upper-case statement, applying what happens up to moment `limite`. Records
// in `formate` (when given) the moments at which a "TEMPORARY" formed.
Testo Sweep(Vista u, std::size_t limite, std::vector<bool>* formate) {
  Pila pila(u.size());
  std::size_t inMezzo = 0;  // the latest moment of what was taken between the top and the next character
  for (char16_t c : u) {
    pila.Metti(c, inMezzo == 0 ? kComeDato : inMezzo);
    inMezzo = 0;
    std::size_t formata = 0;
    if (pila.Cima(kGlobal, formata)) {
      const std::size_t momento = MomentoGlobal(formata);
      if (momento <= limite) inMezzo = std::max(momento, pila.Togli(kGlobal.size()));
    } else if (pila.Cima(kTemporary, formata)) {
      if (formate && formata < formate->size()) (*formate)[formata] = true;
      const std::size_t momento = MomentoTemporary(formata);
      if (momento <= limite) {
        const std::size_t prima = pila.Togli(kTemporary.size());
        pila.Metti(kTemp[0], std::max(momento, prima));
        for (char16_t t : kTemp.substr(1)) pila.Metti(t, momento);
        inMezzo = momento;  // the new "P" joins the character after it now
      }
    }
  }
  return formate ? Testo() : pila.Testo_();  // the first sweep only records
}

}  // namespace

Testo TraduciTempTable(Vista statement) {
  const Testo u = Maiuscolo(statement);
  if (Trova(u, kTemporary) == 0) return Testo(statement);
  // Every moment at which a "TEMPORARY" could form, with all passes applied.
  std::vector<bool> formate(2 * u.size() + 4, false);
  Sweep(u, static_cast<std::size_t>(-1), &formate);
  // Pass k runs when a "TEMPORARY" is there as it begins: one as given, or one its predecessor's
  // replacements formed.
  std::size_t ultimoPasso = 1;
  while (2 * ultimoPasso + 1 < formate.size() && formate[2 * ultimoPasso + 1]) ++ultimoPasso;
  return Sweep(u, 2 * ultimoPasso + 1, nullptr);
}

}  // namespace talvo::translators::informix
