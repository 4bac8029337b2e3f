// Ifmx.NoLongTransaction: the caller's arguments handed to the splitter, which runs on the
// calling thread's connection to the data source TALVO. Every failure is the false result.
#include "NoLongTransaction.h"

#include "com/Bstr.h"
#include "database/ThreadConnection.h"
#include "splitting/NoLongTransaction.h"

namespace talvo::translators::informix {
namespace {

// CampiDaAllineare(I): the collection's default member called with the index, as a late-bound
// caller reads an item of a Collection or of a Scripting.Dictionary.
std::u16string ColumnName(IDispatch* collection, SHORT index) {
  if (!collection) throw com::RunTimeError(com::RunTimeNumber::ObjectVariableNotSet);
  VARIANT argument;
  ::VariantInit(&argument);
  V_VT(&argument) = VT_I2;
  V_I2(&argument) = index;
  DISPPARAMS params{&argument, nullptr, 1, 0};
  unique_variant item;
  EXCEPINFO exception{};
  UINT badArgument = 0;
  HRESULT hr =
      collection->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                         &params, item.put(), &exception, &badArgument);
  unique_bstr source(exception.bstrSource), description(exception.bstrDescription),
      help(exception.bstrHelpFile);
  if (FAILED(hr)) throw com::RunTimeError(com::RunTimeNumber::SubscriptOutOfRange);
  unique_variant text;
  if (FAILED(
          ::VariantChangeType(text.put(), const_cast<VARIANT*>(&item.get()), VARIANT_ALPHABOOL, VT_BSTR))) {
    throw com::RunTimeError(com::RunTimeNumber::TypeMismatch);
  }
  return com::FromBstr(V_BSTR(&text.get()));
}

}  // namespace

HRESULT NoLongTransaction(const RichiestaNoLongTransaction& richiesta, VARIANT_BOOL* result) noexcept {
  if (!result) return E_POINTER;
  ThreadConnection connection;
  const bool done = [&]() noexcept {
    try {
      return NoLongTransaction(
          connection, com::FromBstr(richiesta.Tabella), richiesta.DimMaxTabella,
          com::FromBstr(richiesta.TipoQuery),
          [&] { return ColumnName(richiesta.CampiDaAllineare, richiesta.I); },
          com::FromBstr(richiesta.ValoreNew), com::FromBstr(richiesta.ValoreOld));
    } catch (...) {
      return false;  // the caller's texts could not be copied
    }
  }();
  *result = done ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

}  // namespace talvo::translators::informix
