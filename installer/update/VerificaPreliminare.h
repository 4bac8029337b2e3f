// The checks made before an update run touches its first file: every file the plan would write
// has its source in the patch, no other program holds a file the run would rename, an absolute
// destination's folder exists, and each drive has room for the new files.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "PianoAggiornamento.h"

namespace talvo {

class Desktop;
struct Sessione;

// One fault found: its text names the file or the drive, its code is the run-time error the run
// would have met there.
struct Difetto {
  std::string Testo;
  std::int32_t Codice = 0;
};

// The bytes this user may still write on the drive whose root is given ("E:\", "\\server\share\");
// nothing when the platform cannot tell.
std::optional<std::uint64_t> SpazioLiberoDisco(const std::string& unita);
using MisuraSpazioLibero = std::function<std::optional<std::uint64_t>(const std::string& unita)>;

// The drive a path lies on, as GetDiskFreeSpaceExA takes it: "E:\" or "\\server\share\"; empty
// for a relative path.
std::string UnitaDi(const std::string& percorso);

// The faults of the plan: a plan that could not be completed first, then, in the plan's order,
// each file at fault, then each drive short of space. Empty when the run may go ahead. Changes
// nothing on disk.
std::vector<Difetto> VerificaPiano(const PianoAggiornamento& piano,
                                   const MisuraSpazioLibero& spazio = SpazioLiberoDisco);

// The message box text that refuses a run for these faults.
std::string TestoRifiuto(const std::vector<Difetto>& difetti);

// The faults of the run under the installation root, before it starts: its plan, checked.
std::vector<Difetto> VerificaPrimaDellAggiornamento(const Sessione& sessione, const std::string& radice,
                                                    const std::vector<StatoArea>& stati);

// Refuses a run for these faults: logs each on its own line and shows one message box naming
// them.
void RifiutaAggiornamento(const Sessione& sessione, Desktop& desktop, const std::vector<Difetto>& difetti);

}  // namespace talvo
