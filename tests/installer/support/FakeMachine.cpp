// Scripted answers and records of the fake Machine.
#include "FakeMachine.h"

namespace talvo::test {

std::vector<std::string> FakeMachine::RadiciDischi() {
  std::vector<std::string> radici;
  for (const auto& disco : Dischi) radici.push_back(disco.first);
  return radici;
}

TipoDisco FakeMachine::TipoDiDisco(const std::string& radice) {
  for (const auto& disco : Dischi) {
    if (disco.first == radice) return disco.second;
  }
  return TipoDisco::Sconosciuto;
}

bool FakeMachine::AvviaNascosto(const std::string& rigaDiComando) {
  ProcessiAvviati.push_back(rigaDiComando);
  return AvvioRiesce;
}

}  // namespace talvo::test
