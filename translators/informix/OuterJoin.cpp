// The outer-join rule: the escapes' tables and conditions, taken from the input query by position.
//
// How it works: three lists of positions are taken once from the query (after each "oj", after
// each "LEFT OUTER JOIN", after each " ON "); CostruisciOuter, CostruisciWhere and CostruisciFrom
// each read the query through them, and the result is the prefix before the first escape, the FROM
// tables, the OUTER tables, the join conditions and the query's own WHERE tail, in that order.
// A missing list entry is run-time error 9; a shape that gives a negative length is error 5.
#include <vector>

#include "RegoleInformix.h"
#include "com/RunTimeError.h"

namespace talvo::translators::informix {
namespace {

using com::RunTimeError;
namespace Numero = com::RunTimeNumber;
using Posizioni = std::vector<int>;

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

Testo CostruisciOuter(Vista query, const Liste& liste) {
  Testo outer;
  for (std::size_t i = 1; i <= liste.loj.size(); ++i) {
    const int inizio = Voce(liste.loj, i);
    outer += u" OUTER ";
    outer += Mid(query, inizio, Voce(liste.on, i) - 3 - inizio);
    outer += u",";
  }
  return Left(outer, static_cast<long long>(outer.size()) - 1);
}

Testo CostruisciWhere(Vista query, const Liste& liste, int& posDopo) {
  Testo condizioni;
  for (std::size_t i = 1; i <= liste.on.size(); ++i) {
    const int inizio = Voce(liste.on, i);
    const int graffa =
        Posizione16(static_cast<long long>(Trova(query, u"}", static_cast<std::size_t>(inizio))));
    condizioni += Mid(query, inizio, graffa - inizio);
    condizioni += u" AND ";
  }
  const int ultima = Voce(liste.on, liste.on.size());
  posDopo = Posizione16(static_cast<long long>(Trova(query, u"}", static_cast<std::size_t>(ultima))) + 2);
  return u" WHERE " + condizioni;
}

Testo CostruisciFrom(Vista query, const Liste& liste, int posDopo) {
  Testo from;
  const std::size_t n = liste.oj.size();
  std::size_t j = 1;
  while (j <= n) {
    if (Mid(query, Voce(liste.oj, j), 1) != u"{") {
      for (std::size_t k = 1; k <= liste.loj.size(); ++k) {
        const int keyword = Voce(liste.loj, k);
        if (Mid(query, keyword - 18, 1) != u"}") {
          const int sinistra = Voce(liste.oj, j);
          from += Mid(query, sinistra, keyword - 16 - sinistra);
          from += u" , ";
          ++j;
        }
      }
    }
    ++j;
  }
  // The first WHERE must follow the escapes: without it there is no tail to keep, and the
  // further tables would be cut at an arbitrary place.
  const int where = Posizione16(static_cast<long long>(Trova(query, u"WHERE")));
  if (where == 0 || where < posDopo) throw RunTimeError(Numero::InvalidCall);
  if (Mid(query, posDopo, 1) != u"W") {
    from += Mid(query, posDopo, where - 1 - posDopo);
    from += u" , ";
  }
  return from;
}

}  // namespace

Testo TraduciOuterJoin(Vista query) {
  const Liste liste{CostruisciLista(query, u"oj", 3), CostruisciLista(query, u"LEFT OUTER JOIN", 16),
                    CostruisciLista(query, u" ON ", 4)};
  const Testo prefisso = Left(query, Voce(liste.oj, 1) - 3 - 2);
  const Testo outer = CostruisciOuter(query, liste);
  int posDopo = 0;
  const Testo where = CostruisciWhere(query, liste, posDopo);
  const Testo from = CostruisciFrom(query, liste, posDopo);
  const int inizioWhere = Posizione16(static_cast<long long>(Trova(query, u"WHERE")));
  return prefisso + from + outer + where + Mid(query, inizioWhere + 6);
}

}  // namespace talvo::translators::informix
