// Class Syb's methods: the Sybase rules on the caller's values. NoLongTransaction has nothing to
// split on a Sybase database: it leaves its arguments alone and answers true.
#include "Syb.h"

#include "RegoleSybase.h"
#include "common/MetodiCom.h"

namespace talvo::translators::sybase {

using com::BstrView;

STDMETHODIMP Syb::Traduci(BSTR strquery, BSTR TipoQuery, BSTR* result) noexcept {
  return RestituisciTesto(kProgId, IID__Syb, result,
                          [&] { return sybase::Traduci(BstrView(strquery), BstrView(TipoQuery)); });
}

STDMETHODIMP Syb::FormattaData(BSTR CampoData, BSTR* result) noexcept {
  return RestituisciTesto(kProgId, IID__Syb, result,
                          [&] { return sybase::FormattaData(BstrView(CampoData)); });
}

STDMETHODIMP Syb::NoLongTransaction(BSTR, LONG, BSTR, IDispatch*, SHORT, BSTR, BSTR,
                                    VARIANT_BOOL* result) noexcept {
  if (!result) return E_POINTER;
  *result = VARIANT_TRUE;
  return S_OK;
}

STDMETHODIMP Syb::TraduciErr(LONG NumErrore, LONG* result) noexcept {
  return RestituisciNumero(kProgId, IID__Syb, result, [&] { return sybase::TraduciErr(NumErrore); });
}

}  // namespace talvo::translators::sybase
