// The run-time error table of the suite: every numbered error that the installer and the servers
// raise, with the Italian description that callers see whatever the machine's language.
// Free of Windows headers, so that code raising these errors builds and runs on any platform.
//
// How it works: TALVO_RUN_TIME_ERRORS is the one row list. Each row gives the number, the name the
// servers use, the name the installer uses and the description. The list is expanded here into
// the named numbers and the table of UTF-16 descriptions, and by the installer into its own names
// for the same numbers, so a number and its text are written once. The installer's narrow text
// (code page 1252) is taken from the same UTF-16 row, character by character: every description
// keeps to ASCII and the Latin-1 letters from A0 on, which code page 1252 holds as the same byte
// value, and a static_assert below enforces it. The row's text is never compiled as a narrow
// literal, so the installer's -fexec-charset does not touch it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// X(number, server name, installer name, description)
#define TALVO_RUN_TIME_ERRORS(X)                                                          \
  X(5, InvalidCall, ChiamataNonValida, "Chiamata di routine o argomento non validi")      \
  X(6, Overflow, Overflow, "Overflow")                                                    \
  X(7, OutOfMemory, MemoriaEsaurita, "Memoria esaurita")                                  \
  X(9, SubscriptOutOfRange, IndiceFuoriIntervallo, "Indice non compreso nell'intervallo") \
  X(11, DivisionByZero, DivisionePerZero, "Divisione per zero")                           \
  X(13, TypeMismatch, TipoNonCorrispondente, "Tipo non corrispondente")                   \
  X(52, BadFileName, NomeFileNonValido, "Nome o numero di file non valido")               \
  X(53, FileNotFound, FileNonTrovato, "Impossibile trovare il file")                      \
  X(55, FileAlreadyOpen, FileGiaAperto, "File già aperto")                                \
  X(57, DeviceIoError, ErroreIO, "Errore di I/O sulla periferica")                        \
  X(58, FileAlreadyExists, FileGiaEsistente, "File già esistente")                        \
  X(61, DiskFull, DiscoPieno, "Disco pieno")                                              \
  X(62, InputPastEndOfFile, InputOltreFine, "Input oltre la fine del file")               \
  X(70, PermissionDenied, AutorizzazioneNegata, "Autorizzazione negata")                  \
  X(71, DiskNotReady, DiscoNonPronto, "Disco non pronto")                                 \
  X(75, PathFileAccessError, AccessoPercorsoFile, "Errore di accesso al percorso/file")   \
  X(76, PathNotFound, PercorsoNonTrovato, "Impossibile trovare il percorso")              \
  X(91, ObjectVariableNotSet, VariabileOggettoNonImpostata,                               \
    "Variabile oggetto o variabile del blocco With non impostata")                        \
  X(94, InvalidUseOfNull, UsoNonValidoDiNull, "Uso non valido di Null")                   \
  X(482, PrinterError, ErroreStampante, "Errore della stampante")                         \
  X(3021, NoCurrentRecord, NessunRecordCorrente, "Nessun record corrente.")               \
  X(3146, OdbcCallFailed, ChiamataOdbc, "Chiamata ODBC non riuscita")

namespace talvo::errors {

// The numbers by name, as the servers and this folder call them.
namespace Number {
#define TALVO_RUN_TIME_ERROR_NUMBER(number, server, installer, text) inline constexpr int server = number;
TALVO_RUN_TIME_ERRORS(TALVO_RUN_TIME_ERROR_NUMBER)
#undef TALVO_RUN_TIME_ERROR_NUMBER
}  // namespace Number

struct RunTimeErrorRow {
  int number;
  std::u16string_view description;
};

#define TALVO_RUN_TIME_ERROR_ROW(number, server, installer, text) RunTimeErrorRow{number, u##text},
inline constexpr RunTimeErrorRow kRunTimeErrors[] = {TALVO_RUN_TIME_ERRORS(TALVO_RUN_TIME_ERROR_ROW)};
#undef TALVO_RUN_TIME_ERROR_ROW

// The text of a number that has no row of its own.
inline constexpr std::u16string_view kGenericDescription =
    u"Errore definito dall'applicazione o dall'oggetto";

// The description of a run-time error number; a number without a row gets the generic text.
constexpr std::u16string_view RunTimeErrorDescription(int number) noexcept {
  for (const RunTimeErrorRow& row : kRunTimeErrors) {
    if (row.number == number) return row.description;
  }
  return kGenericDescription;
}

namespace detail {

// Characters that code page 1252 holds as the same byte value: ASCII and Latin-1 from A0 on.
constexpr bool SameByteInCp1252(std::u16string_view text) noexcept {
  for (char16_t c : text) {
    if (c > 0xFF || (c >= 0x80 && c < 0xA0)) return false;
  }
  return true;
}

constexpr bool AllDescriptionsSameByteInCp1252() noexcept {
  for (const RunTimeErrorRow& row : kRunTimeErrors) {
    if (!SameByteInCp1252(row.description)) return false;
  }
  return SameByteInCp1252(kGenericDescription);
}

static_assert(AllDescriptionsSameByteInCp1252(),
              "a description holds a character whose code page 1252 byte differs from its code point");

}  // namespace detail

// The description in code page 1252, the installer's ANSI code page ("à" is the byte E0).
inline std::string RunTimeErrorDescriptionCp1252(int number) {
  const std::u16string_view text = RunTimeErrorDescription(number);
  std::string out(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    out[i] = static_cast<char>(static_cast<unsigned char>(text[i]));
  return out;
}

}  // namespace talvo::errors
