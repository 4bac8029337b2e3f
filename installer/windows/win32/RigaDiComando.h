// The installer's command line: with no switch it runs with its windows for a person; the
// switches let deployment tools run it with nobody at the screen.
#pragma once

#include <string>
#include <vector>

namespace talvo::finestre {

enum class Modalita {
  Interattiva,  // windows and questions for a person
  Passiva,      // windows shown, the run starts by itself, boxes close by themselves
  Silenziosa,   // no window at all: questions answered by policy and logged
};

struct RigaDiComando {
  Modalita modalita = Modalita::Interattiva;
  // A dry run: reports what the update would do and changes nothing. It never shows a window.
  bool Verifica = false;
  bool Aiuto = false;
  // The first argument that is no known switch; empty when every one was understood.
  std::string Sconosciuto;

  // No window may be created.
  bool SenzaFinestre() const { return modalita == Modalita::Silenziosa || Verifica; }
};

// Reads the arguments after the program's name. Switches start with "/" or "-" and are read
// without regard to case; /quiet wins over /passive.
RigaDiComando LeggiRigaDiComando(const std::vector<std::string>& argomenti);

// The arguments of the running process after the program's name, split as the C runtime splits
// them, in the ANSI code page.
std::vector<std::string> ArgomentiDelProcesso();

// The switches and the exit codes, as /? shows them.
std::string TestoAiuto();

}  // namespace talvo::finestre
