// Trimming and folder-path helpers.
#include "Testo.h"

#include <windows.h>

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

std::string SenzaBarraFinale(std::string percorso) {
  while (percorso.size() > 1 && percorso.back() == '\\') percorso.pop_back();
  return percorso;
}

namespace {

// Case mapping of the ANSI code page's letters (accented ones included), the same on every
// machine whatever its language: the invariant locale's code page is 1252.
std::string MappaCaratteri(const std::string& testo, DWORD mappa) {
  if (testo.empty()) return testo;
  std::string risultato(testo.size(), '\0');
  const int lunghezza = ::LCMapStringA(LOCALE_INVARIANT, mappa, testo.data(), static_cast<int>(testo.size()),
                                       risultato.data(), static_cast<int>(risultato.size()));
  if (lunghezza <= 0) return testo;
  risultato.resize(static_cast<std::size_t>(lunghezza));
  return risultato;
}

}  // namespace

std::string Minuscolo(const std::string& testo) { return MappaCaratteri(testo, LCMAP_LOWERCASE); }

std::string Maiuscolo(const std::string& testo) { return MappaCaratteri(testo, LCMAP_UPPERCASE); }

std::string CartellaDi(const std::string& percorso) {
  const std::size_t barra = percorso.rfind('\\');
  return barra == std::string::npos ? std::string() : percorso.substr(0, barra + 1);
}

std::string PrimaDellaBarra(const std::string& testo) { return testo.substr(0, testo.find('|')); }

}  // namespace talvo
