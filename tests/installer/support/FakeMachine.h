// A scripted Machine for tests: drives, folders and user as the test sets them; every process
// start and every wait recorded.
#pragma once

#include <utility>
#include <string>
#include <vector>

#include "core/Machine.h"

namespace talvo::test {

class FakeMachine final : public Machine {
 public:
  // Drive roots in the platform's order, each with its kind.
  std::vector<std::pair<std::string, TipoDisco>> Dischi{{"C:\\", TipoDisco::Fisso}};
  std::string Windows = "C:\\windows";
  std::string Sistema = "C:\\windows\\system32";
  std::string Utente = "docente";
  bool Amministratore = true;
  bool SistemaLocale = false;
  // When false, every process start fails as if the program could not be run.
  bool AvvioRiesce = true;

  std::vector<std::string> ProcessiAvviati;
  int Attese = 0;

  std::vector<std::string> RadiciDischi() override;
  TipoDisco TipoDiDisco(const std::string& radice) override;
  std::string CartellaWindows() override { return Windows; }
  std::string CartellaSistema() override { return Sistema; }
  std::string NomeUtente() override { return Utente; }
  bool UtenteAmministratore() override { return Amministratore; }
  bool AccountDiSistema() override { return SistemaLocale; }
  bool AvviaNascosto(const std::string& rigaDiComando) override;
  void AttendiDueSecondi() override { ++Attese; }
};

}  // namespace talvo::test
