// Choosing the libraries' folder by the installer's own architecture.
#include "WDir3264.h"

#include "core/OperazioniFile.h"
#include "core/Sessione.h"

namespace talvo {

std::string WDir3264(const DatiAvvio& avvio, Architettura architettura) {
  if (architettura == Architettura::X86 && !avvio.CartellaWindows.empty()) {
    const std::string sysWow64 = avvio.CartellaWindows + "\\SysWOW64\\";
    if (EsisteCartella(sysWow64)) return sysWow64;
  }
  return avvio.PercorsoWinDir;
}

}  // namespace talvo
