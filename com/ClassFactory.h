// DllGetClassObject from a table of the module's classes, served by one generic class factory.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstddef>

namespace talvo::com {

// Creates an instance of one class, aggregated by `outer` when not null, and answers riid.
using CreateFunction = HRESULT (*)(IUnknown* outer, REFIID riid, void** ppv);

struct ClassEntry {
  const CLSID* clsid;
  CreateFunction create;
};

// The class factory for clsid, or CLASS_E_CLASSNOTAVAILABLE when the table does not hold it.
HRESULT GetClassObject(const ClassEntry* classes, std::size_t count, REFCLSID clsid, REFIID riid,
                       void** ppv) noexcept;

template <std::size_t N>
HRESULT GetClassObject(const ClassEntry (&classes)[N], REFCLSID clsid, REFIID riid, void** ppv) noexcept {
  return GetClassObject(classes, N, clsid, riid, ppv);
}

}  // namespace talvo::com
