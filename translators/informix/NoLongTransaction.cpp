// Ifmx.NoLongTransaction. The splitting needs the application's database connection (ODBC data
// source TALVO), which the server does not have yet: until it does, the method reports E_NOTIMPL
// rather than a success that did nothing.
#include "NoLongTransaction.h"

namespace talvo::translators::informix {

HRESULT NoLongTransaction(const RichiestaNoLongTransaction&, VARIANT_BOOL* result) noexcept {
  if (!result) return E_POINTER;
  *result = VARIANT_FALSE;
  return E_NOTIMPL;
}

}  // namespace talvo::translators::informix
