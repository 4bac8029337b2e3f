// A named mutex in the global namespace, so that sessions of other users (and the system account
// of a start-up script) see it too.
#include "IstanzaUnica.h"

#include <windows.h>

namespace talvo::finestre {

namespace {

constexpr const char* NomeMutex = "Global\\SetupTalvo.IstanzaUnica";

}  // namespace

IstanzaUnica::IstanzaUnica() : mutex_(::CreateMutexA(nullptr, TRUE, NomeMutex)) {
  const DWORD errore = ::GetLastError();
  // Denied: the mutex exists, created by a process of another user that this one may not open.
  altra_ = !mutex_ ? errore == ERROR_ACCESS_DENIED : errore == ERROR_ALREADY_EXISTS;
}

}  // namespace talvo::finestre
