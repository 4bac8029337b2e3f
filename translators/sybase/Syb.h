// Class Syb: the automation face of the Sybase rules. It holds no data of its own.
#pragma once

#include "Selvan.h"
#include "com/AutomationError.h"
#include "com/Dispatch.h"
#include "com/Object.h"

namespace talvo::translators::sybase {

class Syb final : public com::Object<Syb, com::Dispatch<_Syb>, com::ErrorInfoSupport<_Syb>> {
 public:
  static constexpr wchar_t kProgId[] = L"Selvan.Syb";

  static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv) noexcept {
    return Object::Create(outer, riid, ppv);
  }

  STDMETHODIMP Traduci(BSTR strquery, BSTR TipoQuery, BSTR* result) noexcept override;
  STDMETHODIMP FormattaData(BSTR CampoData, BSTR* result) noexcept override;
  STDMETHODIMP NoLongTransaction(BSTR Tabella, LONG DimMaxTabella, BSTR TipoQuery,
                                 IDispatch* CampiDaAllineare, SHORT I, BSTR ValoreNew, BSTR ValoreOld,
                                 VARIANT_BOOL* result) noexcept override;
  STDMETHODIMP TraduciErr(LONG NumErrore, LONG* result) noexcept override;
};

}  // namespace talvo::translators::sybase
