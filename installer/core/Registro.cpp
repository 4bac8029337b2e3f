// LeggiRegistro and LeggiValoreRegistro over RegOpenKeyA and RegQueryValueExA.
#include "Registro.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "raii/unique_any.h"

namespace talvo {

std::string LeggiRegistro(HKEY radice, const std::string& sottochiave, const std::string& nomeValore) {
  unique_hkey chiave;
  if (::RegOpenKeyA(radice, sottochiave.c_str(), chiave.put()) != ERROR_SUCCESS) return {};
  return LeggiValoreRegistro(chiave.get(), nomeValore);
}

std::string LeggiValoreRegistro(HKEY chiave, const std::string& nomeValore) {
  DWORD tipo = 0;
  DWORD dimensione = 0;
  if (::RegQueryValueExA(chiave, nomeValore.c_str(), nullptr, &tipo, nullptr, &dimensione) != ERROR_SUCCESS) {
    return {};
  }
  if (tipo != REG_SZ && tipo != REG_BINARY) return {};

  // The whole value is read: a buffer shorter than the data makes the query fail.
  std::vector<BYTE> dati(std::max<DWORD>(dimensione, tipo == REG_BINARY ? 4 : 0), 0);
  DWORD letti = dimensione;
  if (::RegQueryValueExA(chiave, nomeValore.c_str(), nullptr, &tipo, dati.data(), &letti) != ERROR_SUCCESS) {
    return {};
  }

  if (tipo == REG_SZ) {
    const auto* inizio = reinterpret_cast<const char*>(dati.data());
    const auto* fine = std::find(inizio, inizio + std::min<std::size_t>(letti, dati.size()), '\0');
    return std::string(inizio, fine);
  }
  std::int16_t basso = 0;
  std::memcpy(&basso, dati.data(), sizeof basso);
  return std::to_string(basso);
}

}  // namespace talvo
