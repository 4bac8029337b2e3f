// Whole-file encryption over the real Base provider: known key stream, round trips, failures.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "Chiave.h"
#include "CifraFile.h"
#include "FileDiProva.h"

namespace talvo::cifrel {
namespace {

using test::CartellaTemporanea;
using test::EsisteFile;
using test::LeggiFile;
using test::ScriviFile;

std::wstring Wide(const std::string& testo) { return std::wstring(testo.begin(), testo.end()); }

// The Base provider's key stream for "secret": MD5 of the UTF-16LE password, a 40-bit RC4 key
// and 11 zero bytes of salt.
const std::string FlussoSecret("\x9c\x8e\x01\x23\x78\xf7\x55\xdc\x85\xc8\xc9\x09\x4e\x13\x74\xbf", 16);

// An independent RC4 key stream: the 40-bit key the Base provider derives for "secret" (the first
// five bytes of MD5 of its UTF-16LE bytes) followed by 11 zero bytes of salt.
std::string FlussoRc4Secret(std::size_t n) {
  const unsigned char chiave[16] = {0x09, 0x43, 0x3e, 0x18, 0x53};
  unsigned char s[256];
  for (int i = 0; i < 256; ++i) s[i] = static_cast<unsigned char>(i);
  for (int i = 0, j = 0; i < 256; ++i) {
    j = (j + s[i] + chiave[i % 16]) & 255;
    std::swap(s[i], s[j]);
  }
  std::string flusso(n, '\0');
  for (std::size_t k = 0, i = 0, j = 0; k < n; ++k) {
    i = (i + 1) & 255;
    j = (j + s[i]) & 255;
    std::swap(s[i], s[j]);
    flusso[k] = static_cast<char>(s[(s[i] + s[j]) & 255]);
  }
  return flusso;
}

class CifraFileTest : public ::testing::Test {
 protected:
  CartellaTemporanea cartella;
  Chiave chiave;

  Esito Esegui(const std::string& da, const std::string& a, Direzione direzione,
               const std::wstring& password = L"secret", Misure misure = kMisureFile) {
    return CifraFile(chiave, password, Wide(da).c_str(), Wide(a).c_str(), direzione, misure);
  }
};

TEST_F(CifraFileTest, ZeroBytesGiveTheKeyStream) {
  ASSERT_TRUE(chiave.HaProvider());
  ScriviFile(cartella / "zeri", std::string(16, '\0'));
  ASSERT_EQ(Esegui(cartella / "zeri", cartella / "flusso", Direzione::Cifra), Esito::CifEncryptSuccess);
  EXPECT_EQ(LeggiFile(cartella / "flusso"), FlussoSecret);
  // Deciphering is the same operation.
  ASSERT_EQ(Esegui(cartella / "zeri", cartella / "flusso2", Direzione::Decifra), Esito::CifEncryptSuccess);
  EXPECT_EQ(LeggiFile(cartella / "flusso2"), FlussoSecret);
}

TEST_F(CifraFileTest, TheKeyStreamRunsOnAcrossChunksAndRestartsForEachFile) {
  ScriviFile(cartella / "lungo", std::string(2500, '\0'));
  ScriviFile(cartella / "corto", std::string(1000, '\0'));
  ASSERT_EQ(Esegui(cartella / "lungo", cartella / "flusso-lungo", Direzione::Cifra),
            Esito::CifEncryptSuccess);
  ASSERT_EQ(Esegui(cartella / "corto", cartella / "flusso-corto", Direzione::Cifra),
            Esito::CifEncryptSuccess);
  const std::string lungo = LeggiFile(cartella / "flusso-lungo");
  ASSERT_EQ(lungo.size(), 2500u);
  EXPECT_EQ(lungo.substr(0, 16), FlussoSecret);
  EXPECT_EQ(LeggiFile(cartella / "flusso-corto"), lungo.substr(0, 1000));
  EXPECT_NE(lungo.substr(1000, 16), FlussoSecret);
}

TEST_F(CifraFileTest, LargeFilesGiveTheSameKeyStreamAsAByteByByteCipher) {
  ASSERT_EQ(FlussoRc4Secret(16), FlussoSecret);
  // Across several of the loop's chunks, with a short last one, in both directions.
  const std::size_t dimensione = 2u * 1024 * 1024 + 5;
  ScriviFile(cartella / "zeri", std::string(dimensione, '\0'));
  const std::string atteso = FlussoRc4Secret(dimensione);
  for (Direzione direzione : {Direzione::Cifra, Direzione::Decifra}) {
    ASSERT_EQ(Esegui(cartella / "zeri", cartella / "flusso", direzione), Esito::CifEncryptSuccess);
    EXPECT_TRUE(LeggiFile(cartella / "flusso") == atteso);
  }
  // The blocks' size and number change nothing in the output.
  for (Misure misure : {Misure{4099, 2}, Misure{65536, 3}, Misure{4u << 20, 4}}) {
    ASSERT_EQ(Esegui(cartella / "zeri", cartella / "flusso", Direzione::Cifra, L"secret", misure),
              Esito::CifEncryptSuccess);
    EXPECT_TRUE(LeggiFile(cartella / "flusso") == atteso) << misure.blocco << " x " << misure.buffer;
  }
}

TEST_F(CifraFileTest, EverySizeRoundTripsByteForByte) {
  for (std::size_t dimensione : {0u, 1u, 999u, 1000u, 1001u, 2000u, 3u * 1024 * 1024 + 7}) {
    std::string chiaro(dimensione, '\0');
    for (std::size_t i = 0; i < dimensione; ++i) chiaro[i] = static_cast<char>((i * 131 + 7) % 251);
    ScriviFile(cartella / "chiaro", chiaro);
    ASSERT_EQ(Esegui(cartella / "chiaro", cartella / "cifrato", Direzione::Cifra), Esito::CifEncryptSuccess);
    const std::string cifrato = LeggiFile(cartella / "cifrato");
    ASSERT_EQ(cifrato.size(), dimensione);
    if (dimensione > 0) {
      EXPECT_NE(cifrato, chiaro) << dimensione;
    }
    ASSERT_EQ(Esegui(cartella / "cifrato", cartella / "decifrato-con-nome-piu-lungo", Direzione::Decifra),
              Esito::CifEncryptSuccess);
    EXPECT_TRUE(LeggiFile(cartella / "decifrato-con-nome-piu-lungo") == chiaro) << dimensione;
    // Enciphering twice gives back the plain file.
    ASSERT_EQ(Esegui(cartella / "cifrato", cartella / "due-volte", Direzione::Cifra),
              Esito::CifEncryptSuccess);
    EXPECT_TRUE(LeggiFile(cartella / "due-volte") == chiaro) << dimensione;
  }
}

TEST_F(CifraFileTest, AnExistingOutputIsReplacedWholeUnlessHiddenOrSystem) {
  ScriviFile(cartella / "chiaro", "breve");
  ScriviFile(cartella / "cifrato", std::string(3u * 1024 * 1024, 'x'));
  ASSERT_EQ(Esegui(cartella / "chiaro", cartella / "cifrato", Direzione::Cifra), Esito::CifEncryptSuccess);
  EXPECT_EQ(LeggiFile(cartella / "cifrato").size(), 5u);  // nothing of the longer file is left
  ASSERT_EQ(Esegui(cartella / "cifrato", cartella / "decifrato", Direzione::Decifra),
            Esito::CifEncryptSuccess);
  EXPECT_EQ(LeggiFile(cartella / "decifrato"), "breve");
  for (DWORD attributo : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
    ScriviFile(cartella / "protetto", "da non toccare");
    ::SetFileAttributesA((cartella / "protetto").c_str(), attributo);
    EXPECT_EQ(Esegui(cartella / "chiaro", cartella / "protetto", Direzione::Cifra),
              Esito::CifEncryptNoDestinationFile);
    ::SetFileAttributesA((cartella / "protetto").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(LeggiFile(cartella / "protetto"), "da non toccare");
  }
}

TEST_F(CifraFileTest, AWrongPasswordGivesOtherBytes) {
  ScriviFile(cartella / "chiaro", "registro di classe");
  ASSERT_EQ(Esegui(cartella / "chiaro", cartella / "cifrato", Direzione::Cifra), Esito::CifEncryptSuccess);
  ASSERT_EQ(Esegui(cartella / "cifrato", cartella / "decifrato", Direzione::Decifra, L"altra"),
            Esito::CifEncryptSuccess);
  EXPECT_NE(LeggiFile(cartella / "decifrato"), "registro di classe");
}

TEST_F(CifraFileTest, FilesThatCannotBeOpenedAreReported) {
  ScriviFile(cartella / "chiaro", "contenuto");
  struct Caso {
    const char* descrizione;
    std::wstring da;
    std::wstring a;
    Esito atteso;
  };
  const Caso casi[] = {
      {"missing input", Wide(cartella / "assente"), Wide(cartella / "uscita"), Esito::CifEncryptNoSourceFile},
      {"empty input name", L"", Wide(cartella / "uscita"), Esito::CifEncryptNoSourceFile},
      {"input name with no ANSI form", Wide(cartella.Percorso()) + L"\x4e2d\x6587", Wide(cartella / "uscita"),
       Esito::CifEncryptNoSourceFile},
      {"same path for input and output", Wide(cartella / "chiaro"), Wide(cartella / "chiaro"),
       Esito::CifEncryptNoDestinationFile},
      {"output folder missing", Wide(cartella / "chiaro"), Wide(cartella / "manca\\uscita"),
       Esito::CifEncryptNoDestinationFile},
      {"empty output name", Wide(cartella / "chiaro"), L"", Esito::CifEncryptNoDestinationFile},
  };
  for (const Caso& caso : casi) {
    for (Direzione direzione : {Direzione::Cifra, Direzione::Decifra}) {
      EXPECT_EQ(CifraFile(chiave, L"secret", caso.da.c_str(), caso.a.c_str(), direzione), caso.atteso)
          << caso.descrizione;
    }
    EXPECT_FALSE(EsisteFile(cartella / "uscita")) << caso.descrizione;
    EXPECT_EQ(LeggiFile(cartella / "chiaro"), "contenuto") << caso.descrizione;
  }
}

TEST_F(CifraFileTest, AnInputHeldByAnotherProgramIsReported) {
  ScriviFile(cartella / "chiaro", "contenuto");
  HANDLE bloccato =
      ::CreateFileA((cartella / "chiaro").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(bloccato, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Esegui(cartella / "chiaro", cartella / "uscita", Direzione::Cifra),
            Esito::CifEncryptNoSourceFile);
  ::CloseHandle(bloccato);
  EXPECT_FALSE(EsisteFile(cartella / "uscita"));
}

}  // namespace
}  // namespace talvo::cifrel
