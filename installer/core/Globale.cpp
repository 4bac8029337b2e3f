// Reset of the process-wide state.
#include "Globale.h"

namespace talvo::Globale {

std::string FileSetupPBD() { return PercorsoPatch + "SetupPBD.ini"; }

void Azzera() {
  NomeFileLog.clear();
  PercorsoPatch.clear();
  FileSysIni.clear();
  VersioneInstallata.clear();
  NuovaVersione.clear();
}

}  // namespace talvo::Globale
