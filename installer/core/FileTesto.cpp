// One open-write-close per line, so that the file is complete on disk after every line and no
// handle stays open for a reader.
#include "FileTesto.h"

#include <windows.h>

#include "ErroreRuntime.h"
#include "raii/unique_any.h"

namespace talvo {

void ScriviRiga(const std::string& percorso, const std::string& riga, ModoScrittura modo) {
  const bool accoda = modo == ModoScrittura::Accoda;
  const unique_hfile file = make_hfile(::CreateFileA(
      percorso.c_str(), accoda ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
      nullptr, accoda ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) SollevaUltimoErroreWin32();
  const std::string dati = riga + "\r\n";
  DWORD scritti = 0;
  if (!::WriteFile(file.get(), dati.data(), static_cast<DWORD>(dati.size()), &scritti, nullptr)) {
    SollevaUltimoErroreWin32();
  }
  if (scritti != dati.size()) throw ErroreRuntime(NumeroErrore::DiscoPieno);
}

std::vector<std::string> LeggiRighe(const std::string& percorso) {
  const unique_hfile file =
      make_hfile(::CreateFileA(percorso.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) SollevaUltimoErroreWin32();
  std::string testo;
  char blocco[64 * 1024];
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(file.get(), blocco, sizeof blocco, &n, nullptr)) SollevaUltimoErroreWin32();
    if (n == 0) break;
    testo.append(blocco, n);
  }
  std::vector<std::string> righe;
  std::size_t inizio = 0;
  while (inizio < testo.size()) {
    const std::size_t fine = testo.find_first_of("\r\n", inizio);
    if (fine == std::string::npos) {
      righe.push_back(testo.substr(inizio));
      break;
    }
    righe.push_back(testo.substr(inizio, fine - inizio));
    inizio = fine + (testo.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
  }
  return righe;
}

std::string LeggiPrimaRiga(const std::string& percorso) {
  const unique_hfile file =
      make_hfile(::CreateFileA(percorso.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) SollevaUltimoErroreWin32();
  std::string riga;
  char blocco[512];
  bool letto = false;
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(file.get(), blocco, sizeof blocco, &n, nullptr)) SollevaUltimoErroreWin32();
    if (n == 0) break;
    letto = true;
    const std::string parte(blocco, n);
    const std::size_t fine = parte.find_first_of("\r\n");
    if (fine != std::string::npos) return riga + parte.substr(0, fine);
    riga += parte;
  }
  if (!letto) throw ErroreRuntime(NumeroErrore::InputOltreFine);
  return riga;
}

std::string LeggiTesto(const std::string& percorso) {
  // Shared for writing too: the log is appended to while a reader has it open.
  const unique_hfile file =
      make_hfile(::CreateFileA(percorso.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) SollevaUltimoErroreWin32();
  std::string testo;
  char blocco[16384];
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(file.get(), blocco, sizeof blocco, &n, nullptr)) SollevaUltimoErroreWin32();
    if (n == 0) break;
    testo.append(blocco, n);
  }
  return testo;
}

}  // namespace talvo
