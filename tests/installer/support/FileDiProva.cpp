// Whole-file helpers over the Win32 file API, so that tests see exactly what the product sees.
#include "FileDiProva.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "raii/unique_any.h"

namespace talvo::test {

std::string LeggiFile(const std::string& percorso) {
  const unique_hfile file =
      make_hfile(::CreateFileA(percorso.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot read " + percorso);
  std::string contenuto;
  char buffer[65536];
  DWORD letti = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &letti, nullptr) && letti > 0) {
    contenuto.append(buffer, letti);
  }
  return contenuto;
}

void ScriviFile(const std::string& percorso, const std::string& contenuto) {
  const unique_hfile file = make_hfile(::CreateFileA(percorso.c_str(), GENERIC_WRITE, 0, nullptr,
                                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot write " + percorso);
  DWORD scritti = 0;
  if (!::WriteFile(file.get(), contenuto.data(), static_cast<DWORD>(contenuto.size()), &scritti, nullptr) ||
      scritti != contenuto.size()) {
    throw std::runtime_error("short write to " + percorso);
  }
}

bool EsisteFile(const std::string& percorso) {
  return ::GetFileAttributesA(percorso.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Elimina(const std::string& percorso) {
  const DWORD attributi = ::GetFileAttributesA(percorso.c_str());
  if (attributi == INVALID_FILE_ATTRIBUTES) return;
  ::SetFileAttributesA(percorso.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributi & FILE_ATTRIBUTE_DIRECTORY)) {
    ::DeleteFileA(percorso.c_str());
    return;
  }
  WIN32_FIND_DATAA dati;
  const unique_hfind ricerca = make_hfind(::FindFirstFileA((percorso + "\\*").c_str(), &dati));
  if (ricerca) {
    do {
      const std::string nome = dati.cFileName;
      if (nome != "." && nome != "..") Elimina(percorso + "\\" + nome);
    } while (::FindNextFileA(ricerca.get(), &dati));
  }
  ::RemoveDirectoryA(percorso.c_str());
}

std::vector<std::string> Righe(const std::string& testo) {
  std::vector<std::string> righe;
  std::size_t inizio = 0;
  while (inizio < testo.size()) {
    std::size_t fine = testo.find("\r\n", inizio);
    if (fine == std::string::npos) fine = testo.size();
    righe.push_back(testo.substr(inizio, fine - inizio));
    inizio = fine + 2;
  }
  return righe;
}

CartellaTemporanea::CartellaTemporanea() {
  static std::atomic<unsigned> contatore{0};
  char base[MAX_PATH] = {};
  ::GetTempPathA(sizeof base, base);
  for (;;) {
    percorso_ = std::string(base) + "talvo-" + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(contatore++) + "\\";
    if (::CreateDirectoryA(percorso_.c_str(), nullptr)) return;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + percorso_);
  }
}

CartellaTemporanea::~CartellaTemporanea() { Elimina(percorso_.substr(0, percorso_.size() - 1)); }

}  // namespace talvo::test
