// The shared COM plumbing seen from a caller, through a small server built with it: class
// factory, QueryInterface, aggregation, automation errors, IDispatch from the embedded type
// library and the counts behind DllCanUnloadNow.
#include <gtest/gtest.h>
// The identifiers of the test server are defined in this program.
#include <initguid.h>

#include <atomic>
#include <stdexcept>

#include "ComTestServer.h"
#include "ServerTest.h"
#include "com/ComPtr.h"
#include "com/SafeArrayAccess.h"

namespace {

using talvo::com::ComPtr;
using talvo::test::Apartment;
using talvo::test::LoadedServer;

class ComPlumbing : public ::testing::Test {
 protected:
  ComPtr<IClassFactory> Factory(REFCLSID clsid) {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(server_.GetClassObject(clsid, IID_IClassFactory, factory.put_void()), S_OK);
    return factory;
  }
  ComPtr<_Echo> NewEcho() {
    ComPtr<_Echo> echo;
    EXPECT_EQ(Factory(CLSID_Echo)->CreateInstance(nullptr, IID__Echo, echo.put_void()), S_OK);
    return echo;
  }

  Apartment apartment_;
  LoadedServer server_{talvo::test::WindowsPath(TALVO_SERVER_ComTestServer)};
};

TEST_F(ComPlumbing, VtableCallReturnsANewString) {
  auto echo = NewEcho();
  talvo::unique_bstr in(::SysAllocString(L"città"));
  BSTR out = nullptr;
  ASSERT_EQ(echo->Echo(in.get(), &out), S_OK);
  talvo::unique_bstr owned(out);
  EXPECT_STREQ(owned.get(), L"città");
  EXPECT_NE(owned.get(), in.get());
  // A null BSTR is the empty text.
  ASSERT_EQ(echo->Echo(nullptr, &out), S_OK);
  owned.reset(out);
  EXPECT_EQ(::SysStringLen(owned.get()), 0u);
}

TEST_F(ComPlumbing, UnknownClassIsNotAvailable) {
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(server_.GetClassObject(IID__Echo, IID_IClassFactory, factory.put_void()),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_FALSE(factory);
}

TEST_F(ComPlumbing, QueryInterfaceKeepsOneIdentity) {
  auto echo = NewEcho();
  ComPtr<IUnknown> fromEcho, fromDispatch;
  ComPtr<IDispatch> dispatch;
  ComPtr<ISupportErrorInfo> support;
  ComPtr<IClassFactory> none;
  ASSERT_EQ(echo.As(fromEcho), S_OK);
  ASSERT_EQ(echo.As(dispatch), S_OK);
  ASSERT_EQ(dispatch.As(fromDispatch), S_OK);
  EXPECT_EQ(fromEcho.get(), fromDispatch.get());
  EXPECT_EQ(static_cast<void*>(dispatch.get()), static_cast<void*>(echo.get()));
  ASSERT_EQ(echo.As(support), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__Echo), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IClassFactory), S_FALSE);
  EXPECT_EQ(echo.As(none), E_NOINTERFACE);
}

TEST_F(ComPlumbing, RunTimeErrorReachesTheCallerAsAutomationError) {
  auto echo = NewEcho();
  BSTR out = nullptr;
  EXPECT_EQ(echo->Fail(9, &out), static_cast<HRESULT>(0x800A0009));
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(talvo::test::ErrorInfoDescription(), L"Indice non compreso nell'intervallo");
  EXPECT_EQ(echo->Fail(55, &out), static_cast<HRESULT>(0x800A0037));
  EXPECT_EQ(talvo::test::ErrorInfoDescription(), L"File già aperto");
}

TEST_F(ComPlumbing, LateBoundCallsBindByNameThroughTheEmbeddedTypeLibrary) {
  auto echo = NewEcho();
  ComPtr<IDispatch> dispatch;
  ASSERT_EQ(echo.As(dispatch), S_OK);

  auto ok = talvo::test::InvokeByName(dispatch.get(), L"echo", {talvo::test::BstrArgument(L"abc")});
  ASSERT_EQ(ok.hr, S_OK);
  ASSERT_EQ(V_VT(&ok.result.get()), VT_BSTR);
  EXPECT_STREQ(V_BSTR(&ok.result.get()), L"abc");

  auto failed = talvo::test::InvokeByName(dispatch.get(), L"Fail", {talvo::test::LongArgument(13)});
  EXPECT_EQ(failed.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(failed.scode, static_cast<SCODE>(0x800A000D));
  EXPECT_EQ(failed.description, L"Tipo non corrispondente");
  EXPECT_EQ(failed.source, L"ComTestServer.Echo");

  auto unknown = talvo::test::InvokeByName(dispatch.get(), L"Missing", {});
  EXPECT_EQ(unknown.hr, DISP_E_UNKNOWNNAME);

  UINT count = 0;
  ASSERT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(dispatch->GetTypeInfo(0, 0, info.put()), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(::IsEqualIID(attributes->guid, IID__Echo));
  info->ReleaseTypeAttr(attributes);
  EXPECT_EQ(dispatch->GetTypeInfo(1, 0, info.put()), DISP_E_BADINDEX);
}

// An outer object that counts the references its inner object forwards to it.
class Outer final : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) noexcept override {
    ++queries;
    if (::IsEqualIID(riid, IID__Echo)) return inner->QueryInterface(riid, ppv);
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return --refs; }

  ULONG refs = 1;
  int queries = 0;
  IUnknown* inner = nullptr;
};

TEST_F(ComPlumbing, AggregationOnlyForAggregatableClassesAndOnlyForIUnknown) {
  Outer outer;
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(Factory(CLSID_Echo)->CreateInstance(&outer, IID_IUnknown, unknown.put_void()),
            CLASS_E_NOAGGREGATION);
  ComPtr<_Echo> echo;
  EXPECT_EQ(Factory(CLSID_Inner)->CreateInstance(&outer, IID__Echo, echo.put_void()), CLASS_E_NOAGGREGATION);

  ASSERT_EQ(Factory(CLSID_Inner)->CreateInstance(&outer, IID_IUnknown, unknown.put_void()), S_OK);
  outer.inner = unknown.get();
  ASSERT_EQ(unknown->QueryInterface(IID__Echo, echo.put_void()), S_OK);
  EXPECT_EQ(outer.refs, 2u);  // the interface's reference is the outer object's
  // The inner object's interfaces delegate their IUnknown to the outer object.
  ComPtr<IDispatch> viaOuter;
  EXPECT_EQ(echo->QueryInterface(IID_IDispatch, viaOuter.put_void()), E_NOINTERFACE);
  EXPECT_EQ(outer.queries, 1);
  echo.reset();
  EXPECT_EQ(outer.refs, 1u);
}

TEST_F(ComPlumbing, CanUnloadOnlyWithoutObjectsAndLocks) {
  EXPECT_EQ(server_.CanUnloadNow(), S_OK);
  {
    auto factory = Factory(CLSID_Echo);
    EXPECT_EQ(server_.CanUnloadNow(), S_FALSE);  // a held factory keeps the module
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.reset();
    EXPECT_EQ(server_.CanUnloadNow(), S_FALSE);
    ComPtr<IClassFactory> again = Factory(CLSID_Echo);
    again->LockServer(FALSE);
  }
  EXPECT_EQ(server_.CanUnloadNow(), S_OK);
  {
    auto echo = NewEcho();
    ComPtr<IDispatch> second;
    echo.As(second);
    echo.reset();
    EXPECT_EQ(server_.CanUnloadNow(), S_FALSE);
  }
  EXPECT_EQ(server_.CanUnloadNow(), S_OK);
}

TEST(SafeArrayAccessOwner, ReleasesTheLockOnEveryWayOutAndChecksTheResult) {
  SAFEARRAYBOUND limite{4, 0};
  SAFEARRAY* array = ::SafeArrayCreate(VT_UI1, 1, &limite);
  ASSERT_NE(array, nullptr);
  try {
    talvo::com::SafeArrayAccess accesso;
    ASSERT_EQ(accesso.Access(array), S_OK);
    static_cast<BYTE*>(accesso.Data())[0] = 42;
    EXPECT_EQ(::SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);
    throw std::runtime_error("leaves the scope");
  } catch (const std::runtime_error&) {
  }
  talvo::com::SafeArrayAccess nessuno;
  EXPECT_EQ(nessuno.Access(nullptr), E_INVALIDARG);
  EXPECT_EQ(nessuno.Data(), nullptr);
  EXPECT_EQ(::SafeArrayDestroy(array), S_OK);
}

}  // namespace
