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

// Nothing of the server's own to release when it may be unloaded.
inline void NothingToRelease() noexcept {}

// DllCanUnloadNow: S_OK when no object and no lock is left, after the module's cached state and
// the server's own (release, a noexcept function) have been released outside the loader lock.
inline HRESULT CanUnloadNowReleasing(void (*release)() noexcept) noexcept {
  const HRESULT hr = Module::CanUnloadNow();
  if (hr == S_OK) release();
  return hr;
}

}  // namespace talvo::com

#define TALVO_COM_SERVER_EXPORTS(classTable, makeIdentity) \
  TALVO_COM_SERVER_EXPORTS_RELEASING(classTable, makeIdentity, ::talvo::com::NothingToRelease)

// The exports of a server that holds state of its own (connections, say) until it may be unloaded.
#define TALVO_COM_SERVER_EXPORTS_RELEASING(classTable, makeIdentity, release)           \
  STDAPI DllCanUnloadNow() { return ::talvo::com::CanUnloadNowReleasing(release); }     \
  STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {                   \
    return ::talvo::com::GetClassObject(classTable, clsid, riid, ppv);                  \
  }                                                                                     \
  STDAPI DllRegisterServer() { return ::talvo::com::RegisterServerFrom(makeIdentity); } \
  STDAPI DllUnregisterServer() { return ::talvo::com::UnregisterServerFrom(makeIdentity); }
