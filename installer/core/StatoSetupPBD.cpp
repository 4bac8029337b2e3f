// Sizing of the main window's area table.
#include "StatoSetupPBD.h"

namespace talvo {

void StatoSetupPBD::DimensionaTabellaAree(std::int16_t n) {
  const std::size_t dimensione = n > 0 ? static_cast<std::size_t>(n) : 0;
  NumeroAree = n > 0 ? n : 0;
  CodiceArea.assign(dimensione, 0);
  NomeArea.assign(dimensione, {});
  ListaScriptArea.assign(dimensione, {});
  DirectoryArea.assign(dimensione, {});
  SuffissoArea.assign(dimensione, {});
}

}  // namespace talvo
