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
//
// The Windows headers declare the four Dll* functions without noexcept, and C++17 does not let a
// later declaration add noexcept to a function declared without it. So the entry points are defined under
// names of their own, noexcept, and the server's .def file exports each under its Windows name
// ("DllCanUnloadNow = TalvoDllCanUnloadNow PRIVATE", and so on). DllMain does nothing: the
// servers keep nothing that must be set up or released under the loader lock.
#define TALVO_COM_SERVER_EXPORTS_RELEASING(classTable, makeIdentity, release)                          \
  extern "C" HRESULT WINAPI TalvoDllCanUnloadNow() noexcept {                                          \
    return ::talvo::com::CanUnloadNowReleasing(release);                                               \
  }                                                                                                    \
  extern "C" HRESULT WINAPI TalvoDllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) noexcept { \
    return ::talvo::com::GetClassObject(classTable, clsid, riid, ppv);                                 \
  }                                                                                                    \
  extern "C" HRESULT WINAPI TalvoDllRegisterServer() noexcept {                                        \
    return ::talvo::com::RegisterServerFrom(makeIdentity);                                             \
  }                                                                                                    \
  extern "C" HRESULT WINAPI TalvoDllUnregisterServer() noexcept {                                      \
    return ::talvo::com::UnregisterServerFrom(makeIdentity);                                           \
  }                                                                                                    \
  extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) noexcept { return TRUE; }
