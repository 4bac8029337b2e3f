// IDispatch for a dual interface I, served by the module's cached type information, so that
// late-bound callers bind by name and DISPID and reach the vtable methods through ITypeInfo::Invoke.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include "Object.h"
#include "TypeInfo.h"

namespace talvo::com {

// IDispatch calls name no interface (IID_NULL, all zeros).
inline constexpr IID kNoInterface{};

template <typename I>
class Dispatch : public I {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }

  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeInfo* cached = nullptr;
    HRESULT hr = CachedTypeInfo(__uuidof(I), &cached);
    if (FAILED(hr)) return hr;
    cached->AddRef();
    *info = cached;
    return S_OK;
  }

  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept override {
    if (!::IsEqualIID(riid, kNoInterface)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* cached = nullptr;
    HRESULT hr = CachedTypeInfo(__uuidof(I), &cached);
    if (FAILED(hr)) return hr;
    return ::DispGetIDsOfNames(cached, names, count, ids);
  }

  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* badArgument) noexcept override {
    if (!::IsEqualIID(riid, kNoInterface)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* cached = nullptr;
    HRESULT hr = CachedTypeInfo(__uuidof(I), &cached);
    if (FAILED(hr)) return hr;
    return ::DispInvoke(static_cast<I*>(this), cached, id, flags, params, result, exception, badArgument);
  }
};

template <typename I>
struct InterfaceTraits<Dispatch<I>> {
  static const IID& Iid() noexcept { return __uuidof(I); }
};

}  // namespace talvo::com
