// How Selvan.dll records itself in the registry: the one table its DllRegisterServer writes and
// DllUnregisterServer removes, which the registration tests read as well.
#pragma once

#include "Selvan.h"
#include "com/Registration.h"

namespace talvo::translators::sybase {

inline com::ServerIdentity IdentitaSelvan() {
  com::ClassIdentity syb{CLSID_Syb, L"Selvan.Syb", L"Selvan.Syb", L"", L"Apartment"};
  syb.typeLibraryKey = true;
  return {{LIBID_Selvan, 7, 0, 0x409}, {syb}};
}

}  // namespace talvo::translators::sybase
