// Conversions that do not depend on the machine's locale: the installer's texts always write
// numbers with a point, whatever the system's decimal separator.
#include "Numeri.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "ErroreRuntime.h"

namespace talvo {

namespace {

bool Spazio(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool Cifra(char c) { return c >= '0' && c <= '9'; }

double ArrotondaPari(double valore) { return std::nearbyint(valore); }  // default mode: to even

}  // namespace

double Val(const std::string& testo) {
  std::string numero;
  bool punto = false;
  bool cifre = false;
  for (const char c : testo) {
    if (Spazio(c)) continue;
    if (numero.empty() && !cifre && (c == '-' || c == '+')) {
      numero += c;
      continue;
    }
    if (Cifra(c)) {
      numero += c;
      cifre = true;
    } else if (c == '.' && !punto) {
      numero += c;
      punto = true;
    } else {
      break;
    }
  }
  if (!cifre) return 0;
  return std::strtod(numero.c_str(), nullptr);
}

std::int32_t ArrotondaLong(double valore) {
  const double arrotondato = ArrotondaPari(valore);
  if (!(arrotondato >= std::numeric_limits<std::int32_t>::min() &&
        arrotondato <= std::numeric_limits<std::int32_t>::max())) {
    throw ErroreRuntime(NumeroErrore::Overflow);
  }
  return static_cast<std::int32_t>(arrotondato);
}

std::int16_t InteroDaTesto(const std::string& testo) {
  std::size_t i = 0;
  const std::size_t n = testo.size();
  while (i < n && Spazio(testo[i])) ++i;
  const std::size_t inizio = i;
  if (i < n && (testo[i] == '-' || testo[i] == '+')) ++i;
  bool cifre = false;
  while (i < n && Cifra(testo[i])) ++i, cifre = true;
  if (i < n && testo[i] == '.') {
    ++i;
    while (i < n && Cifra(testo[i])) ++i, cifre = true;
  }
  const std::size_t fine = i;
  while (i < n && Spazio(testo[i])) ++i;
  if (!cifre || i != n) throw ErroreRuntime(NumeroErrore::TipoNonCorrispondente);
  const double arrotondato = ArrotondaPari(std::strtod(testo.substr(inizio, fine - inizio).c_str(), nullptr));
  if (arrotondato < std::numeric_limits<std::int16_t>::min() ||
      arrotondato > std::numeric_limits<std::int16_t>::max()) {
    throw ErroreRuntime(NumeroErrore::Overflow);
  }
  return static_cast<std::int16_t>(arrotondato);
}

std::string TestoNumero(double valore) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.15g", valore);
  return buffer;
}

}  // namespace talvo
