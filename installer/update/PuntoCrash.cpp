// Reading the crash point from the environment and ending the process there.
#include "PuntoCrash.h"

#include <windows.h>

#include <cstdlib>

namespace talvo {

namespace {

constexpr const char* Variabile = "TALVO_PUNTO_CRASH";

struct NomeEvento {
  const char* nome;
  EventoCrash evento;
};

constexpr NomeEvento Eventi[] = {
    {"voce", EventoCrash::Voce},
    {"rinomina", EventoCrash::Rinomina},
    {"copia", EventoCrash::Copia},
    {"ripristino", EventoCrash::Ripristino},
};

}  // namespace

std::optional<PuntoCrash> PuntoCrash::Analizza(const std::string& valore) {
  const std::size_t duepunti = valore.find(':');
  const std::string nome = valore.substr(0, duepunti);
  PuntoCrash punto;
  bool trovato = false;
  for (const NomeEvento& evento : Eventi) {
    if (nome == evento.nome) {
      punto.evento_ = evento.evento;
      trovato = true;
    }
  }
  if (!trovato) return std::nullopt;
  if (duepunti != std::string::npos) {
    const std::string numero = valore.substr(duepunti + 1);
    if (numero.empty() || numero.size() > 9 || numero.find_first_not_of("0123456789") != std::string::npos)
      return std::nullopt;
    punto.file_ = std::strtoul(numero.c_str(), nullptr, 10);
    if (punto.file_ == 0) return std::nullopt;
  }
  punto.attivo_ = true;
  return punto;
}

PuntoCrash PuntoCrash::DaAmbiente() {
  char valore[64];
  const DWORD lunghezza = ::GetEnvironmentVariableA(Variabile, valore, sizeof valore);
  if (lunghezza == 0 || lunghezza >= sizeof valore) return PuntoCrash();
  return Analizza(std::string(valore, lunghezza)).value_or(PuntoCrash());
}

void PuntoCrash::Verifica(EventoCrash evento, std::size_t k) const noexcept {
  if (attivo_ && evento == evento_ && k == file_) {
    ::TerminateProcess(::GetCurrentProcess(), CodiceUscitaCrash);
  }
}

}  // namespace talvo
