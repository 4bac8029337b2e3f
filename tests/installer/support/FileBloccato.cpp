// Starts the holding program with two named events: one it sets once the file is open, one it
// waits on before letting go.
#include "FileBloccato.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace talvo::test {

FileBloccato::FileBloccato(const std::string& percorso) {
  static std::atomic<unsigned> contatore{0};
  const std::string nome =
      "talvo-blocco-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(contatore++);
  pronto_.reset(::CreateEventA(nullptr, TRUE, FALSE, (nome + "-pronto").c_str()));
  rilascia_.reset(::CreateEventA(nullptr, TRUE, FALSE, (nome + "-rilascia").c_str()));
  if (!pronto_ || !rilascia_) throw std::runtime_error("cannot create the events to lock " + percorso);

  // The build compiles in the host path of the holding program; Wine sees the host's root as Z:.
  std::string programma = std::string("Z:") + TALVO_TIENI_APERTO_EXE;
  for (char& c : programma) {
    if (c == '/') c = '\\';
  }
  std::string riga = "\"" + programma + "\" \"" + percorso + "\" " + nome + "-pronto " + nome + "-rilascia";
  STARTUPINFOA avvio{};
  avvio.cb = sizeof avvio;
  PROCESS_INFORMATION processo{};
  if (!::CreateProcessA(nullptr, riga.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &avvio, &processo)) {
    throw std::runtime_error("cannot start " + programma);
  }
  processo_.reset(processo.hProcess);
  const unique_handle thread(processo.hThread);

  // Either the file is held, or the program ended without holding it.
  const HANDLE attese[] = {pronto_.get(), processo_.get()};
  if (::WaitForMultipleObjects(2, attese, FALSE, 30000) != WAIT_OBJECT_0) {
    Rilascia();
    throw std::runtime_error("another program could not hold " + percorso);
  }
}

FileBloccato::~FileBloccato() { Rilascia(); }

void FileBloccato::Rilascia() noexcept {
  ::SetEvent(rilascia_.get());
  ::WaitForSingleObject(processo_.get(), 30000);
}

}  // namespace talvo::test
