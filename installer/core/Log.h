// The installer log: "c:\" followed by NomeFileLog, one line per step.
#pragma once

#include <cstdint>
#include <string>

namespace talvo {

class Desktop;
struct Sessione;

// Result codes with a level of their own; every other code is a failure.
namespace CodiceLog {
constexpr std::int32_t Ok = 0;
constexpr std::int32_t Avviso = 1976;
constexpr std::int32_t Fallito = 1;
}  // namespace CodiceLog

// Appends one line for the step to the session's log. Leaves its own failures to the caller as
// ErroreRuntime.
void ScriviLog(const Sessione& sessione, const std::string& passo, const std::string& descrizione,
               std::int32_t codice);

// A line of the start-up's own step "Oper. Iniziali", code 0. Leaves its failures to the caller.
void ScriviLogAvvio(const Sessione& sessione, const std::string& descrizione);

// Creates or empties the log and writes its first line. On failure shows why and returns false,
// leaving the file as it was.
bool IniziaLog(const Sessione& sessione, Desktop& desktop);

}  // namespace talvo
