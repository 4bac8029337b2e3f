// Ifmx.NoLongTransaction through Vortan.dll's IDispatch, as a late-bound caller reaches it: the
// column read from a real Scripting.Dictionary, the automation boolean result, the connection of
// each calling thread, and the library unloading cleanly after threads have used it.
#include <gtest/gtest.h>

#include <thread>

// initguid.h first: Vortan.h then defines the identifiers it declares.
#include <initguid.h>

#include "ServerTest.h"
#include "TestDatabase.h"
#include "Vortan.h"
#include "com/ComPtr.h"

namespace talvo::test {
namespace {

using com::ComPtr;

VARIANT DispatchArgument(IDispatch* object) {
  VARIANT v;
  ::VariantInit(&v);
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = object;
  if (object) object->AddRef();  // the call's argument list releases it
  return v;
}

VARIANT ShortArgument(short value) {
  VARIANT v;
  ::VariantInit(&v);
  V_VT(&v) = VT_I2;
  V_I2(&v) = value;
  return v;
}

ComPtr<IDispatch> CreateIfmx(const LoadedServer& server) {
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(server.GetClassObject(CLSID_Ifmx, IID_IClassFactory, factory.put_void()), S_OK);
  ComPtr<IDispatch> ifmx;
  if (factory) {
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, ifmx.put_void()), S_OK);
  }
  return ifmx;
}

// A Scripting.Dictionary holding the column names under the keys 1, 2, ...
ComPtr<IDispatch> Columns(std::initializer_list<const wchar_t*> names) {
  CLSID clsid;
  EXPECT_EQ(::CLSIDFromProgID(L"Scripting.Dictionary", &clsid), S_OK);
  ComPtr<IDispatch> dictionary;
  EXPECT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, dictionary.put_void()),
            S_OK);
  long key = 1;
  for (const wchar_t* name : names) {
    EXPECT_EQ(InvokeByName(dictionary.get(), L"Add", {LongArgument(key++), BstrArgument(name)}).hr, S_OK);
  }
  return dictionary;
}

Invocation NoLongTransaction(IDispatch* ifmx, const wchar_t* table, long dimMax, const wchar_t* kind,
                             IDispatch* columns, short index, const wchar_t* newValue,
                             const wchar_t* oldValue) {
  return InvokeByName(
      ifmx, L"NoLongTransaction",
      {BstrArgument(table), LongArgument(dimMax), BstrArgument(kind), DispatchArgument(columns),
       ShortArgument(index), BstrArgument(newValue), BstrArgument(oldValue)});
}

void ExpectResult(const Invocation& call, bool expected) {
  ASSERT_EQ(call.hr, S_OK);
  ASSERT_EQ(V_VT(&call.result.get()), VT_BOOL);
  EXPECT_EQ(V_BOOL(&call.result.get()), expected ? VARIANT_TRUE : VARIANT_FALSE);
}

class IfmxNoLongTransaction : public ::testing::Test {
 protected:
  Apartment apartment;
  TestDatabase db;
};

TEST_F(IfmxNoLongTransaction, UpdatesTheColumnTheCollectionNamesAndDeletesWithoutOne) {
  LoadedServer server(WindowsPath(TALVO_SERVER_Vortan));
  ComPtr<IDispatch> ifmx = CreateIfmx(server);
  ASSERT_TRUE(ifmx);
  db.CreateTable(u"t");
  db.InsertRows(u"t", 1, 3, 40, u"Rossi");
  ComPtr<IDispatch> columns = Columns({L"classe", L"nome"});

  ExpectResult(NoLongTransaction(ifmx.get(), L"t", 10, L"UPDATE", columns.get(), 2, L"D'Angelo", L"Rossi"),
               true);
  EXPECT_EQ(db.Count(u"t", u"nome='D''Angelo'"), 40);
  ExpectResult(NoLongTransaction(ifmx.get(), L"t", 10, L"DELETE", nullptr, 0, L"", L""), true);
  EXPECT_EQ(db.Count(u"t"), 0);
}

TEST_F(IfmxNoLongTransaction, FailuresAreAFalseResultNotAnAutomationError) {
  LoadedServer server(WindowsPath(TALVO_SERVER_Vortan));
  ComPtr<IDispatch> ifmx = CreateIfmx(server);
  ASSERT_TRUE(ifmx);
  db.CreateTable(u"t");
  db.InsertRows(u"t", 1, 1, 5, u"x");
  ExpectResult(NoLongTransaction(ifmx.get(), L"nessuna_tabella", 10, L"DELETE", nullptr, 0, L"", L""), false);
  // An update needs its collection: without one there is no column to change.
  ExpectResult(NoLongTransaction(ifmx.get(), L"t", 1, L"UPDATE", nullptr, 1, L"y", L"x"), false);
  EXPECT_EQ(db.Count(u"t"), 5);
}

TEST_F(IfmxNoLongTransaction, EachThreadWorksOnItsOwnConnectionAndTheLibraryUnloads) {
  db.CreateTable(u"t");
  db.InsertRows(u"t", 1, 1, 50, u"x");
  {
    LoadedServer server(WindowsPath(TALVO_SERVER_Vortan));
    std::thread other([&] {
      Apartment theirs;
      ComPtr<IDispatch> ifmx = CreateIfmx(server);
      ASSERT_TRUE(ifmx);
      ExpectResult(NoLongTransaction(ifmx.get(), L"t", 10, L"DELETE", nullptr, 0, L"", L""), true);
    });
    other.join();  // the thread's connection closes as it ends
    EXPECT_EQ(db.Count(u"t"), 0);
    ComPtr<IDispatch> ifmx = CreateIfmx(server);
    ASSERT_TRUE(ifmx);
    ExpectResult(NoLongTransaction(ifmx.get(), L"t", 10, L"DELETE", nullptr, 0, L"", L""), true);
    ifmx.reset();
    EXPECT_EQ(server.CanUnloadNow(), S_OK);
  }  // unloaded with this thread's connection still open
  db.InsertRow(u"t", 1, u"x");
  EXPECT_EQ(db.Count(u"t"), 1);  // and the database is still usable
}

}  // namespace
}  // namespace talvo::test
