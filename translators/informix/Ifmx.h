// Class Ifmx: the automation face of the Informix rules. It holds no data of its own.
#pragma once

#include "Vortan.h"
#include "com/AutomationError.h"
#include "com/Dispatch.h"
#include "com/Object.h"

namespace talvo::translators::informix {

class Ifmx final : public com::Object<Ifmx, com::Dispatch<_Ifmx>, com::ErrorInfoSupport<_Ifmx>> {
 public:
  static constexpr wchar_t kProgId[] = L"Vortan.Ifmx";

  static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv) noexcept {
    return Object::Create(outer, riid, ppv);
  }

  STDMETHODIMP Traduci(BSTR strQuery, BSTR TipoQuery, BSTR* result) noexcept override;
  STDMETHODIMP FormattaData(BSTR CampoData, BSTR* result) noexcept override;
  STDMETHODIMP NoLongTransaction(BSTR Tabella, LONG DimMaxTabella, BSTR TipoQuery,
                                 IDispatch* CampiDaAllineare, SHORT I, BSTR ValoreNew, BSTR ValoreOld,
                                 VARIANT_BOOL* result) noexcept override;
  STDMETHODIMP TraduciErr(LONG NumErrore, LONG* result) noexcept override;
};

}  // namespace talvo::translators::informix
