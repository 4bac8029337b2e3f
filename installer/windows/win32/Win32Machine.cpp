// Machine queries through the Win32 API, with the buffer sizes the installer has always offered.
#include "Win32Machine.h"

#include <windows.h>

#include <chrono>
#include <thread>

#include "raii/unique_any.h"

namespace talvo {

std::vector<std::string> Win32Machine::RadiciDischi() {
  char buffer[255] = {};
  const DWORD n = ::GetLogicalDriveStringsA(sizeof buffer, buffer);
  std::vector<std::string> radici;
  if (n == 0 || n > sizeof buffer) return radici;
  // The roots come as a sequence of NUL-terminated texts closed by an empty one.
  for (const char* p = buffer; *p != '\0'; p += radici.back().size() + 1) radici.emplace_back(p);
  return radici;
}

TipoDisco Win32Machine::TipoDiDisco(const std::string& radice) {
  switch (::GetDriveTypeA(radice.c_str())) {
    case DRIVE_REMOVABLE: return TipoDisco::Removibile;
    case DRIVE_FIXED: return TipoDisco::Fisso;
    case DRIVE_REMOTE: return TipoDisco::Rete;
    case DRIVE_CDROM: return TipoDisco::Ottico;
    case DRIVE_RAMDISK: return TipoDisco::RamDisk;
    default: return TipoDisco::Sconosciuto;
  }
}

std::string Win32Machine::CartellaWindows() {
  char buffer[200] = {};
  const UINT n = ::GetWindowsDirectoryA(buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string Win32Machine::CartellaSistema() {
  char buffer[512] = {};
  const UINT n = ::GetSystemDirectoryA(buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string Win32Machine::NomeUtente() {
  // 25 characters: longer names make the call fail and read as no name at all.
  char buffer[25] = {};
  DWORD dimensione = sizeof buffer;
  if (!::GetUserNameA(buffer, &dimensione)) return {};
  return std::string(buffer);
}

bool Win32Machine::UtenteAmministratore() {
  // Looked up at run time: where the shell does not offer the function the answer is no.
  const unique_hmodule shell(::LoadLibraryA("shell32.dll"));
  if (!shell) return false;
  using IsUserAnAdminFn = BOOL(WINAPI*)();
  const auto funzione = reinterpret_cast<IsUserAnAdminFn>(
      reinterpret_cast<void*>(::GetProcAddress(shell.get(), "IsUserAnAdmin")));
  return funzione != nullptr && funzione() != FALSE;
}

bool Win32Machine::AccountDiSistema() {
  HANDLE gettone = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &gettone)) return false;
  const unique_handle proprio(gettone);
  // TOKEN_USER followed by the SID it points into.
  alignas(TOKEN_USER) unsigned char dati[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE] = {};
  DWORD lunghezza = 0;
  if (!::GetTokenInformation(proprio.get(), TokenUser, dati, sizeof dati, &lunghezza)) return false;
  return ::IsWellKnownSid(reinterpret_cast<TOKEN_USER*>(dati)->User.Sid, WinLocalSystemSid) != FALSE;
}

bool Win32Machine::AvviaNascosto(const std::string& rigaDiComando) {
  STARTUPINFOA avvio{};
  avvio.cb = sizeof avvio;
  avvio.dwFlags = STARTF_USESHOWWINDOW;
  avvio.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION processo{};
  std::string riga = rigaDiComando;  // CreateProcessA may write into the command line
  if (!::CreateProcessA(nullptr, riga.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &avvio,
                        &processo)) {
    return false;
  }
  unique_handle thread(processo.hThread);
  unique_handle process(processo.hProcess);
  return true;
}

void Win32Machine::AttendiDueSecondi() {
  // A monotonic clock: the wait ends after two seconds also across midnight or a clock change.
  const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < fine) std::this_thread::sleep_until(fine);
}

}  // namespace talvo
