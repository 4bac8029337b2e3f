// How Cifrel.dll records itself in the registry: the one table its DllRegisterServer writes and
// DllUnregisterServer removes, which the registration tests read as well.
#pragma once

#include "Cifrel.h"
#include "com/Registration.h"

namespace talvo::cifrel {

inline com::ServerIdentity IdentitaCifrel() {
  com::ClassIdentity crypt{CLSID_Crypt, L"Crypt Class", L"Cifrel.Crypt", L"Cifrel.Crypt.1", L"Both", true,
                           true};
  crypt.typeLibraryKey = true;
  return {{LIBID_CIFRELLib, 1, 0, 0}, {crypt}};
}

}  // namespace talvo::cifrel
