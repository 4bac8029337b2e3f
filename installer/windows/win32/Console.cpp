// A program linked for windows has no console of its own. When the caller redirected the standard
// handles they are used; otherwise the caller's console is attached (cmd.exe, PowerShell), so
// that `start /wait SetupTalvo.exe /check` prints where it was typed. The handles belong to the
// process: they are never closed here.
#include "Console.h"

#include <windows.h>

namespace talvo::finestre {

namespace {

bool Valido(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

HANDLE ApriConsole(const char* nome) {
  return ::CreateFileA(nome, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

void Scrivi(void* handle, const std::string& testo) {
  if (!Valido(handle)) return;
  DWORD scritti = 0;
  ::WriteFile(handle, testo.data(), static_cast<DWORD>(testo.size()), &scritti, nullptr);
}

}  // namespace

void Console::Prepara() {
  if (pronta_) return;
  pronta_ = true;
  uscita_ = ::GetStdHandle(STD_OUTPUT_HANDLE);
  errore_ = ::GetStdHandle(STD_ERROR_HANDLE);
  if (Valido(uscita_) && Valido(errore_)) return;
  if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!Valido(uscita_)) uscita_ = ApriConsole("CONOUT$");
  if (!Valido(errore_)) errore_ = ApriConsole("CONOUT$");
}

void Console::Uscita(const std::string& testo) {
  Prepara();
  Scrivi(uscita_, testo);
}

void Console::Errore(const std::string& testo) {
  Prepara();
  Scrivi(errore_, testo);
}

}  // namespace talvo::finestre
