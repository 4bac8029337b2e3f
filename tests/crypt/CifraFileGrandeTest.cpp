// A file of 4 GiB and a little more, enciphered and deciphered whole: its size does not fit in 32
// bits, so a loop that cut it there would give a short or wrong file. The input is sparse apart
// from a few marked regions (one across the 4 GiB mark), so it costs no time to lay out; the round
// trip is checked by comparing the deciphered file with the input in one streaming pass.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Chiave.h"
#include "CifraFile.h"
#include "FileDiProva.h"

namespace talvo::cifrel {
namespace {

constexpr std::uint64_t kQuattroGiB = std::uint64_t{1} << 32;
constexpr std::uint64_t kDimensione = kQuattroGiB + 4099;

struct Regione {
  std::uint64_t inizio;
  std::uint32_t lunghezza;
};
const Regione kRegioni[] = {{0, 65536}, {kQuattroGiB - 1000, 4000}, {kDimensione - 100, 100}};

unique_hfile Apri(const std::string& percorso, DWORD accesso, DWORD creazione) {
  return make_hfile(::CreateFileA(percorso.c_str(), accesso, FILE_SHARE_READ, nullptr, creazione,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::uint64_t Dimensione(const std::string& percorso) {
  WIN32_FILE_ATTRIBUTE_DATA dati{};
  if (!::GetFileAttributesExA(percorso.c_str(), GetFileExInfoStandard, &dati)) return 0;
  return (std::uint64_t{dati.nFileSizeHigh} << 32) | dati.nFileSizeLow;
}

bool Posiziona(HANDLE file, std::uint64_t posizione) {
  LARGE_INTEGER dove;
  dove.QuadPart = static_cast<LONGLONG>(posizione);
  return ::SetFilePointerEx(file, dove, nullptr, FILE_BEGIN) != FALSE;
}

std::vector<std::uint8_t> Contenuto(const Regione& regione) {
  std::vector<std::uint8_t> dati(regione.lunghezza);
  for (std::uint32_t i = 0; i < regione.lunghezza; ++i) {
    dati[i] = static_cast<std::uint8_t>((regione.inizio + i) * 2654435761u >> 24);
  }
  return dati;
}

std::vector<std::uint8_t> Leggi(const std::string& percorso, const Regione& regione) {
  const unique_hfile file = Apri(percorso, GENERIC_READ, OPEN_EXISTING);
  std::vector<std::uint8_t> dati(regione.lunghezza);
  DWORD letti = 0;
  if (!file || !Posiziona(file.get(), regione.inizio) ||
      !::ReadFile(file.get(), dati.data(), regione.lunghezza, &letti, nullptr)) {
    return {};
  }
  dati.resize(letti);
  return dati;
}

// Whether the two files hold the same bytes, read side by side in large pieces.
bool Uguali(const std::string& a, const std::string& b) {
  const unique_hfile fileA = Apri(a, GENERIC_READ, OPEN_EXISTING);
  const unique_hfile fileB = Apri(b, GENERIC_READ, OPEN_EXISTING);
  if (!fileA || !fileB) return false;
  std::vector<std::uint8_t> pezzoA(8 << 20), pezzoB(8 << 20);
  for (;;) {
    DWORD lettiA = 0, lettiB = 0;
    if (!::ReadFile(fileA.get(), pezzoA.data(), static_cast<DWORD>(pezzoA.size()), &lettiA, nullptr) ||
        !::ReadFile(fileB.get(), pezzoB.data(), static_cast<DWORD>(pezzoB.size()), &lettiB, nullptr) ||
        lettiA != lettiB) {
      return false;
    }
    if (lettiA == 0) return true;
    if (std::memcmp(pezzoA.data(), pezzoB.data(), lettiA) != 0) return false;
  }
}

double Secondi(std::chrono::steady_clock::time_point da) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - da).count();
}

TEST(CifraFileGrandeTest, AFilePastFourGiBRoundTripsWhole) {
  test::CartellaTemporanea cartella;
  const std::string chiaro = cartella / "chiaro", cifrato = cartella / "cifrato",
                    decifrato = cartella / "decifrato";
  {
    const unique_hfile file = Apri(chiaro, GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_TRUE(file);
    ASSERT_TRUE(Posiziona(file.get(), kDimensione));
    ASSERT_TRUE(::SetEndOfFile(file.get()));
    for (const Regione& regione : kRegioni) {
      const std::vector<std::uint8_t> dati = Contenuto(regione);
      DWORD scritti = 0;
      ASSERT_TRUE(Posiziona(file.get(), regione.inizio));
      ASSERT_TRUE(::WriteFile(file.get(), dati.data(), regione.lunghezza, &scritti, nullptr));
    }
  }
  ASSERT_EQ(Dimensione(chiaro), kDimensione);

  Chiave chiave;
  const auto inizio = std::chrono::steady_clock::now();
  ASSERT_EQ(CifraFile(chiave, L"secret", std::wstring(chiaro.begin(), chiaro.end()).c_str(),
                      std::wstring(cifrato.begin(), cifrato.end()).c_str(), Direzione::Cifra),
            Esito::CifEncryptSuccess);
  const double cifra = Secondi(inizio);
  ASSERT_EQ(Dimensione(cifrato), kDimensione);
  // Enciphered all the way: past the 4 GiB mark and up to the last byte.
  for (const Regione& regione : kRegioni) {
    const std::vector<std::uint8_t> letti = Leggi(cifrato, regione);
    ASSERT_EQ(letti.size(), regione.lunghezza);
    EXPECT_NE(letti, Contenuto(regione)) << regione.inizio;
  }

  const auto inizioDecifra = std::chrono::steady_clock::now();
  ASSERT_EQ(CifraFile(chiave, L"secret", std::wstring(cifrato.begin(), cifrato.end()).c_str(),
                      std::wstring(decifrato.begin(), decifrato.end()).c_str(), Direzione::Decifra),
            Esito::CifEncryptSuccess);
  const double decifra = Secondi(inizioDecifra);
  test::Elimina(cifrato);
  ASSERT_EQ(Dimensione(decifrato), kDimensione);
  const auto inizioConfronto = std::chrono::steady_clock::now();
  EXPECT_TRUE(Uguali(chiaro, decifrato));
  std::printf("enciphered in %.1f s, deciphered in %.1f s, compared in %.1f s\n", cifra, decifra,
              Secondi(inizioConfronto));
}

}  // namespace
}  // namespace talvo::cifrel
