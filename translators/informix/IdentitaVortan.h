// How Vortan.dll records itself in the registry: the one table its DllRegisterServer writes and
// DllUnregisterServer removes, which the registration tests read as well.
#pragma once

#include "Vortan.h"
#include "com/Registration.h"

namespace talvo::translators::informix {

inline com::ServerIdentity IdentitaVortan() {
  com::ClassIdentity ifmx{CLSID_Ifmx, L"Vortan.Ifmx", L"Vortan.Ifmx", L"", L"Apartment"};
  ifmx.typeLibraryKey = true;
  return {{LIBID_Vortan, 21, 0, 0x409}, {ifmx}};
}

}  // namespace talvo::translators::informix
