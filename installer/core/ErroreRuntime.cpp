// Run-time error numbers, descriptions and the Win32 mapping.
#include "ErroreRuntime.h"

#include <windows.h>

#include <utility>

namespace talvo {

std::string DescrizioneErrore(int numero) {
  switch (numero) {
    case 5: return "Chiamata di routine o argomento non validi";
    case 6: return "Overflow";
    case 7: return "Memoria esaurita";
    case 9: return "Indice non compreso nell'intervallo";
    case 11: return "Divisione per zero";
    case 13: return "Tipo non corrispondente";
    case 52: return "Nome o numero di file non valido";
    case 53: return "Impossibile trovare il file";
    case 55: return "File già aperto";
    case 57: return "Errore di I/O sulla periferica";
    case 58: return "File già esistente";
    case 61: return "Disco pieno";
    case 62: return "Input oltre la fine del file";
    case 70: return "Autorizzazione negata";
    case 71: return "Disco non pronto";
    case 75: return "Errore di accesso al percorso/file";
    case 76: return "Impossibile trovare il percorso";
    case 482: return "Errore della stampante";
    case 3146: return "Chiamata ODBC non riuscita";
    default: return "Errore definito dall'applicazione o dall'oggetto";
  }
}

int NumeroDaWin32(unsigned long codiceWin32) {
  switch (codiceWin32) {
    case ERROR_FILE_NOT_FOUND: return NumeroErrore::FileNonTrovato;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH: return NumeroErrore::PercorsoNonTrovato;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return NumeroErrore::AutorizzazioneNegata;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return NumeroErrore::FileGiaEsistente;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return NumeroErrore::DiscoPieno;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return NumeroErrore::MemoriaEsaurita;
    default: return NumeroErrore::AccessoPercorsoFile;
  }
}

ErroreRuntime::ErroreRuntime(int numero) : ErroreRuntime(numero, DescrizioneErrore(numero)) {}

ErroreRuntime::ErroreRuntime(int numero, std::string descrizione)
    : numero_(numero), descrizione_(std::move(descrizione)) {}

void SollevaErroreWin32(unsigned long codiceWin32) { throw ErroreRuntime(NumeroDaWin32(codiceWin32)); }

void SollevaUltimoErroreWin32() { SollevaErroreWin32(::GetLastError()); }

}  // namespace talvo
