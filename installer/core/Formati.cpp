// The Boolean word through the automation conversion with the localized-Boolean flag.
#include "Formati.h"

#include <windows.h>
#include <oleauto.h>

#include "TestoAnsi.h"
#include "raii/unique_any.h"

namespace talvo {

std::string ParolaBooleana(bool valore) {
  unique_bstr testo;
  if (FAILED(::VarBstrFromBool(valore ? VARIANT_TRUE : VARIANT_FALSE, LOCALE_USER_DEFAULT, VAR_LOCALBOOL,
                               testo.put()))) {
    return valore ? "True" : "False";
  }
  return AnsiDaWide(testo.get(), ::SysStringLen(testo.get()));
}

}  // namespace talvo
