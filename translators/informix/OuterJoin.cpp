// The outer-join rule: the escapes' tables and conditions, taken from the input query by position.
//
// How it works: three lists of positions are taken once from the query (after each "oj", after
// each "LEFT OUTER JOIN", after each " ON "); CostruisciOuter, CostruisciWhere and CostruisciFrom
// each read the query through them, and the result is the prefix before the first escape, the FROM
// tables, the OUTER tables, the join conditions and the query's own WHERE tail, in that order.
// A missing list entry is run-time error 9; a shape that gives a negative length is error 5. The
// parts are views into the query appended to bounded buffers: a result that would pass the rules'
// 32,767 characters is run-time error 6 as soon as it does, without being built (each condition
// runs to the next "}", so many ONs before one brace would otherwise grow the result with the
// square of the query).
#include <vector>

#include "RegoleInformix.h"
#include "com/RunTimeError.h"

namespace talvo::translators::informix {
namespace {

using com::RunTimeError;
namespace Numero = com::RunTimeNumber;
using Posizioni = std::vector<int>;

// A part of the result; its text, and the whole result, never pass kPosizioneMassima characters.
class Parte {
 public:
  explicit Parte(std::size_t& totale) : totale_(totale) {}
  Parte& operator+=(Vista text) {
    if (totale_ + text.size() > static_cast<std::size_t>(kPosizioneMassima))
      throw RunTimeError(Numero::Overflow);
    totale_ += text.size();
    testo_.append(text);
    return *this;
  }
  // Drops the last character (the list's trailing comma); run-time error 5 when there is none.
  void TogliUltimo() {
    if (testo_.empty()) throw RunTimeError(Numero::InvalidCall);
    testo_.pop_back();
    --totale_;
  }
  const Testo& Testo_() const noexcept { return testo_; }

 private:
  std::size_t& totale_;
  Testo testo_;
};

// Every occurrence of needle, without overlaps, as its position plus offset.
Posizioni CostruisciLista(Vista query, Vista needle, int offset) {
  Posizioni lista;
  const int limite = Posizione16(static_cast<long long>(query.size()));
  int scansione = 1;
  while (scansione <= limite) {
    const auto p = Trova(query, needle, static_cast<std::size_t>(scansione));
    if (p == 0) break;
    const int voce = Posizione16(static_cast<long long>(p) + offset);
    lista.push_back(voce);
    scansione = Posizione16(static_cast<long long>(voce) + 1);
  }
  return lista;
}

// Entry i (from 1) of a list; run-time error 9 when the list has no such entry.
int Voce(const Posizioni& lista, std::size_t i) {
  if (i < 1 || i > lista.size()) throw RunTimeError(Numero::SubscriptOutOfRange);
  return lista[i - 1];
}

struct Liste {
  Posizioni oj;
  Posizioni loj;
  Posizioni on;
};

void CostruisciOuter(Vista query, const Liste& liste, Parte& outer) {
  for (std::size_t i = 1; i <= liste.loj.size(); ++i) {
    const int inizio = Voce(liste.loj, i);
    outer += u" OUTER ";
    outer += MidVista(query, inizio, Voce(liste.on, i) - 3 - inizio);
    outer += u",";
  }
  outer.TogliUltimo();
}

void CostruisciWhere(Vista query, const Liste& liste, Parte& where, int& posDopo) {
  where += u" WHERE ";
  for (std::size_t i = 1; i <= liste.on.size(); ++i) {
    const int inizio = Voce(liste.on, i);
    const int graffa =
        Posizione16(static_cast<long long>(Trova(query, u"}", static_cast<std::size_t>(inizio))));
    where += MidVista(query, inizio, graffa - inizio);
    where += u" AND ";
  }
  const int ultima = Voce(liste.on, liste.on.size());
  posDopo = Posizione16(static_cast<long long>(Trova(query, u"}", static_cast<std::size_t>(ultima))) + 2);
}

void CostruisciFrom(Vista query, const Liste& liste, int posDopo, Parte& from) {
  // The keywords that stand after a table rather than after a nested escape's "}"; which they are
  // does not depend on the escape being read, so they are picked once. Only the first keyword can
  // stand too near the start for the character looked at, and then every pass stops at it.
  std::vector<int> dopoTabella;
  bool troppoPresto = false;
  for (std::size_t k = 1; k <= liste.loj.size(); ++k) {
    const int keyword = Voce(liste.loj, k);
    if (keyword - 18 < 1) {
      troppoPresto = true;
      break;
    }
    if (MidVista(query, keyword - 18, 1) != u"}") dopoTabella.push_back(keyword);
  }
  const std::size_t n = liste.oj.size();
  std::size_t j = 1;
  while (j <= n) {
    if (MidVista(query, Voce(liste.oj, j), 1) != u"{") {
      if (troppoPresto) throw RunTimeError(Numero::InvalidCall);
      for (const int keyword : dopoTabella) {
        const int sinistra = Voce(liste.oj, j);
        from += MidVista(query, sinistra, keyword - 16 - sinistra);
        from += u" , ";
        ++j;
      }
    }
    ++j;
  }
  // The first WHERE must follow the escapes: without it there is no tail to keep, and the
  // further tables would be cut at an arbitrary place.
  const int where = Posizione16(static_cast<long long>(Trova(query, u"WHERE")));
  if (where == 0 || where < posDopo) throw RunTimeError(Numero::InvalidCall);
  if (MidVista(query, posDopo, 1) != u"W") {
    from += MidVista(query, posDopo, where - 1 - posDopo);
    from += u" , ";
  }
}

}  // namespace

Testo TraduciOuterJoin(Vista query) {
  const Liste liste{CostruisciLista(query, u"oj", 3), CostruisciLista(query, u"LEFT OUTER JOIN", 16),
                    CostruisciLista(query, u" ON ", 4)};
  std::size_t totale = 0;
  Parte prefisso(totale), outer(totale), where(totale), from(totale);
  prefisso += MidVista(query, 1, Voce(liste.oj, 1) - 3 - 2);
  CostruisciOuter(query, liste, outer);
  int posDopo = 0;
  CostruisciWhere(query, liste, where, posDopo);
  CostruisciFrom(query, liste, posDopo, from);
  const int inizioWhere = Posizione16(static_cast<long long>(Trova(query, u"WHERE")));
  Parte coda(totale);
  coda += MidVista(query, inizioWhere + 6);
  Testo result;
  result.reserve(totale);
  for (const Parte* parte : {&prefisso, &from, &outer, &where, &coda}) result += parte->Testo_();
  return result;
}

}  // namespace talvo::translators::informix
