// Reset of the process-wide state.
#include "Globale.h"

namespace talvo::Globale {

void Azzera() {
  NomeFileLog.clear();
  PercorsoPatch.clear();
  FileSysIni.clear();
  VersioneInstallata.clear();
  NuovaVersione.clear();
}

}  // namespace talvo::Globale
