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

std::string Minuscolo(const std::string& testo) {
  std::string risultato = testo;
  if (!risultato.empty()) ::CharLowerBuffA(risultato.data(), static_cast<DWORD>(risultato.size()));
  return risultato;
}

std::string Maiuscolo(const std::string& testo) {
  std::string risultato = testo;
  if (!risultato.empty()) ::CharUpperBuffA(risultato.data(), static_cast<DWORD>(risultato.size()));
  return risultato;
}

std::string PrimaDellaBarra(const std::string& testo) { return testo.substr(0, testo.find('|')); }

}  // namespace talvo
