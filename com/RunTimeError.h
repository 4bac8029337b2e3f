// Numbered run-time errors raised by the servers' own code, with their Italian descriptions.
// Free of Windows headers, so that code raising them can be built and tested on any platform.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace talvo::com {

namespace RunTimeNumber {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int OdbcCallFailed = 3146;
}  // namespace RunTimeNumber

// The description of a run-time error number, as callers see it whatever the machine's language.
inline std::u16string_view RunTimeErrorDescription(int number) noexcept {
  switch (number) {
    case 5: return u"Chiamata di routine o argomento non validi";
    case 6: return u"Overflow";
    case 7: return u"Memoria esaurita";
    case 9: return u"Indice non compreso nell'intervallo";
    case 11: return u"Divisione per zero";
    case 13: return u"Tipo non corrispondente";
    case 52: return u"Nome o numero di file non valido";
    case 53: return u"Impossibile trovare il file";
    case 55: return u"File già aperto";
    case 57: return u"Errore di I/O sulla periferica";
    case 58: return u"File già esistente";
    case 61: return u"Disco pieno";
    case 62: return u"Input oltre la fine del file";
    case 70: return u"Autorizzazione negata";
    case 71: return u"Disco non pronto";
    case 75: return u"Errore di accesso al percorso/file";
    case 76: return u"Impossibile trovare il percorso";
    case 3146: return u"Chiamata ODBC non riuscita";
    default: return u"Errore definito dall'applicazione o dall'oggetto";
  }
}

class RunTimeError : public std::exception {
 public:
  explicit RunTimeError(int number) : number_(number), description_(RunTimeErrorDescription(number)) {}
  RunTimeError(int number, std::u16string description)
      : number_(number), description_(std::move(description)) {}

  int Number() const noexcept { return number_; }
  const std::u16string& Description() const noexcept { return description_; }
  const char* what() const noexcept override { return "run-time error"; }

 private:
  int number_;
  std::u16string description_;
};

}  // namespace talvo::com
