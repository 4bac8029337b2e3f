// The file loop: the pipeline of Condotta over the two files, large blocks enciphered in place,
// the last one marked final so that the key stream starts afresh for the next use of the key.
#include "CifraFile.h"

#include <windows.h>

namespace talvo::cifrel {

namespace {

// The file name in the ANSI code page; empty when there is none or it has no exact ANSI form.
std::string NomeAnsi(const wchar_t* nome) {
  if (nome == nullptr || *nome == L'\0') return {};
  BOOL sostituito = FALSE;
  const int n =
      ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, nome, -1, nullptr, 0, nullptr, &sostituito);
  if (n <= 1 || sostituito) return {};
  std::string ansi(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, nome, -1, ansi.data(), n, nullptr, nullptr);
  ansi.pop_back();
  return ansi;
}

unique_hfile Apri(const wchar_t* nome, DWORD creazione, DWORD segnali) {
  const std::string ansi = NomeAnsi(nome);
  if (ansi.empty()) return {};
  return make_hfile(::CreateFileA(ansi.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  creazione, FILE_ATTRIBUTE_NORMAL | segnali, nullptr));
}

// Cuts the file at its current position when it goes out of scope.
class FineDelFile {
 public:
  explicit FineDelFile(HANDLE file) noexcept : file_(file) {}
  FineDelFile(const FineDelFile&) = delete;
  FineDelFile& operator=(const FineDelFile&) = delete;
  ~FineDelFile() { ::SetEndOfFile(file_); }

 private:
  HANDLE file_;
};

// The steps of the pipeline over the two files and the key; the key is used on the calling thread only.
class TappeFile final : public Tappe {
 public:
  TappeFile(HANDLE sorgente, HANDLE destinazione, HCRYPTKEY chiave, bool cifra)
      : sorgente_(sorgente), destinazione_(destinazione), chiave_(chiave), cifra_(cifra) {}

  bool Leggi(std::uint8_t* dati, std::uint32_t n) override {
    DWORD letti = 0;
    return ::ReadFile(sorgente_, dati, n, &letti, nullptr) && letti == n;
  }
  bool Cifra(std::uint8_t* dati, std::uint32_t n, bool finale) override {
    DWORD lunghezza = n;
    const BOOL riuscito = cifra_ ? ::CryptEncrypt(chiave_, 0, finale, 0, dati, &lunghezza, n)
                                 : ::CryptDecrypt(chiave_, 0, finale, 0, dati, &lunghezza);
    return riuscito && lunghezza == n;
  }
  bool Scrivi(const std::uint8_t* dati, std::uint32_t n) override {
    DWORD scritti = 0;
    return ::WriteFile(destinazione_, dati, n, &scritti, nullptr) && scritti == n;
  }

 private:
  HANDLE sorgente_;
  HANDLE destinazione_;
  HCRYPTKEY chiave_;
  bool cifra_;
};

}  // namespace

Esito CifraFile(Chiave& chiave, const std::wstring& password, const wchar_t* input, const wchar_t* output,
                Direzione direzione, Misure misure) {
  // The input is held with read sharing only, so the same path as output cannot be created.
  const unique_hfile sorgente = Apri(input, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
  if (!sorgente) return Esito::CifEncryptNoSourceFile;
  // An existing output is written over in place and cut where the new text ends, rather than
  // truncated when it is opened: on Wine over ext4 a file truncated to nothing is flushed to disk
  // when it is closed, which costs a large file a synchronous write of all its data.
  const unique_hfile destinazione = Apri(output, OPEN_ALWAYS, 0);
  if (!destinazione) return Esito::CifEncryptNoDestinationFile;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    // Replacing a hidden or system file is refused, as creating over it is.
    BY_HANDLE_FILE_INFORMATION informazioni{};
    if (!::GetFileInformationByHandle(destinazione.get(), &informazioni) ||
        (informazioni.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
      return Esito::CifEncryptNoDestinationFile;
    }
  }
  // Whatever the outcome, the output ends after the last byte written, as a file created afresh would.
  const FineDelFile fine(destinazione.get());
  if (!chiave.HaProvider()) return Esito::CifEncryptNoSecurityProvider;
  if (!chiave.DeriveKey(password)) return Esito::CifEncryptProviderError;

  // The whole size, so that a file of 4 GiB or more is processed to its end rather than cut.
  LARGE_INTEGER grandezza{};
  if (!::GetFileSizeEx(sorgente.get(), &grandezza)) return Esito::CifEncryptNoSourceFile;
  if (direzione == Direzione::Cifra) TraceStep("Memory has been allocated for the buffer. \n");
  TappeFile tappe(sorgente.get(), destinazione.get(), chiave.Handle(), direzione == Direzione::Cifra);
  switch (Elabora(tappe, static_cast<std::uint64_t>(grandezza.QuadPart), misure)) {
    case Guasto::Lettura: return Esito::CifEncryptNoSourceFile;
    case Guasto::Cifratura: return Esito::CifEncryptProviderError;
    case Guasto::Scrittura: return Esito::CifEncryptNoDestinationFile;
    case Guasto::Nessuno: break;
  }
  return Esito::CifEncryptSuccess;
}

}  // namespace talvo::cifrel
