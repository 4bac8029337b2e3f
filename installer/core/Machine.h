// The Machine port: the operating-system queries whose answers differ from machine to machine,
// and the only process the installer starts. Tests script the answers and record the starts.
#pragma once

#include <string>
#include <vector>

namespace talvo {

// Drive kinds as the platform reports them.
enum class TipoDisco { Sconosciuto, Removibile, Fisso, Rete, Ottico, RamDisk };

class Machine {
 public:
  virtual ~Machine() = default;

  // Roots of the logical drives, such as "C:\", in the platform's order.
  virtual std::vector<std::string> RadiciDischi() = 0;
  virtual TipoDisco TipoDiDisco(const std::string& radice) = 0;
  // The Windows folder and the system folder, without a trailing backslash; empty when unknown.
  virtual std::string CartellaWindows() = 0;
  virtual std::string CartellaSistema() = 0;
  // The logged-on user's name; empty when the platform cannot give it.
  virtual std::string NomeUtente() = 0;
  virtual bool UtenteAmministratore() = 0;
  // The program runs as the local system account, as start-up scripts and deployment services
  // run it: what it puts in "the user's" folders must go to the folders of all users.
  virtual bool AccountDiSistema() = 0;
  // Starts a command line hidden, without waiting for it; false when no process could start.
  virtual bool AvviaNascosto(const std::string& rigaDiComando) = 0;
  // Blocks for two seconds of elapsed time, processing no window events.
  virtual void AttendiDueSecondi() = 0;
};

}  // namespace talvo
