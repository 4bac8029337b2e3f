// Table-driven registration: keys written and removed symmetrically, and a server built with the
// plumbing registered and unregistered by Wine's regsvr32, then created through COM by CLSID and ProgID.
#include <gtest/gtest.h>
// The identifiers of the test server are defined in this program.
#include <initguid.h>

#include "ComTestServer.h"
#include "ServerTest.h"
#include "com/ComPtr.h"
#include "com/Registration.h"

namespace {

using namespace talvo::com;
using talvo::test::KeyExists;
using talvo::test::KeyValue;

const wchar_t kScratch[] = L"Software\\TalvoComRegistrationTest";

TEST(RegistryTable, RemovalTakesExactlyTheOwnedKeys) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
  const std::wstring base = kScratch;
  const std::vector<RegistryKey> table = {
      {base + L"\\Owned", {{L"", L"default"}, {L"Named", L"value"}}},
      {base + L"\\Owned\\Child", {}},
      {base + L"\\Other", {{L"", L"x"}}},
  };
  // A key of someone else's next to ours, and one that a later tool added beneath ours.
  talvo::unique_hkey foreign;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (base + L"\\Foreign").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, foreign.put(), nullptr),
            ERROR_SUCCESS);

  ASSERT_EQ(WriteRegistryKeys(HKEY_CURRENT_USER, table), S_OK);
  EXPECT_EQ(KeyValue(HKEY_CURRENT_USER, base + L"\\Owned"), L"default");
  EXPECT_EQ(KeyValue(HKEY_CURRENT_USER, base + L"\\Owned", L"Named"), L"value");
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base + L"\\Owned\\Child"));
  talvo::unique_hkey added;
  ::RegCreateKeyExW(HKEY_CURRENT_USER, (base + L"\\Owned\\Child\\Added").c_str(), 0, nullptr, 0,
                    KEY_ALL_ACCESS, nullptr, added.put(), nullptr);

  ASSERT_EQ(RemoveRegistryKeys(HKEY_CURRENT_USER, table), S_OK);
  for (const RegistryKey& key : table)
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key.path)) << key.path.c_str();
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base + L"\\Foreign"));
  // Removing what is already gone is no failure.
  EXPECT_EQ(RemoveRegistryKeys(HKEY_CURRENT_USER, table), S_OK);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
  ::RegDeleteKeyW(HKEY_CURRENT_USER, kScratch);
}

ServerIdentity TestServerIdentity() {
  return {
      {LIBID_ComTestServer, 1, 2, 0x409},
      {{CLSID_Echo, L"ComTestServer.Echo", L"ComTestServer.Echo", L"", L"Apartment"},
       {CLSID_Inner, L"Inner Class", L"ComTestServer.Inner", L"ComTestServer.Inner.1", L"Both", true, true}}};
}

std::wstring ShortForm(const std::wstring& path) {
  wchar_t buffer[MAX_PATH] = {};
  return ::GetShortPathNameW(path.c_str(), buffer, MAX_PATH) ? buffer : path;
}

class Regsvr32 : public ::testing::Test {
 protected:
  void TearDown() override { talvo::test::Regsvr32(server_, true); }

  const std::wstring server_ = talvo::test::WindowsPath(TALVO_SERVER_ComTestServer);
  const std::vector<RegistryKey> keys_ = ServerRegistryKeys(TestServerIdentity(), server_);
  const std::wstring typeLibrary_ = L"TypeLib\\" + GuidText(LIBID_ComTestServer);
  const std::wstring interface_ = L"Interface\\" + GuidText(IID__Echo);
};

TEST_F(Regsvr32, RegistersTheTableAndTheTypeLibraryAndRemovesThemAll) {
  ASSERT_EQ(talvo::test::Regsvr32(server_), 0u);
  for (const RegistryKey& key : keys_) {
    ASSERT_TRUE(KeyExists(HKEY_CLASSES_ROOT, key.path)) << key.path.c_str();
    for (const RegistryValue& value : key.values) {
      EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, key.path, value.name), value.data) << key.path.c_str();
    }
  }
  const std::wstring echo = L"CLSID\\" + GuidText(CLSID_Echo);
  const std::wstring inner = L"CLSID\\" + GuidText(CLSID_Inner);
  EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, echo + L"\\InprocServer32"), server_);
  EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, echo + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, echo + L"\\ProgID"), L"ComTestServer.Echo");
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"ComTestServer.Echo\\CurVer"));
  EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, inner + L"\\InprocServer32"), ShortForm(server_));
  EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, inner + L"\\ProgID"), L"ComTestServer.Inner.1");
  EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, inner + L"\\VersionIndependentProgID"), L"ComTestServer.Inner");
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, inner + L"\\Programmable"));
  EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, L"ComTestServer.Inner\\CurVer"), L"ComTestServer.Inner.1");
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, typeLibrary_ + L"\\1.2"));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, interface_));

  ASSERT_EQ(talvo::test::Regsvr32(server_, true), 0u);
  for (const RegistryKey& key : keys_)
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key.path)) << key.path.c_str();
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, typeLibrary_));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, interface_));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
}

TEST_F(Regsvr32, RegisteredClassesAreCreatedThroughComByClsidAndProgId) {
  ASSERT_EQ(talvo::test::Regsvr32(server_), 0u);
  {
    talvo::test::Apartment apartment;
    ComPtr<_Echo> echo;
    ASSERT_EQ(::CoCreateInstance(CLSID_Echo, nullptr, CLSCTX_INPROC_SERVER, IID__Echo, echo.put_void()),
              S_OK);
    CLSID fromProgId{};
    ASSERT_EQ(::CLSIDFromProgID(L"ComTestServer.Inner", &fromProgId), S_OK);
    EXPECT_TRUE(::IsEqualCLSID(fromProgId, CLSID_Inner));
    ComPtr<IDispatch> inner;
    ASSERT_EQ(::CoCreateInstance(fromProgId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, inner.put_void()),
              S_OK);
    ::CoFreeUnusedLibraries();
  }
}

TEST_F(Regsvr32, UnregisteringWhatWasNeverRegisteredSucceeds) {
  EXPECT_EQ(talvo::test::Regsvr32(server_, true), 0u);
  for (const RegistryKey& key : keys_) EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key.path));
}

}  // namespace
