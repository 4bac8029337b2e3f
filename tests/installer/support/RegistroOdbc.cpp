// Registry values written through the plain Win32 calls, as an ODBC administrator would leave them.
#include "RegistroOdbc.h"

#include <windows.h>

#include <stdexcept>

namespace talvo::test {

namespace {

constexpr const char* Origini = "Software\\ODBC\\ODBC.INI\\ODBC Data Sources";
constexpr const char* Origine = "Software\\ODBC\\ODBC.INI\\TALVO";

void ScriviValore(const char* chiave, const char* nome, const std::string& valore) {
  HKEY h = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, chiave, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
      ERROR_SUCCESS) {
    throw std::runtime_error(std::string("cannot create ") + chiave);
  }
  const LONG esito = ::RegSetValueExA(h, nome, 0, REG_SZ, reinterpret_cast<const BYTE*>(valore.c_str()),
                                      static_cast<DWORD>(valore.size() + 1));
  ::RegCloseKey(h);
  if (esito != ERROR_SUCCESS) throw std::runtime_error(std::string("cannot set ") + nome);
}

void RimuoviValore(const char* chiave, const char* nome) {
  HKEY h = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, chiave, 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) return;
  ::RegDeleteValueA(h, nome);
  ::RegCloseKey(h);
}

}  // namespace

RegistroOdbc::RegistroOdbc(const std::string& descrizioneDriver, const std::string& fileDatabase) {
  Rimuovi();
  ScriviValore(Origini, "TALVO", descrizioneDriver);
  if (!fileDatabase.empty()) ScriviValore(Origine, "DatabaseFile", fileDatabase);
}

RegistroOdbc::~RegistroOdbc() { Rimuovi(); }

void RegistroOdbc::Rimuovi() {
  RimuoviValore(Origini, "TALVO");
  RimuoviValore(Origine, "DatabaseFile");
}

}  // namespace talvo::test
