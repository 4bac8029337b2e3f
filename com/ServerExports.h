// The four exports of an in-process server, defined from its class table and a function that
// returns its ServerIdentity. Used once, at namespace scope, in each server's module source.
#pragma once

#include "ClassFactory.h"
#include "Module.h"
#include "Registration.h"

namespace talvo::com {

template <typename MakeIdentity>
HRESULT RegisterServerFrom(MakeIdentity make) noexcept {
  try {
    return RegisterServer(make());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

template <typename MakeIdentity>
HRESULT UnregisterServerFrom(MakeIdentity make) noexcept {
  try {
    return UnregisterServer(make());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace talvo::com

#define TALVO_COM_SERVER_EXPORTS(classTable, makeIdentity)                              \
  STDAPI DllCanUnloadNow() { return ::talvo::com::Module::CanUnloadNow(); }             \
  STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {                   \
    return ::talvo::com::GetClassObject(classTable, clsid, riid, ppv);                  \
  }                                                                                     \
  STDAPI DllRegisterServer() { return ::talvo::com::RegisterServerFrom(makeIdentity); } \
  STDAPI DllUnregisterServer() { return ::talvo::com::UnregisterServerFrom(makeIdentity); }
