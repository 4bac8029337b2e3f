// Directory searches through FindFirstFileA, which sees what a person listing the folder would
// see; hidden and system entries are left out as a plain directory listing leaves them out.
#include "Esistenza.h"

#include <windows.h>


namespace talvo {

namespace {


// The attributes of the first entry the search finds, or nothing.
bool PrimaVoce(const std::string& percorso, DWORD& attributi) {
  if (percorso.empty()) return false;
  WIN32_FIND_DATAA dati{};
  HANDLE h = ::FindFirstFileA(percorso.c_str(), &dati);
  if (h == INVALID_HANDLE_VALUE) return false;
  ::FindClose(h);
  attributi = dati.dwFileAttributes;
  return true;
}

constexpr DWORD Nascosti = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

bool EsisteFile(const std::string& percorso) {
  DWORD attributi = 0;
  if (!PrimaVoce(percorso, attributi)) return false;
  return (attributi & (Nascosti | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

bool EsisteCartella(const std::string& percorso) {
  std::string nome = percorso;
  while (nome.size() > 1 && (nome.back() == '\\' || nome.back() == '/')) nome.pop_back();
  // A drive root has no entry of its own to find: it exists when the platform knows it.
  if (nome.size() == 2 && nome[1] == ':') {
    const DWORD attributi = ::GetFileAttributesA((nome + "\\").c_str());
    return attributi != INVALID_FILE_ATTRIBUTES;
  }
  DWORD attributi = 0;
  if (!PrimaVoce(nome, attributi)) return false;
  return (attributi & Nascosti) == 0;
}

}  // namespace talvo
