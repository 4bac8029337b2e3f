// The test server's entry points, class table and classes: Echo (apartment, not aggregatable)
// returns its text or raises the run-time error it is given; Inner is the same class, aggregatable.
#include "com/Module.h"

#include <initguid.h>

#include "ComTestServer.h"
#include "com/AutomationError.h"
#include "com/Bstr.h"
#include "com/ClassFactory.h"
#include "com/Dispatch.h"
#include "com/Registration.h"
#include "com/ServerExports.h"

namespace {

using namespace talvo::com;

template <bool Aggregatable>
class EchoObject final : public Object<EchoObject<Aggregatable>, Dispatch<_Echo>, ErrorInfoSupport<_Echo>> {
 public:
  static constexpr bool kAggregatable = Aggregatable;

  STDMETHODIMP Echo(BSTR testo, BSTR* result) noexcept override {
    if (!result) return E_POINTER;
    *result = nullptr;
    return GuardMethod(L"ComTestServer.Echo", IID__Echo,
                       [&] { *result = MakeBstr(FromBstr(testo)).release(); });
  }

  STDMETHODIMP Fail(long numero, BSTR* result) noexcept override {
    if (!result) return E_POINTER;
    *result = nullptr;
    return GuardMethod(L"ComTestServer.Echo", IID__Echo,
                       [&] { throw RunTimeError(static_cast<int>(numero)); });
  }
};

HRESULT CreateEcho(IUnknown* outer, REFIID riid, void** ppv) {
  return EchoObject<false>::Create(outer, riid, ppv);
}
HRESULT CreateInner(IUnknown* outer, REFIID riid, void** ppv) {
  return EchoObject<true>::Create(outer, riid, ppv);
}

const ClassEntry kClasses[] = {{&CLSID_Echo, CreateEcho}, {&CLSID_Inner, CreateInner}};

ServerIdentity Identity() {
  return {
      {LIBID_ComTestServer, 1, 2, 0x409},
      {{CLSID_Echo, L"ComTestServer.Echo", L"ComTestServer.Echo", L"", L"Apartment"},
       {CLSID_Inner, L"Inner Class", L"ComTestServer.Inner", L"ComTestServer.Inner.1", L"Both", true, true}}};
}

}  // namespace

TALVO_COM_SERVER_EXPORTS(kClasses, Identity)
