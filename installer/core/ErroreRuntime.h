// Numbered run-time errors of the installer: one exception type, the Italian descriptions of the
// numbers, the mapping of Win32 error codes onto them, and the guard for code that runs with
// run-time errors ignored statement by statement.
#pragma once

#include <exception>
#include <new>
#include <string>

namespace talvo {

// Fixed numbers used across the installer.
namespace NumeroErrore {
constexpr int ChiamataNonValida = 5;
constexpr int Overflow = 6;
constexpr int MemoriaEsaurita = 7;
constexpr int IndiceFuoriIntervallo = 9;
constexpr int DivisionePerZero = 11;
constexpr int TipoNonCorrispondente = 13;
constexpr int NomeFileNonValido = 52;
constexpr int FileNonTrovato = 53;
constexpr int FileGiaAperto = 55;
constexpr int ErroreIO = 57;
constexpr int FileGiaEsistente = 58;
constexpr int DiscoPieno = 61;
constexpr int InputOltreFine = 62;
constexpr int AutorizzazioneNegata = 70;
constexpr int DiscoNonPronto = 71;
constexpr int AccessoPercorsoFile = 75;
constexpr int PercorsoNonTrovato = 76;
constexpr int ErroreStampante = 482;
constexpr int ChiamataOdbc = 3146;
}  // namespace NumeroErrore

// The description of a run-time error number; an unknown number gets a generic text.
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
