// The outer-join rule: the escapes' tables and conditions, taken from the input query by position.
//
// How it works: three lists of positions are taken from the query in one pass (after each "oj",
// after each "LEFT OUTER JOIN", after each " ON "), with the positions of the braces and of the
// first "WHERE"; CostruisciOuter, CostruisciWhere and CostruisciFrom
// each read the query through them, and the result is the prefix before the first escape, the FROM
// tables, the OUTER tables, the join conditions and the query's own WHERE tail, in that order.
// A missing list entry is run-time error 9; a shape that gives a negative length is error 5. The
// parts are lists of views into the query and into literals, and nothing is copied until the
// result is written, once, into its destination. A result that would pass the rules' 32,767
// characters is run-time error 6 as soon as it does, without being built (each condition runs to
// the next "}", so many ONs before one brace would otherwise grow the result with the square of
// the query). The lists keep their first entries inside themselves: a usual statement has one
// escape, and its translation then allocates nothing but its result.
#include "RegoleInformix.h"
#include "com/RunTimeError.h"
#include "common/ListaBreve.h"
#include "common/Uscita.h"

namespace talvo::translators::informix {
namespace {

using com::RunTimeError;
namespace Numero = com::RunTimeNumber;
using Posizioni = ListaBreve<int, 8>;
using namespace std::string_view_literals;

// A part of the result; its text, and the whole result, never pass kPosizioneMassima characters.
class Parte {
 public:
  explicit Parte(std::size_t& totale) : totale_(totale) {}
  Parte& operator+=(Vista text) {
    if (totale_ + text.size() > static_cast<std::size_t>(kPosizioneMassima))
      throw RunTimeError(Numero::Overflow);
    totale_ += text.size();
    pezzi_.Aggiungi(text);
    return *this;
  }
  // Drops the last character (the list's trailing comma); run-time error 5 when there is none.
  void TogliUltimo() {
    if (!pezzi_.TogliUltimo()) throw RunTimeError(Numero::InvalidCall);
    --totale_;
  }
  const Pezzi& Pezzi_() const noexcept { return pezzi_; }

 private:
  std::size_t& totale_;
  Pezzi pezzi_;
};

// The occurrences of one needle, from the left, each search starting one past the previous
// entry (its position plus offset): the list of positions plus offset. The pass calls it where it
// sees the needle's key character (the rarest of its first two), which stands `chiave` characters
// into the needle.
class Elenco {
 public:
  Elenco(Vista needle, std::size_t chiave, int offset, Posizioni& lista)
      : needle_(needle), chiave_(chiave), offset_(offset), lista_(lista) {}

  // Takes the occurrence that has its key character at position i (from 1), if the needle stands
  // there and may be taken.
  void Prova(Vista query, std::size_t i) {
    if (i <= chiave_) return;
    const std::size_t p = i - chiave_;
    if (p < prossima_ || !Contiene(query, p - 1, needle_)) return;
    const int voce = Posizione16(static_cast<long long>(p) + offset_);
    lista_.push_back(voce);
    prossima_ = static_cast<std::size_t>(Posizione16(static_cast<long long>(voce) + 1));
  }

 private:
  Vista needle_;
  std::size_t chiave_;
  int offset_;
  Posizioni& lista_;
  std::size_t prossima_ = 1;
};

// The characters the pass stops at: the needles' key characters, "}" and the "W" of "WHERE".
constexpr Segni<5> kSegni({u'j', u'O', u'L', u'}', u'W'});

// Entry i (from 1) of a list; run-time error 9 when the list has no such entry.
int Voce(const Posizioni& lista, std::size_t i) {
  if (i < 1 || i > lista.size()) throw RunTimeError(Numero::SubscriptOutOfRange);
  return lista[i - 1];
}

// What the rule reads of the query, taken in one pass: the three lists, every "}" and the first
// "WHERE" (0 when there is none).
struct Liste {
  Posizioni oj;
  Posizioni loj;
  Posizioni on;
  Posizioni graffe;
  std::size_t posWhere = 0;

  explicit Liste(Vista query) {
    Posizione16(static_cast<long long>(query.size()));
    Elenco elencoOj(u"oj", 1, 3, oj), elencoLoj(u"LEFT OUTER JOIN", 0, 16, loj), elencoOn(u" ON ", 1, 4, on);
    const char16_t* const inizio = query.data();
    const char16_t* const fine = inizio + query.size();
    for (const char16_t* p = kSegni.Prossimo(inizio, fine); p != fine; p = kSegni.Prossimo(p + 1, fine)) {
      const std::size_t i = static_cast<std::size_t>(p - inizio) + 1;
      switch (*p) {
        case u'j': elencoOj.Prova(query, i); break;
        case u'L': elencoLoj.Prova(query, i); break;
        case u'O': elencoOn.Prova(query, i); break;
        case u'}': graffe.push_back(static_cast<int>(i)); break;
        case u'W':
          if (posWhere == 0 && Contiene(query, i - 1, u"WHERE"sv)) posWhere = i;
          break;
        default: break;
      }
    }
  }

  // The position of the first "}" at or after da, 0 when there is none.
  int Graffa(int da) const noexcept {
    std::size_t basso = 0, alto = graffe.size();
    while (basso < alto) {
      const std::size_t medio = (basso + alto) / 2;
      if (graffe[medio] < da) {
        basso = medio + 1;
      } else {
        alto = medio;
      }
    }
    return basso < graffe.size() ? graffe[basso] : 0;
  }
};

void CostruisciOuter(Vista query, const Liste& liste, Parte& outer) {
  for (std::size_t i = 1; i <= liste.loj.size(); ++i) {
    const int inizio = Voce(liste.loj, i);
    outer += u" OUTER "sv;
    outer += MidVista(query, inizio, Voce(liste.on, i) - 3 - inizio);
    outer += u","sv;
  }
  outer.TogliUltimo();
}

void CostruisciWhere(Vista query, const Liste& liste, Parte& where, int& posDopo) {
  where += u" WHERE "sv;
  for (std::size_t i = 1; i <= liste.on.size(); ++i) {
    const int inizio = Voce(liste.on, i);
    const int graffa = liste.Graffa(inizio);
    where += MidVista(query, inizio, graffa - inizio);
    where += u" AND "sv;
  }
  const int ultima = Voce(liste.on, liste.on.size());
  posDopo = Posizione16(static_cast<long long>(liste.Graffa(ultima)) + 2);
}

void CostruisciFrom(Vista query, const Liste& liste, int posDopo, Parte& from) {
  // The keywords that stand after a table rather than after a nested escape's "}"; which they are
  // does not depend on the escape being read, so they are picked once. Only the first keyword can
  // stand too near the start for the character looked at, and then every pass stops at it.
  Posizioni dopoTabella;
  bool troppoPresto = false;
  for (std::size_t k = 1; k <= liste.loj.size(); ++k) {
    const int keyword = Voce(liste.loj, k);
    if (keyword - 18 < 1) {
      troppoPresto = true;
      break;
    }
    if (!Uguali(MidVista(query, keyword - 18, 1), u"}"sv)) dopoTabella.push_back(keyword);
  }
  const std::size_t n = liste.oj.size();
  std::size_t j = 1;
  while (j <= n) {
    if (!Uguali(MidVista(query, Voce(liste.oj, j), 1), u"{"sv)) {
      if (troppoPresto) throw RunTimeError(Numero::InvalidCall);
      for (std::size_t k = 0; k < dopoTabella.size(); ++k) {
        const int keyword = dopoTabella[k];
        const int sinistra = Voce(liste.oj, j);
        from += MidVista(query, sinistra, keyword - 16 - sinistra);
        from += u" , "sv;
        ++j;
      }
    }
    ++j;
  }
  // The first WHERE must follow the escapes: without it there is no tail to keep, and the
  // further tables would be cut at an arbitrary place.
  const int where = static_cast<int>(liste.posWhere);
  if (where == 0 || where < posDopo) throw RunTimeError(Numero::InvalidCall);
  if (!Uguali(MidVista(query, posDopo, 1), u"W"sv)) {
    from += MidVista(query, posDopo, where - 1 - posDopo);
    from += u" , "sv;
  }
}

}  // namespace

void TraduciOuterJoin(Vista query, Uscita& uscita) {
  const Liste liste(query);
  std::size_t totale = 0;
  Parte prefisso(totale), outer(totale), where(totale), from(totale);
  prefisso += MidVista(query, 1, Voce(liste.oj, 1) - 3 - 2);
  CostruisciOuter(query, liste, outer);
  int posDopo = 0;
  CostruisciWhere(query, liste, where, posDopo);
  CostruisciFrom(query, liste, posDopo, from);
  const int inizioWhere = static_cast<int>(liste.posWhere);
  Parte coda(totale);
  coda += MidVista(query, inizioWhere + 6);
  char16_t* destinazione = uscita.Riserva(totale);
  for (const Parte* parte : {&prefisso, &from, &outer, &where, &coda}) {
    destinazione = parte->Pezzi_().Copia(destinazione);
  }
}

Testo TraduciOuterJoin(Vista query) {
  UscitaTesto uscita;
  TraduciOuterJoin(query, uscita);
  return std::move(uscita).Prendi();
}

}  // namespace talvo::translators::informix
