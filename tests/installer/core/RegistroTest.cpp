// Registry values read as text, against real keys of the current user's hive.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/Registro.h"

namespace talvo {
namespace {

constexpr const char* Chiave = "Software\\TalvoProve\\Registro";

class RegistroTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, Chiave);
    ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, Chiave, &chiave_), ERROR_SUCCESS);
  }
  void TearDown() override {
    ::RegCloseKey(chiave_);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, Chiave);
  }
  void Imposta(const char* nome, DWORD tipo, const std::string& dati) {
    ASSERT_EQ(::RegSetValueExA(chiave_, nome, 0, tipo, reinterpret_cast<const BYTE*>(dati.data()),
                               static_cast<DWORD>(dati.size())),
              ERROR_SUCCESS);
  }
  HKEY chiave_ = nullptr;
};

TEST_F(RegistroTest, ReadsStringAndBinaryValuesAsText) {
  struct Caso {
    const char* nome;
    DWORD tipo;
    std::string dati;
    std::string atteso;
  };
  const Caso casi[] = {
      {"ConNul", REG_SZ, std::string("abc\0", 4), "abc"},
      {"SenzaNul", REG_SZ, "Sybase", "Sybase"},  // data with no NUL: the whole data
      {"NulInMezzo", REG_SZ, std::string("ab\0cd\0", 6), "ab"},
      {"Vuota", REG_SZ, std::string("\0", 1), ""},
      {"Accenti", REG_SZ, std::string("perch\xE8\0", 7), "perch\xE8"},
      {"Uno", REG_BINARY, std::string("\x01\x00", 2), "1"},
      {"Negativo", REG_BINARY, std::string("\xFF\xFF", 2), "-1"},
      {"QuattroByte", REG_BINARY, std::string("\x34\x12\x00\x00", 4), "4660"},
      {"Lungo", REG_BINARY, std::string("\x02\x00\x03\x00\x09\x09", 6), "2"},  // low 16 bits of 4
      {"UnByte", REG_BINARY, std::string("\x05", 1), "5"},
      {"Dword", REG_DWORD, std::string("\x01\x00\x00\x00", 4), ""},
      {"Espandibile", REG_EXPAND_SZ, std::string("%windir%\0", 9), ""},
  };
  for (const Caso& caso : casi) Imposta(caso.nome, caso.tipo, caso.dati);
  for (const Caso& caso : casi) {
    EXPECT_EQ(LeggiRegistro(HKEY_CURRENT_USER, Chiave, caso.nome), caso.atteso) << caso.nome;
    EXPECT_EQ(LeggiValoreRegistro(chiave_, caso.nome), caso.atteso) << caso.nome;
  }
}

TEST_F(RegistroTest, MissingKeysAndValuesReadAsEmpty) {
  EXPECT_EQ(LeggiRegistro(HKEY_CURRENT_USER, "Software\\TalvoProve\\Assente", "Driver"), "");
  EXPECT_EQ(LeggiRegistro(HKEY_CURRENT_USER, Chiave, "Assente"), "");
  EXPECT_EQ(LeggiValoreRegistro(chiave_, "Assente"), "");
}

}  // namespace
}  // namespace talvo
