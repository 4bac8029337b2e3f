// LeggiIni and ScriviIni against the real private-profile functions.
#include <gtest/gtest.h>

#include "FileDiProva.h"
#include "core/Ini.h"

namespace talvo {
namespace {

using test::CartellaTemporanea;
using test::LeggiFile;
using test::ScriviFile;

class IniTest : public ::testing::Test {
 protected:
  CartellaTemporanea cartella;
  std::string ini = cartella / "SetupPBD.ini";

  void SetUp() override {
    ScriviFile(ini,
               "[FILELOG]\r\n"
               "nomefile=patch.log\r\n"
               "vuota=\r\n"
               "spazi=   valore con spazi   \r\n"
               "lunga=" +
                   std::string(200, 'x') +
                   "\r\n"
                   "parola=Errore\r\n"
                   "accento=perché\r\n");
  }
};

TEST_F(IniTest, ReadsValuesAsThePlatformGivesThem) {
  struct Caso {
    const char* file;
    const char* sezione;
    const char* chiave;
    std::string atteso;
  };
  const std::string assente = cartella / "assente.ini";
  const Caso casi[] = {
      {nullptr, "FILELOG", "nomefile", "patch.log"},
      {nullptr, "filelog", "NOMEFILE", "patch.log"},  // names match without regard to case
      {nullptr, "FILELOG", "vuota", ""},
      {nullptr, "FILELOG", "spazi", "valore con spazi"},
      {nullptr, "FILELOG", "lunga", std::string(127, 'x')},  // cut by the 128-character buffer
      {nullptr, "FILELOG", "parola", "Errore"},              // reads like a missing key
      {nullptr, "FILELOG", "accento", "perch\xE9"},
      {nullptr, "FILELOG", "manca", "Errore"},
      {nullptr, "ALTRA", "nomefile", "Errore"},
      {"assente", "FILELOG", "nomefile", "Errore"},
  };
  for (const Caso& caso : casi) {
    const std::string file = caso.file ? assente : ini;
    EXPECT_EQ(LeggiIni(file, caso.sezione, caso.chiave), caso.atteso)
        << caso.sezione << "/" << caso.chiave << (caso.file ? " in a missing file" : "");
  }
}

TEST_F(IniTest, WritesCreatingFileSectionAndKey) {
  const std::string nuovo = cartella / "nuovo.ini";
  ScriviIni(nuovo, "TALVO", "FileSysIni", "C:\\TALVO\\SYS\\System.ini");
  ScriviIni(nuovo, "TALVO", "Vuota", "");
  ScriviIni(ini, "FILELOG", "nomefile", "altro.log");
  ScriviIni(ini, "NUOVA", "Versione", "2024/1");

  EXPECT_EQ(LeggiIni(nuovo, "TALVO", "FileSysIni"), "C:\\TALVO\\SYS\\System.ini");
  EXPECT_EQ(LeggiIni(ini, "FILELOG", "nomefile"), "altro.log");
  EXPECT_EQ(LeggiIni(ini, "NUOVA", "Versione"), "2024/1");
  // An empty value keeps the key, with nothing after the equals sign.
  EXPECT_EQ(LeggiIni(nuovo, "TALVO", "Vuota"), "");
  EXPECT_NE(LeggiFile(nuovo).find("Vuota=\r\n"), std::string::npos) << LeggiFile(nuovo);
}

TEST_F(IniTest, AccentedTextsReachTheFileAsAnsiBytes) {
  ScriviIni(ini, "ETICHETTA", "Versione", "città");
  EXPECT_NE(LeggiFile(ini).find("Versione=citt\xE0"), std::string::npos);
  EXPECT_EQ(LeggiIni(ini, "ETICHETTA", "Versione"), "citt\xE0");
}

}  // namespace
}  // namespace talvo
