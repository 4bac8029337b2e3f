// LeggiIni and ScriviIni over GetPrivateProfileStringA and WritePrivateProfileStringA.
#include "Ini.h"

#include <windows.h>

#include "Testo.h"

namespace talvo {

std::string LeggiIni(const std::string& file, const std::string& sezione, const std::string& chiave) {
  char buffer[128] = {};
  const DWORD n = ::GetPrivateProfileStringA(sezione.c_str(), chiave.c_str(), ValoreMancante, buffer,
                                             sizeof buffer, file.c_str());
  return Trim(std::string(buffer, n));
}

void ScriviIni(const std::string& file, const std::string& sezione, const std::string& chiave,
               const std::string& valore) {
  ::WritePrivateProfileStringA(sezione.c_str(), chiave.c_str(), valore.c_str(), file.c_str());
}

}  // namespace talvo
