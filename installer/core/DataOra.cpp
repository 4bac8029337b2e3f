// General date format through VarBstrFromDate, as the platform's own date-to-text conversion.
#include "DataOra.h"

#include <windows.h>
#include <oleauto.h>

#include "ErroreRuntime.h"
#include "TestoAnsi.h"
#include "raii/unique_any.h"

namespace talvo {

std::string FormattaDataGenerale(double data) {
  unique_bstr testo;
  if (FAILED(::VarBstrFromDate(data, LOCALE_USER_DEFAULT, 0, testo.put()))) {
    throw ErroreRuntime(NumeroErrore::Overflow);
  }
  return AnsiDaWide(testo.get(), ::SysStringLen(testo.get()));
}

double DataOraCorrente() {
  SYSTEMTIME ora{};
  ::GetLocalTime(&ora);
  ora.wMilliseconds = 0;
  double data = 0;
  ::SystemTimeToVariantTime(&ora, &data);
  return data;
}

}  // namespace talvo
