// Trimming and folder-path helpers.
#include "Testo.h"

namespace talvo {

std::string Trim(const std::string& testo) {
  const std::size_t inizio = testo.find_first_not_of(' ');
  if (inizio == std::string::npos) return {};
  const std::size_t fine = testo.find_last_not_of(' ');
  return testo.substr(inizio, fine - inizio + 1);
}

std::string ConBarraFinale(const std::string& cartella) {
  std::string percorso = Trim(cartella);
  if (percorso.empty() || percorso.back() != '\\') percorso += '\\';
  return percorso;
}

}  // namespace talvo
