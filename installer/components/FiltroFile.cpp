// The extension filter: whole entries of an underscore-terminated list.
#include "FiltroFile.h"

#include "core/Testo.h"

namespace talvo {

std::string EstensioneFile(const std::string& nome) {
  const std::size_t punto = nome.find('.');
  return Minuscolo(punto == std::string::npos ? nome : nome.substr(punto + 1));
}

bool FileDelFiltro(const std::string& nome, const std::string& tipiFile) {
  if (tipiFile.empty()) return true;
  const std::string estensione = EstensioneFile(nome);
  // An extension holding the separator could span two entries ("dll_ocx").
  if (estensione.find('_') != std::string::npos) return false;
  // Bounding both the list and the extension with separators matches whole entries only.
  return ("_" + tipiFile).find("_" + estensione + "_") != std::string::npos;
}

}  // namespace talvo
