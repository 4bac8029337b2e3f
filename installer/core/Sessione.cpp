// The area table of the session.
#include "Sessione.h"

#include "ErroreRuntime.h"

namespace talvo {

void Sessione::DimensionaTabellaAree(std::int16_t n) {
  NumeroAree = n > 0 ? n : 0;
  Aree.assign(static_cast<std::size_t>(NumeroAree), Area{});
}

const Area& Sessione::AreaN(int i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= Aree.size()) {
    throw ErroreRuntime(NumeroErrore::IndiceFuoriIntervallo);
  }
  return Aree[static_cast<std::size_t>(i)];
}

}  // namespace talvo
