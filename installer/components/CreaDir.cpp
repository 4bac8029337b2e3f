// Each prefix of the path up to a backslash is one level: C:\A\ then C:\A\B\ for C:\A\B\.
#include "CreaDir.h"

#include "core/OperazioniFile.h"
#include "core/Testo.h"

namespace talvo {

int CreaDir(std::string& sPathDest) {
  sPathDest = ConBarraFinale(sPathDest);
  if (EsisteCartella(sPathDest)) return 0;

  int create = 0;
  const std::size_t primaBarra = sPathDest.find('\\');
  for (std::size_t barra = sPathDest.find('\\', primaBarra + 1); barra != std::string::npos;
       barra = sPathDest.find('\\', barra + 1)) {
    const std::string livello = sPathDest.substr(0, barra + 1);
    if (!EsisteCartella(livello) && CreaCartella_nothrow(livello) == 0) ++create;
  }
  return create;
}

}  // namespace talvo
