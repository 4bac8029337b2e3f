// The installer's run-time error: numbers, descriptions and the Win32 mapping of the suite's table.
#include "ErroreRuntime.h"

#include <windows.h>

#include <utility>

#include "errors/Win32Errors.h"

namespace talvo {

std::string DescrizioneErrore(int numero) { return errors::RunTimeErrorDescriptionCp1252(numero); }

int NumeroDaWin32(unsigned long codiceWin32) { return errors::RunTimeNumberFromWin32(codiceWin32); }

ErroreRuntime::ErroreRuntime(int numero) : ErroreRuntime(numero, DescrizioneErrore(numero)) {}

ErroreRuntime::ErroreRuntime(int numero, std::string descrizione)
    : numero_(numero), descrizione_(std::move(descrizione)) {}

void SollevaErroreWin32(unsigned long codiceWin32) { throw ErroreRuntime(NumeroDaWin32(codiceWin32)); }

void SollevaUltimoErroreWin32() { SollevaErroreWin32(::GetLastError()); }

}  // namespace talvo
