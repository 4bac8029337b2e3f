// The dry run's report: what an update run would do under an installation root, line by line, and
// what the checks before it found. It changes nothing on disk apart from the log.
#pragma once

#include <string>
#include <vector>

#include "StatoAree.h"

namespace talvo {

struct Sessione;

struct ResocontoVerifica {
  // The report's lines, as written to the log, without line ends:
  //   "Installazione: <root>"
  //   "File: <source> -> <destination> (<origin>)" for each file, in the run's order, <origin>
  //       being "lista ATT, sostituzione", "lista SQL, copia", "lista RIN, rinomina" (source: the
  //       installed file, destination: its renamed-out name), "area <name>" or "area <name>,
  //       archivio"; a line with nowhere to go reads "File: <source> -> nessuna destinazione, non
  //       copiato (area <name>)"
  //   "Area <NAME>: <status>" for each area, followed by ", <n> file" when the run would work
  //       through n lines of its list, the status being TestoStatoArea's
  //   "Release da registrare: <release>" or "Nessuna release da registrare: <release of the patch>"
  //   "Problema: <fault>" for each fault the checks found
  //   "Esito: aggiornamento applicabile" or "Esito: aggiornamento non applicabile"
  std::vector<std::string> Righe;
  // The plan is complete and the checks found no fault: a run would go ahead.
  bool Applicabile = false;
};

// Works out and checks the run under the installation root (with its trailing backslash), with
// each area's row showing its status in stati, and writes the report to the log.
ResocontoVerifica VerificaAggiornamento(const Sessione& sessione, const std::string& radice,
                                        const std::vector<StatoArea>& stati);

}  // namespace talvo
