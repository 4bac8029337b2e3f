// Both translators through COM as their callers reach them: the class factory, vtable calls,
// IDispatch::Invoke by name, automation errors with their description, the identities in the
// embedded type library, and DllCanUnloadNow.
#include <gtest/gtest.h>
// The identifiers of both servers are defined in this program.
#include <initguid.h>

#include <thread>

#include "Selvan.h"
#include "ServerTest.h"
#include "Vortan.h"
#include "com/ComPtr.h"
#include "com/Dispatch.h"

namespace {

using talvo::unique_bstr;
using talvo::com::ComPtr;
using talvo::test::BstrArgument;
using talvo::test::InvokeByName;
using talvo::test::LongArgument;

const wchar_t kOuterJoin[] = L"SELECT a.x, b.y FROM {oj a LEFT OUTER JOIN b ON a.k = b.k} WHERE a.z = 1";
const wchar_t kOuterJoinInformix[] = L"SELECT a.x, b.y FROM a  ,  OUTER b  WHERE a.k = b.k AND a.z = 1";

// An object argument holding no object, as a script passes Nothing.
VARIANT NothingArgument() {
  VARIANT v;
  ::VariantInit(&v);
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = nullptr;
  return v;
}

unique_bstr Bstr(const wchar_t* text) { return unique_bstr(::SysAllocString(text)); }

std::wstring ErrorSource() {
  ComPtr<IErrorInfo> info;
  if (::GetErrorInfo(0, info.put()) != S_OK || !info) return L"";
  BSTR source = nullptr;
  info->GetSource(&source);
  unique_bstr owned(source);
  return owned ? owned.get() : L"";
}

class Translators : public ::testing::Test {
 protected:
  template <typename I>
  ComPtr<I> Create(const talvo::test::LoadedServer& server, REFCLSID clsid) {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(server.GetClassObject(clsid, IID_IClassFactory, factory.put_void()), S_OK);
    ComPtr<I> object;
    EXPECT_EQ(factory->CreateInstance(nullptr, __uuidof(I), object.put_void()), S_OK);
    return object;
  }

  talvo::test::Apartment apartment_;
  talvo::test::LoadedServer vortan_{talvo::test::WindowsPath(TALVO_SERVER_Vortan)};
  talvo::test::LoadedServer selvan_{talvo::test::WindowsPath(TALVO_SERVER_Selvan)};
};

TEST_F(Translators, IfmxThroughTheVtable) {
  auto ifmx = Create<_Ifmx>(vortan_, CLSID_Ifmx);
  BSTR out = nullptr;
  ASSERT_EQ(ifmx->Traduci(Bstr(kOuterJoin).get(), Bstr(L"").get(), &out), S_OK);
  unique_bstr result(out);
  EXPECT_STREQ(result.get(), kOuterJoinInformix);

  ASSERT_EQ(ifmx->FormattaData(Bstr(L"2002-02-07 11:20:03").get(), &out), S_OK);
  result.reset(out);
  EXPECT_STREQ(result.get(), L"07/02/2002 11:20:03");

  LONG numero = 1;
  ASSERT_EQ(ifmx->TraduciErr(-196, &numero), S_OK);
  EXPECT_EQ(numero, -239);

  // A table the data source does not hold: the failure is the false result, never an error.
  VARIANT_BOOL ok = VARIANT_TRUE;
  EXPECT_EQ(ifmx->NoLongTransaction(Bstr(L"nessuna_tabella").get(), 10, Bstr(L"DELETE").get(), nullptr, 1,
                                    nullptr, nullptr, &ok),
            S_OK);
  EXPECT_EQ(ok, VARIANT_FALSE);
}

TEST_F(Translators, IfmxFailuresAreAutomationErrors) {
  auto ifmx = Create<_Ifmx>(vortan_, CLSID_Ifmx);
  ComPtr<ISupportErrorInfo> support;
  ASSERT_EQ(ifmx.As(support), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__Ifmx), S_OK);

  const struct {
    const wchar_t* query;
    HRESULT hr;
    const wchar_t* description;
  } casi[] = {
      {L"SELECT project FROM t WHERE x = 1", static_cast<HRESULT>(0x800A0005),
       L"Chiamata di routine o argomento non validi"},
      {L"SELECT * FROM {oj a LEFT OUTER JOIN b} WHERE x = 1", static_cast<HRESULT>(0x800A0009),
       L"Indice non compreso nell'intervallo"},
      {L"SELECT substr(a, 1,2) FROM t", static_cast<HRESULT>(0x800A000D), L"Tipo non corrispondente"},
  };
  for (const auto& c : casi) {
    BSTR out = nullptr;
    EXPECT_EQ(ifmx->Traduci(Bstr(c.query).get(), Bstr(L"").get(), &out), c.hr) << c.query;
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(talvo::test::ErrorInfoDescription(), c.description);
  }
  BSTR out = nullptr;
  EXPECT_EQ(ifmx->Traduci(Bstr(L"SELECT DATEFORMAT(a,'x' FROM t").get(), nullptr, &out),
            static_cast<HRESULT>(0x800A0005));
  EXPECT_EQ(ErrorSource(), L"Vortan.Ifmx");
}

TEST_F(Translators, IfmxLateBoundByName) {
  auto ifmx = Create<IDispatch>(vortan_, CLSID_Ifmx);
  auto traduci = InvokeByName(ifmx.get(), L"Traduci", {BstrArgument(kOuterJoin), BstrArgument(L"")});
  ASSERT_EQ(traduci.hr, S_OK);
  EXPECT_STREQ(V_BSTR(&traduci.result.get()), kOuterJoinInformix);

  auto errore = InvokeByName(ifmx.get(), L"traducierr", {LongArgument(-110)});
  ASSERT_EQ(errore.hr, S_OK);
  EXPECT_EQ(V_VT(&errore.result.get()), VT_I4);
  EXPECT_EQ(V_I4(&errore.result.get()), -310);

  auto fallita =
      InvokeByName(ifmx.get(), L"Traduci", {BstrArgument(L"SELECT substr(x,a,1) FROM t"), BstrArgument(L"")});
  EXPECT_EQ(fallita.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(fallita.scode, static_cast<SCODE>(0x800A000D));
  EXPECT_EQ(fallita.description, L"Tipo non corrispondente");
  EXPECT_EQ(fallita.source, L"Vortan.Ifmx");
}

TEST_F(Translators, SybThroughTheVtableAndByName) {
  auto syb = Create<_Syb>(selvan_, CLSID_Syb);
  BSTR out = nullptr;
  ASSERT_EQ(syb->Traduci(Bstr(L"SELECT table_name FROM systable").get(), Bstr(L"SELECT").get(), &out), S_OK);
  unique_bstr result(out);
  EXPECT_STREQ(result.get(), L"SELECT  name||'.'||table_name  FROM  systable, sysusers ");
  ASSERT_EQ(syb->FormattaData(Bstr(L"00/00/0000").get(), &out), S_OK);
  result.reset(out);
  EXPECT_STREQ(result.get(), L"null");
  LONG numero = 0;
  ASSERT_EQ(syb->TraduciErr(-196, &numero), S_OK);
  EXPECT_EQ(numero, -196);
  VARIANT_BOOL ok = VARIANT_FALSE;
  ASSERT_EQ(syb->NoLongTransaction(nullptr, 0, Bstr(L"UPDATE").get(), nullptr, 99, nullptr, nullptr, &ok),
            S_OK);
  EXPECT_EQ(ok, VARIANT_TRUE);

  ComPtr<IDispatch> dispatch;
  ASSERT_EQ(syb.As(dispatch), S_OK);
  auto traduci = InvokeByName(dispatch.get(), L"Traduci",
                              {BstrArgument(L"SELECT x FROM systable"), BstrArgument(L"UPDATE")});
  ASSERT_EQ(traduci.hr, S_OK);
  EXPECT_STREQ(V_BSTR(&traduci.result.get()), L"SELECT x FROM systable");
  auto nlt = InvokeByName(dispatch.get(), L"NoLongTransaction",
                          {BstrArgument(L""), LongArgument(1), BstrArgument(L"DELETE"), NothingArgument(),
                           LongArgument(1), BstrArgument(L""), BstrArgument(L"")});
  ASSERT_EQ(nlt.hr, S_OK);
  EXPECT_EQ(V_VT(&nlt.result.get()), VT_BOOL);
  EXPECT_EQ(V_BOOL(&nlt.result.get()), VARIANT_TRUE);
}

// The identities callers bind to, read back from each server's own type library.
struct Member {
  const wchar_t* name;
  DISPID id;
  const wchar_t* firstParameter;
};

void ExpectIdentity(IDispatch* object, const GUID& libid, WORD major, const wchar_t* description,
                    const IID& iid, const std::vector<Member>& members) {
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(object->GetTypeInfo(0, 0, info.put()), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(::IsEqualIID(attributes->guid, iid));
  const WORD flags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE;
  EXPECT_EQ(attributes->wTypeFlags & flags, flags);
  info->ReleaseTypeAttr(attributes);
  // The vtable half of the dual interface is the automation-compatible one.
  HREFTYPE vtable = 0;
  ComPtr<ITypeInfo> vtableInfo;
  ASSERT_EQ(info->GetRefTypeOfImplType(-1, &vtable), S_OK);
  ASSERT_EQ(info->GetRefTypeInfo(vtable, vtableInfo.put()), S_OK);
  ASSERT_EQ(vtableInfo->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
  EXPECT_EQ(attributes->wTypeFlags & (flags | TYPEFLAG_FOLEAUTOMATION), flags | TYPEFLAG_FOLEAUTOMATION);
  vtableInfo->ReleaseTypeAttr(attributes);

  ComPtr<ITypeLib> library;
  UINT index = 0;
  ASSERT_EQ(info->GetContainingTypeLib(library.put(), &index), S_OK);
  TLIBATTR* libraryAttributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&libraryAttributes), S_OK);
  EXPECT_TRUE(::IsEqualGUID(libraryAttributes->guid, libid));
  EXPECT_EQ(libraryAttributes->wMajorVerNum, major);
  EXPECT_EQ(libraryAttributes->wMinorVerNum, 0);
  EXPECT_EQ(libraryAttributes->lcid, 0x409u);
  library->ReleaseTLibAttr(libraryAttributes);
  BSTR docString = nullptr;
  ASSERT_EQ(library->GetDocumentation(-1, nullptr, &docString, nullptr, nullptr), S_OK);
  unique_bstr doc(docString);
  EXPECT_STREQ(doc.get(), description);

  for (const Member& m : members) {
    std::wstring name = m.name, parameter = m.firstParameter;
    LPOLESTR names[] = {name.data(), parameter.data()};
    DISPID ids[2] = {};
    ASSERT_EQ(object->GetIDsOfNames(talvo::com::kNoInterface, names, 2, 0, ids), S_OK) << m.name;
    EXPECT_EQ(ids[0], m.id) << m.name;
    EXPECT_EQ(ids[1], 0) << m.firstParameter;
  }
}

TEST_F(Translators, IdentitiesAsCallersBindToThem) {
  auto ifmx = Create<IDispatch>(vortan_, CLSID_Ifmx);
  ExpectIdentity(ifmx.get(), LIBID_Vortan, 21, L"Traduttore Informix", IID__Ifmx,
                 {{L"Traduci", 0x60030000, L"strQuery"},
                  {L"FormattaData", 0x60030008, L"CampoData"},
                  {L"NoLongTransaction", 0x60030009, L"Tabella"},
                  {L"TraduciErr", 0x6003000a, L"NumErrore"}});
  auto syb = Create<IDispatch>(selvan_, CLSID_Syb);
  ExpectIdentity(syb.get(), LIBID_Selvan, 7, L"Traduttore Sybase", IID__Syb,
                 {{L"Traduci", 0x60030000, L"strquery"},
                  {L"FormattaData", 0x60030001, L"CampoData"},
                  {L"NoLongTransaction", 0x60030002, L"Tabella"},
                  {L"TraduciErr", 0x60030003, L"NumErrore"}});
}

TEST_F(Translators, CanUnloadOnlyWhenNoObjectIsLeft) {
  for (const auto* server : {&vortan_, &selvan_}) {
    EXPECT_EQ(server->CanUnloadNow(), S_OK);
    {
      auto object = Create<IDispatch>(*server, server == &vortan_ ? CLSID_Ifmx : CLSID_Syb);
      EXPECT_EQ(server->CanUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(server->CanUnloadNow(), S_OK);
  }
}

// Calls on two threads each open a connection to TALVO (NoLongTransaction asks about a table);
// the library then answers DllCanUnloadNow, which closes them (its OpenConnectionCount export
// shows none left), and unloads without hanging: nothing is left for DllMain or a thread-local or
// static destructor to release under the loader lock.
TEST(VortanUnload, AfterCallsOnTwoThreadsTheLibraryUnloadsWithoutHanging) {
  const std::wstring path = talvo::test::WindowsPath(TALVO_SERVER_Vortan);
  HMODULE module = ::LoadLibraryW(path.c_str());
  ASSERT_NE(module, nullptr);
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  using CanUnloadNow = HRESULT(WINAPI*)();
  using OpenConnectionCount = LONG(WINAPI*)();
  auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(::GetProcAddress(module, "DllGetClassObject")));
  auto canUnloadNow =
      reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(::GetProcAddress(module, "DllCanUnloadNow")));
  auto openConnections = reinterpret_cast<OpenConnectionCount>(
      reinterpret_cast<void*>(::GetProcAddress(module, "OpenConnectionCount")));
  ASSERT_TRUE(getClassObject && canUnloadNow && openConnections);
  EXPECT_EQ(openConnections(), 0);
  for (int thread = 0; thread < 2; ++thread) {
    VARIANT_BOOL result = VARIANT_TRUE;
    std::thread caller([&] {
      talvo::test::Apartment apartment;
      ComPtr<IClassFactory> factory;
      ComPtr<_Ifmx> ifmx;
      if (FAILED(getClassObject(CLSID_Ifmx, IID_IClassFactory, factory.put_void())) ||
          FAILED(factory->CreateInstance(nullptr, IID__Ifmx, ifmx.put_void()))) {
        return;
      }
      unique_bstr table(::SysAllocString(L"tabella_assente")), kind(::SysAllocString(L"DELETE"));
      unique_bstr empty(::SysAllocString(L""));
      ifmx->NoLongTransaction(table.get(), 10, kind.get(), nullptr, 1, empty.get(), empty.get(), &result);
    });
    caller.join();
    EXPECT_EQ(result, VARIANT_FALSE) << "the call did not reach the database";
  }
  // Each thread's connection stays open, for the thread's next call, until the library may be unloaded.
  EXPECT_EQ(openConnections(), 2);
  EXPECT_EQ(canUnloadNow(), S_OK);
  EXPECT_EQ(openConnections(), 0);
  // Unloaded on a thread of its own, so that a hang fails the test instead of blocking it.
  const talvo::unique_handle unloader(::CreateThread(
      nullptr, 0, [](void* m) -> DWORD { return ::FreeLibrary(static_cast<HMODULE>(m)) ? 0 : 1; }, module, 0,
      nullptr));
  ASSERT_TRUE(unloader);
  ASSERT_EQ(::WaitForSingleObject(unloader.get(), 20000), WAIT_OBJECT_0) << "FreeLibrary hangs";
  DWORD code = 1;
  ::GetExitCodeThread(unloader.get(), &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace
