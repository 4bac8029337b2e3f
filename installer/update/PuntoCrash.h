// A point at which the update run ends its own process at once, named by the environment, so that
// tests can kill a run exactly where a crash or a power cut could stop it.
//
// How it works: TALVO_PUNTO_CRASH holds an event and optionally the file it applies to, as in
// "rinomina:3" (the third file the run records); the first file when no number is given. The
// variable is read once when the journal is opened, and when it is unset, empty or not
// understood the point is inert: the checks on each file then compare two numbers and return.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace talvo {

// The moments of the journalled work at which a run can be ended.
enum class EventoCrash {
  Voce,       // "voce": an entry is on disk, before its file is renamed
  Rinomina,   // "rinomina": the file was renamed to its backup, before the journal says so
  Copia,      // "copia": the new file was copied, before the journal says so
  Ripristino  // "ripristino": an entry was put back, before the journal says so
};

// The exit code of a process ended at a crash point.
inline constexpr unsigned CodiceUscitaCrash = 86;

class PuntoCrash {
 public:
  // An inert point.
  PuntoCrash() = default;
  // The point the environment names, read now.
  static PuntoCrash DaAmbiente();
  // The point a value of the variable names; empty when the value is not understood.
  static std::optional<PuntoCrash> Analizza(const std::string& valore);

  // Ends the process at once, without unwinding or flushing anything, when the event on the
  // k-th file (counted from 1) is this point.
  void Verifica(EventoCrash evento, std::size_t k) const noexcept;

  bool Attivo() const noexcept { return attivo_; }
  EventoCrash Evento() const noexcept { return evento_; }
  std::size_t File() const noexcept { return file_; }

 private:
  bool attivo_ = false;
  EventoCrash evento_ = EventoCrash::Voce;
  std::size_t file_ = 1;
};

}  // namespace talvo
