// An enumerator of connection points that holds none, for a class that fires no events.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "com/Object.h"

namespace talvo::cifrel {

class NessunPuntoDiConnessione final : public com::Object<NessunPuntoDiConnessione, IEnumConnectionPoints> {
 public:
  static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv) noexcept {
    return Object::Create(outer, riid, ppv);
  }

  STDMETHODIMP Next(ULONG cConnections, IConnectionPoint** ppCP, ULONG* pcFetched) noexcept override {
    if (pcFetched) *pcFetched = 0;
    if (cConnections > 0 && ppCP == nullptr) return E_POINTER;
    return cConnections == 0 ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG cConnections) noexcept override { return cConnections == 0 ? S_OK : S_FALSE; }
  STDMETHODIMP Reset() noexcept override { return S_OK; }
  STDMETHODIMP Clone(IEnumConnectionPoints** ppEnum) noexcept override {
    return Create(nullptr, IID_IEnumConnectionPoints, reinterpret_cast<void**>(ppEnum));
  }
};

}  // namespace talvo::cifrel
