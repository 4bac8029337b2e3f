// Numbered run-time errors of the installer: one exception type, the Italian descriptions of the
// numbers, the mapping of Win32 error codes onto them, and the guard for code that runs with
// run-time errors ignored statement by statement.
#pragma once

#include <exception>
#include <new>
#include <string>

#include "errors/RunTimeErrors.h"

namespace talvo {

// The numbers of the suite's run-time error table, by the names the installer gives them.
namespace NumeroErrore {
#define TALVO_NUMERO_ERRORE(numero, server, installer, testo) constexpr int installer = numero;
TALVO_RUN_TIME_ERRORS(TALVO_NUMERO_ERRORE)
#undef TALVO_NUMERO_ERRORE
}  // namespace NumeroErrore

// The description of a run-time error number in the ANSI code page; an unknown number gets a
// generic text.
std::string DescrizioneErrore(int numero);

// The run-time error number that a Win32 error code stands for.
int NumeroDaWin32(unsigned long codiceWin32);

class ErroreRuntime : public std::exception {
 public:
  explicit ErroreRuntime(int numero);
  ErroreRuntime(int numero, std::string descrizione);

  int Numero() const noexcept { return numero_; }
  const std::string& Descrizione() const noexcept { return descrizione_; }
  const char* what() const noexcept override { return descrizione_.c_str(); }

 private:
  int numero_;
  std::string descrizione_;
};

// Throws the run-time error that the Win32 error code stands for.
[[noreturn]] void SollevaErroreWin32(unsigned long codiceWin32);
// Throws the run-time error for the calling thread's last Win32 error.
[[noreturn]] void SollevaUltimoErroreWin32();

// Runs one statement with run-time errors ignored: an error ends the statement, not the caller.
// Returns the number of the error that was ignored, 0 when the statement completed.
template <typename Istruzione>
int IgnoraErrori(Istruzione&& istruzione) noexcept {
  try {
    istruzione();
    return 0;
  } catch (const ErroreRuntime& e) {
    return e.Numero();
  } catch (const std::bad_alloc&) {
    return NumeroErrore::MemoriaEsaurita;
  } catch (const std::exception&) {
    return NumeroErrore::ChiamataNonValida;
  }
}

}  // namespace talvo
