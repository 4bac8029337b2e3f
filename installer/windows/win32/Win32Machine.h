// The Machine port over the Win32 API.
#pragma once

#include "core/Machine.h"

namespace talvo {

class Win32Machine final : public Machine {
 public:
  std::vector<std::string> RadiciDischi() override;
  TipoDisco TipoDiDisco(const std::string& radice) override;
  std::string CartellaWindows() override;
  std::string CartellaSistema() override;
  std::string NomeUtente() override;
  bool UtenteAmministratore() override;
  bool AccountDiSistema() override;
  bool AvviaNascosto(const std::string& rigaDiComando) override;
  void AttendiDueSecondi() override;
};

}  // namespace talvo
