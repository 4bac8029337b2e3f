// Directory searches through FindFirstFileA, which sees what a person listing the folder would
// see; hidden and system entries are left out as a plain directory listing leaves them out.
#include "Esistenza.h"

#include <windows.h>

#include "Testo.h"

namespace talvo {

namespace {

constexpr DWORD Nascosti = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Closes a directory search when it goes out of scope.
class Ricerca {
 public:
  Ricerca(const std::string& percorso, WIN32_FIND_DATAA& dati)
      : handle_(::FindFirstFileA(percorso.c_str(), &dati)) {}
  ~Ricerca() {
    if (Aperta()) ::FindClose(handle_);
  }
  Ricerca(const Ricerca&) = delete;
  Ricerca& operator=(const Ricerca&) = delete;

  bool Aperta() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Prossima(WIN32_FIND_DATAA& dati) { return ::FindNextFileA(handle_, &dati) != FALSE; }

 private:
  HANDLE handle_;
};

// Whether the search finds an entry none of whose attributes are among those excluded. A name
// with wildcards may match several entries: the search goes on past those that do not count.
bool TrovaVoce(const std::string& percorso, DWORD esclusi) {
  if (percorso.empty()) return false;
  WIN32_FIND_DATAA dati{};
  Ricerca ricerca(percorso, dati);
  if (!ricerca.Aperta()) return false;
  do {
    if ((dati.dwFileAttributes & esclusi) == 0) return true;
  } while (ricerca.Prossima(dati));
  return false;
}

}  // namespace

bool EsisteFile(const std::string& percorso) {
  return TrovaVoce(percorso, Nascosti | FILE_ATTRIBUTE_DIRECTORY);
}

bool EsisteCartella(const std::string& percorso) {
  const std::string nome = SenzaBarraFinale(percorso);
  // A drive root has no entry of its own to find: it exists when the platform knows it.
  if (nome.size() == 2 && nome[1] == ':') {
    const DWORD attributi = ::GetFileAttributesA((nome + "\\").c_str());
    return attributi != INVALID_FILE_ATTRIBUTES;
  }
  return TrovaVoce(nome, Nascosti);
}

}  // namespace talvo
