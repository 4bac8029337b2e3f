// Class Ifmx's methods: each runs its rule on the caller's values; a rule's run-time error reaches
// the caller as an automation error (source "Vortan.Ifmx").
#include "Ifmx.h"

#include "NoLongTransaction.h"
#include "RegoleInformix.h"
#include "common/MetodiCom.h"

namespace talvo::translators::informix {

using com::BstrView;

STDMETHODIMP Ifmx::Traduci(BSTR strQuery, BSTR TipoQuery, BSTR* result) noexcept {
  return ScriviTesto(kProgId, IID__Ifmx, result, [&](Uscita& uscita) {
    informix::Traduci(BstrView(strQuery), BstrView(TipoQuery), uscita);
  });
}

STDMETHODIMP Ifmx::FormattaData(BSTR CampoData, BSTR* result) noexcept {
  return RestituisciTesto(kProgId, IID__Ifmx, result,
                          [&] { return informix::FormattaData(BstrView(CampoData)); });
}

STDMETHODIMP Ifmx::NoLongTransaction(BSTR Tabella, LONG DimMaxTabella, BSTR TipoQuery,
                                     IDispatch* CampiDaAllineare, SHORT I, BSTR ValoreNew, BSTR ValoreOld,
                                     VARIANT_BOOL* result) noexcept {
  return informix::NoLongTransaction(
      {Tabella, DimMaxTabella, TipoQuery, CampiDaAllineare, I, ValoreNew, ValoreOld}, result);
}

STDMETHODIMP Ifmx::TraduciErr(LONG NumErrore, LONG* result) noexcept {
  return RestituisciNumero(kProgId, IID__Ifmx, result, [&] { return informix::TraduciErr(NumErrore); });
}

}  // namespace talvo::translators::informix
