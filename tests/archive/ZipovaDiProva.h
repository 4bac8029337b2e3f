// Zipova objects for the tests: created from the Zipova.dll built with them, loaded by path
// without registration, with late-bound property access by name.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "ServerTest.h"
#include "ZipovaCOM.h"
#include "com/ComPtr.h"
#include "com/Dispatch.h"
#include "raii/unique_any.h"

namespace talvo::test {

inline com::ComPtr<_Zipova> NuovoZipova(const LoadedServer& server) {
  com::ComPtr<IClassFactory> factory;
  if (FAILED(server.GetClassObject(CLSID_Zipova, IID_IClassFactory, factory.put_void()))) {
    throw std::runtime_error("no class factory for Zipova");
  }
  com::ComPtr<_Zipova> zipova;
  if (FAILED(factory->CreateInstance(nullptr, IID__Zipova, zipova.put_void()))) {
    throw std::runtime_error("Zipova could not be created");
  }
  return zipova;
}

inline HRESULT DispatchCall(IDispatch* object, const std::wstring& name, WORD flags, VARIANT* argument,
                            VARIANT* result) {
  std::wstring bound = name;
  LPOLESTR names[] = {bound.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = object->GetIDsOfNames(com::kNoInterface, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{argument, argument && flags == DISPATCH_PROPERTYPUT ? &put : nullptr, argument ? 1u : 0u,
                    argument && flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
  EXCEPINFO exception{};
  UINT bad = 0;
  hr = object->Invoke(id, com::kNoInterface, LOCALE_USER_DEFAULT, flags, &params, result, &exception, &bad);
  unique_bstr source(exception.bstrSource), description(exception.bstrDescription),
      help(exception.bstrHelpFile);
  return hr;
}

// A property read late-bound, by name.
inline unique_variant LeggiProprieta(IDispatch* object, const std::wstring& name) {
  unique_variant value;
  if (FAILED(DispatchCall(object, name, DISPATCH_PROPERTYGET, nullptr, value.put()))) {
    throw std::runtime_error("property get failed");
  }
  return value;
}

// A property written late-bound, by name; the value is cleared after the call.
inline HRESULT ScriviProprieta(IDispatch* object, const std::wstring& name, VARIANT value) {
  HRESULT hr = DispatchCall(object, name, DISPATCH_PROPERTYPUT, &value, nullptr);
  ::VariantClear(&value);
  return hr;
}

inline VARIANT Booleano(bool value) {
  VARIANT v;
  ::VariantInit(&v);
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

inline VARIANT Intero(short value) {
  VARIANT v;
  ::VariantInit(&v);
  V_VT(&v) = VT_I2;
  V_I2(&v) = value;
  return v;
}

// A BSTR for a narrow ANSI text, owned by the caller.
inline unique_bstr Testo(const std::string& ansi) {
  std::wstring wide(ansi.size(), L'\0');
  const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                                      static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(n));
  return unique_bstr(::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
}

}  // namespace talvo::test
