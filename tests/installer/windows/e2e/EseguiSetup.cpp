// Runs a program the way a deployment tool does and reports, on standard error, its full exit
// code (a Unix shell keeps only the low byte) and every visible top-level window it showed:
//   EseguiSetup.exe <program> [arguments...]
//   EseguiSetup.exe --mentre <first program> -- <program> [arguments...]
//   EseguiSetup.exe --bloccando <file> <program> [arguments...]
// With --mentre the first program is started, the run waits until it shows a window, runs the
// second one, and then ends the first. With --bloccando the file is held open, with no sharing,
// by this program while the other runs, as another program holding it would. The program's standard handles
// are this program's, so its output reaches the caller. The last line on standard error reads:
//   ESITO codice=<code> finestre=<count>[ "<title>"...]
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

std::string RigaDiComando(const std::vector<std::string>& argomenti) {
  std::string riga;
  for (const std::string& a : argomenti) {
    if (!riga.empty()) riga += ' ';
    riga += a.find(' ') == std::string::npos ? a : "\"" + a + "\"";
  }
  return riga;
}

struct Finestre {
  DWORD processo;
  std::set<HWND> viste;
  std::vector<std::string> titoli;
};

BOOL CALLBACK Guarda(HWND finestra, LPARAM dati) {
  auto& f = *reinterpret_cast<Finestre*>(dati);
  DWORD processo = 0;
  ::GetWindowThreadProcessId(finestra, &processo);
  if (processo != f.processo || !::IsWindowVisible(finestra) || f.viste.count(finestra)) return TRUE;
  f.viste.insert(finestra);
  char titolo[256] = {};
  ::GetWindowTextA(finestra, titolo, sizeof titolo);
  f.titoli.push_back(titolo);
  return TRUE;
}

bool Avvia(const std::vector<std::string>& argomenti, PROCESS_INFORMATION& processo) {
  STARTUPINFOA avvio{};
  avvio.cb = sizeof avvio;
  std::string riga = RigaDiComando(argomenti);
  return ::CreateProcessA(nullptr, riga.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &avvio,
                          &processo) != FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> argomenti(argv + 1, argv + argc);
  HANDLE bloccato = INVALID_HANDLE_VALUE;
  if (argomenti.size() > 1 && argomenti[0] == "--bloccando") {
    bloccato = ::CreateFileA(argomenti[1].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (bloccato == INVALID_HANDLE_VALUE) {
      std::fprintf(stderr, "could not hold %s\n", argomenti[1].c_str());
      return 2;
    }
    argomenti.erase(argomenti.begin(), argomenti.begin() + 2);
  }
  PROCESS_INFORMATION primo{};
  if (!argomenti.empty() && argomenti[0] == "--mentre") {
    std::vector<std::string> comando;
    std::size_t i = 1;
    for (; i < argomenti.size() && argomenti[i] != "--"; ++i) comando.push_back(argomenti[i]);
    argomenti.erase(argomenti.begin(),
                    argomenti.begin() + static_cast<std::ptrdiff_t>(std::min(i + 1, argomenti.size())));
    if (!Avvia(comando, primo)) {
      std::fprintf(stderr, "could not start %s\n", comando.empty() ? "" : comando[0].c_str());
      return 2;
    }
    Finestre suo{primo.dwProcessId, {}, {}};
    for (int attesa = 0; suo.viste.empty() && attesa < 600; ++attesa) {
      ::EnumWindows(Guarda, reinterpret_cast<LPARAM>(&suo));
      ::Sleep(100);
    }
    if (suo.viste.empty()) std::fprintf(stderr, "the first program showed no window\n");
  }
  if (argomenti.empty()) {
    std::fprintf(stderr, "usage: EseguiSetup.exe [--mentre <program> --] <program> [arguments...]\n");
    return 2;
  }

  PROCESS_INFORMATION processo{};
  if (!Avvia(argomenti, processo)) {
    std::fprintf(stderr, "could not start %s\n", argomenti[0].c_str());
    return 2;
  }
  Finestre sue{processo.dwProcessId, {}, {}};
  do {
    ::EnumWindows(Guarda, reinterpret_cast<LPARAM>(&sue));
  } while (::WaitForSingleObject(processo.hProcess, 20) == WAIT_TIMEOUT);
  DWORD codice = 0;
  ::GetExitCodeProcess(processo.hProcess, &codice);
  ::CloseHandle(processo.hThread);
  ::CloseHandle(processo.hProcess);

  if (bloccato != INVALID_HANDLE_VALUE) ::CloseHandle(bloccato);
  if (primo.hProcess) {
    ::TerminateProcess(primo.hProcess, 0);
    ::WaitForSingleObject(primo.hProcess, 10000);
    ::CloseHandle(primo.hThread);
    ::CloseHandle(primo.hProcess);
  }

  std::string esito =
      "ESITO codice=" + std::to_string(codice) + " finestre=" + std::to_string(sue.viste.size());
  for (const std::string& titolo : sue.titoli) esito += " \"" + titolo + "\"";
  std::fprintf(stderr, "%s\n", esito.c_str());
  return 0;
}
