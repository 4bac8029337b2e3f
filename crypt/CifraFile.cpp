// The file loop: large chunks enciphered in place, the last one marked final so that the key
// stream starts afresh for the next use of the key. RC4 is a stream cipher, so the chunk size
// changes nothing in the output; large chunks keep the cost of the calls (read, cipher, write)
// small against the cipher's own work.
#include "CifraFile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

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

unique_hfile Apri(const wchar_t* nome, DWORD creazione) {
  const std::string ansi = NomeAnsi(nome);
  if (ansi.empty()) return {};
  return make_hfile(::CreateFileA(ansi.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  creazione, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

Esito CifraFile(Chiave& chiave, const std::wstring& password, const wchar_t* input, const wchar_t* output,
                Direzione direzione) {
  // The input is held with read sharing only, so the same path as output cannot be created.
  const unique_hfile sorgente = Apri(input, OPEN_EXISTING);
  if (!sorgente) return Esito::CifEncryptNoSourceFile;
  const unique_hfile destinazione = Apri(output, CREATE_ALWAYS);
  if (!destinazione) return Esito::CifEncryptNoDestinationFile;
  if (!chiave.HaProvider()) return Esito::CifEncryptNoSecurityProvider;
  if (!chiave.DeriveKey(password)) return Esito::CifEncryptProviderError;

  const bool cifra = direzione == Direzione::Cifra;
  constexpr DWORD Blocco = 1 << 20;
  // The whole size, so that a file of 4 GiB or more is processed to its end rather than cut.
  LARGE_INTEGER grandezza{};
  if (!::GetFileSizeEx(sorgente.get(), &grandezza)) return Esito::CifEncryptNoSourceFile;
  const ULONGLONG dimensione = static_cast<ULONGLONG>(grandezza.QuadPart);
  // A small file needs no more than its own size.
  std::vector<BYTE> buffer(
      static_cast<std::size_t>(std::max<ULONGLONG>(1, std::min<ULONGLONG>(Blocco, dimensione))));
  if (cifra) TraceStep("Memory has been allocated for the buffer. \n");

  ULONGLONG totale = 0;
  // An empty input still makes one final call, which returns the key to its initial state.
  do {
    const DWORD attesi = static_cast<DWORD>(std::min<ULONGLONG>(buffer.size(), dimensione - totale));
    DWORD letti = 0;
    if (!::ReadFile(sorgente.get(), buffer.data(), attesi, &letti, nullptr) || letti != attesi) {
      return Esito::CifEncryptNoSourceFile;
    }
    totale += letti;
    const BOOL finale = totale >= dimensione;
    DWORD lunghezza = letti;
    const BOOL riuscito = cifra ? ::CryptEncrypt(chiave.Handle(), 0, finale, 0, buffer.data(), &lunghezza,
                                                 static_cast<DWORD>(buffer.size()))
                                : ::CryptDecrypt(chiave.Handle(), 0, finale, 0, buffer.data(), &lunghezza);
    if (!riuscito || lunghezza != letti) return Esito::CifEncryptProviderError;
    DWORD scritti = 0;
    if (!::WriteFile(destinazione.get(), buffer.data(), lunghezza, &scritti, nullptr) ||
        scritti != lunghezza) {
      return Esito::CifEncryptNoDestinationFile;
    }
  } while (totale < dimensione);
  return Esito::CifEncryptSuccess;
}

}  // namespace talvo::cifrel
