// Result values of the encryption component, as its type library declares them.
#pragma once

#include <cstdint>

namespace talvo::cifrel {

enum class Esito : std::int32_t {
  CifEncryptSuccess = 0,
  CifEncryptNoPwd = static_cast<std::int32_t>(0x8FFFFFF1),
  CifEncryptNoSourceFile = static_cast<std::int32_t>(0x8FFFFFF2),
  CifEncryptNoDestinationFile = static_cast<std::int32_t>(0x8FFFFFF3),
  CifEncryptNoSecurityProvider = static_cast<std::int32_t>(0x8FFFFFF4),
  CifEncryptFormatInvalid = static_cast<std::int32_t>(0x8FFFFFF5),
  CifEncryptProviderError = static_cast<std::int32_t>(0x8FFFFFF6),
};

}  // namespace talvo::cifrel
