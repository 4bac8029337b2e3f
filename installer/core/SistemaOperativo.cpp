// Start-up queries: folders without their trailing backslash, and the installation drive.
#include "SistemaOperativo.h"

#include "OperazioniFile.h"
#include "Machine.h"
#include "Testo.h"

namespace talvo {

std::string GetWindowsSystemDirectory(Machine& machine) {
  return SenzaBarraFinale(machine.CartellaSistema());
}

std::string sWinDir(Machine& machine) { return SenzaBarraFinale(machine.CartellaWindows()); }

std::string Get_User_Name(Machine& machine) { return machine.NomeUtente(); }

bool IsUserAnAdministrator(Machine& machine) { return machine.UtenteAmministratore(); }

std::string DriveInstallazione(Machine& machine, const std::string& cartellaRelativa) {
  for (const std::string& radice : machine.RadiciDischi()) {
    if (machine.TipoDiDisco(radice) != TipoDisco::Fisso) continue;
    if (EsisteCartella(radice + cartellaRelativa)) return radice;
  }
  return {};
}

}  // namespace talvo
