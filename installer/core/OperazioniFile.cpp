// Existence tests through FindFirstFileA, which sees what a person listing the folder would see
// (hidden and system entries are left out as a plain directory listing leaves them out), and the
// file operations through the -A functions, their failures mapped by the suite's run-time table.
#include "OperazioniFile.h"

#include <windows.h>

#include "ErroreRuntime.h"
#include "Testo.h"
#include "errors/Win32Errors.h"
#include "raii/unique_any.h"

namespace talvo {

namespace {

constexpr DWORD Nascosti = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Whether the search finds an entry none of whose attributes are among those excluded. A name
// with wildcards may match several entries: the search goes on past those that do not count.
// A plain name is looked up by its attributes alone, which answers the same in one call instead
// of opening and reading its folder.
bool TrovaVoce(const std::string& percorso, DWORD esclusi) {
  if (percorso.empty()) return false;
  if (percorso.find_first_of("*?<>\"") == std::string::npos) {
    // A search for a name ending in a separator finds nothing.
    if (percorso.back() == '\\' || percorso.back() == '/') return false;
    const DWORD attributi = ::GetFileAttributesA(percorso.c_str());
    return attributi != INVALID_FILE_ATTRIBUTES && (attributi & esclusi) == 0;
  }
  WIN32_FIND_DATAA dati{};
  const unique_hfind ricerca = make_hfind(::FindFirstFileA(percorso.c_str(), &dati));
  if (!ricerca) return false;
  do {
    if ((dati.dwFileAttributes & esclusi) == 0) return true;
  } while (::FindNextFileA(ricerca.get(), &dati));
  return false;
}

// The run-time error number of a Win32 call's outcome: 0 when it succeeded.
int Esito(BOOL riuscita) noexcept { return riuscita ? 0 : errors::RunTimeNumberFromWin32(::GetLastError()); }

void SollevaSeFallita(int numero) {
  if (numero != 0) throw ErroreRuntime(numero);
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

int CopiaSovrascrivendo_nothrow(const std::string& sorgente, const std::string& destinazione) noexcept {
  // Windows' CopyFile refuses to replace a read-only, hidden or system file (access denied);
  // Wine's replaces it. The test is made here so that the installer behaves the same on both.
  const DWORD attributi = ::GetFileAttributesA(destinazione.c_str());
  if (attributi != INVALID_FILE_ATTRIBUTES && !(attributi & FILE_ATTRIBUTE_DIRECTORY) &&
      (attributi & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
    return errors::RunTimeNumberFromWin32(ERROR_ACCESS_DENIED);
  }
  return Esito(::CopyFileA(sorgente.c_str(), destinazione.c_str(), FALSE));
}

bool CartelleEsistenti::Esiste(const std::string& cartella) {
  const std::string chiave = Minuscolo(cartella);
  auto nota = note_.find(chiave);
  if (nota == note_.end()) nota = note_.emplace(chiave, EsisteCartella(cartella)).first;
  return nota->second;
}

void CopiaSovrascrivendo(const std::string& sorgente, const std::string& destinazione) {
  SollevaSeFallita(CopiaSovrascrivendo_nothrow(sorgente, destinazione));
}

void CopiaSuPostoLibero(const std::string& sorgente, const std::string& destinazione) {
  SollevaSeFallita(Esito(::CopyFileA(sorgente.c_str(), destinazione.c_str(), TRUE)));
}

int Rinomina_nothrow(const std::string& vecchio, const std::string& nuovo) noexcept {
  // MoveFileA never replaces an existing target, as a rename must not.
  return Esito(::MoveFileA(vecchio.c_str(), nuovo.c_str()));
}

void Rinomina(const std::string& vecchio, const std::string& nuovo) {
  SollevaSeFallita(Rinomina_nothrow(vecchio, nuovo));
}

int EliminaFile_nothrow(const std::string& percorso) noexcept {
  return Esito(::DeleteFileA(percorso.c_str()));
}

void EliminaFile(const std::string& percorso) { SollevaSeFallita(EliminaFile_nothrow(percorso)); }

int CreaCartella_nothrow(const std::string& percorso) noexcept {
  return Esito(::CreateDirectoryA(percorso.c_str(), nullptr));
}

void CreaCartella(const std::string& percorso) { SollevaSeFallita(CreaCartella_nothrow(percorso)); }

bool FilePresente(const std::string& percorso) {
  const DWORD attributi = ::GetFileAttributesA(percorso.c_str());
  return attributi != INVALID_FILE_ATTRIBUTES && (attributi & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace talvo
