// Registration of both translators by Wine's regsvr32: every key and value of each server's own
// registration table is present afterwards and none is left after regsvr32 /u, the type library
// included; registered, the classes are created through COM.
#include <gtest/gtest.h>
// The identifiers of both servers are defined in this program.
#include <initguid.h>

#include "ServerTest.h"
#include "com/ComPtr.h"
#include "com/Registration.h"
#include "informix/IdentitaVortan.h"
#include "sybase/IdentitaSelvan.h"

namespace {

using talvo::com::ComPtr;
using talvo::com::GuidText;
using talvo::test::KeyExists;
using talvo::test::KeyValue;

struct Server {
  std::wstring path;
  talvo::com::ServerIdentity identity;  // the server's own table, as its DllRegisterServer reads it
  IID iid;
  const wchar_t* progId;
  const wchar_t* version;  // of the type library, as its registry key names it (hexadecimal)
};

std::vector<Server> Servers() {
  return {{talvo::test::WindowsPath(TALVO_SERVER_Vortan), talvo::translators::informix::IdentitaVortan(),
           IID__Ifmx, L"Vortan.Ifmx", L"15.0"},
          {talvo::test::WindowsPath(TALVO_SERVER_Selvan), talvo::translators::sybase::IdentitaSelvan(),
           IID__Syb, L"Selvan.Syb", L"7.0"}};
}

class Registration : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const Server& s : Servers()) talvo::test::Regsvr32(s.path, true);
  }
};

TEST_F(Registration, Regsvr32WritesTheKeysAndRegsvr32URemovesThemAll) {
  for (const Server& s : Servers()) {
    SCOPED_TRACE(s.progId);
    const auto table = talvo::com::ServerRegistryKeys(s.identity, s.path);
    const std::wstring clsid = L"CLSID\\" + GuidText(s.identity.classes.at(0).clsid);
    const std::wstring libid = GuidText(s.identity.typeLibrary.libid);
    ASSERT_EQ(talvo::test::Regsvr32(s.path), 0u);
    talvo::test::ExpectTableRegistered(table);
    // What the table holds, as callers and the registry tools read it.
    EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, clsid + L"\\InprocServer32"), s.path);
    EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, clsid + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, clsid + L"\\ProgID"), s.progId);
    EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, clsid + L"\\TypeLib"), libid);
    const std::wstring typeLibrary = L"TypeLib\\" + libid + L"\\" + s.version;
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, typeLibrary + L"\\409\\win64")) << typeLibrary.c_str();
    EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, L"Interface\\" + GuidText(s.iid) + L"\\TypeLib"), libid);

    ASSERT_EQ(talvo::test::Regsvr32(s.path, true), 0u);
    talvo::test::ExpectTableRemoved(table);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\" + libid));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Interface\\" + GuidText(s.iid)));
  }
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"TypeLib"));
}

TEST_F(Registration, RegisteredClassesAreCreatedByClsidAndByProgId) {
  for (const Server& s : Servers()) ASSERT_EQ(talvo::test::Regsvr32(s.path), 0u);
  talvo::test::Apartment apartment;

  ComPtr<_Ifmx> ifmx;
  ASSERT_EQ(::CoCreateInstance(CLSID_Ifmx, nullptr, CLSCTX_INPROC_SERVER, IID__Ifmx, ifmx.put_void()), S_OK);
  LONG numero = 0;
  ASSERT_EQ(ifmx->TraduciErr(-121, &numero), S_OK);
  EXPECT_EQ(numero, -313);

  CLSID fromProgId{};
  ASSERT_EQ(::CLSIDFromProgID(L"Selvan.Syb", &fromProgId), S_OK);
  EXPECT_TRUE(::IsEqualCLSID(fromProgId, CLSID_Syb));
  ComPtr<_Syb> syb;
  ASSERT_EQ(::CoCreateInstance(fromProgId, nullptr, CLSCTX_INPROC_SERVER, IID__Syb, syb.put_void()), S_OK);
  talvo::unique_bstr data(::SysAllocString(L"0000-00-00"));
  BSTR out = nullptr;
  ASSERT_EQ(syb->FormattaData(data.get(), &out), S_OK);
  talvo::unique_bstr result(out);
  EXPECT_STREQ(result.get(), L"null");
}

}  // namespace
