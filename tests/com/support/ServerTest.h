// Helpers for tests of the suite's COM servers under Wine: the Windows path of a built server,
// regsvr32 runs, registry checks, a loaded server's entry points and late-bound calls by name.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <string>
#include <vector>

#include "com/ComPtr.h"
#include "com/Registration.h"
#include "raii/unique_any.h"

namespace talvo::test {

// The path Wine's programs see for a file of the host (the host's root is drive Z:).
std::wstring WindowsPath(const std::string& hostPath);

// Runs Wine's regsvr32 silently on a server and returns its exit code (0 on success).
DWORD Regsvr32(const std::wstring& server, bool unregister = false);

bool KeyExists(HKEY root, const std::wstring& path);
// A REG_SZ value of a key; the empty name is the default value. Empty when absent.
std::wstring KeyValue(HKEY root, const std::wstring& path, const std::wstring& name = L"");

// Every key of a server's own registration table is under HKEY_CLASSES_ROOT with every value the
// table gives it (registered), or none of its keys is left (unregistered). Failures are reported
// through GoogleTest, one per key or value.
void ExpectTableRegistered(const std::vector<com::RegistryKey>& table);
void ExpectTableRemoved(const std::vector<com::RegistryKey>& table);

// CoInitializeEx for the test's thread, undone when the object dies.
class Apartment {
 public:
  explicit Apartment(DWORD model = COINIT_APARTMENTTHREADED);
  ~Apartment();
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
};

// A server DLL loaded without registration, reached through its exported entry points.
class LoadedServer {
 public:
  explicit LoadedServer(const std::wstring& path);
  HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const;
  HRESULT CanUnloadNow() const;
  HRESULT Register() const;
  HRESULT Unregister() const;

 private:
  unique_hmodule module_;
};

// The outcome of a late-bound call.
struct Invocation {
  HRESULT hr = S_OK;
  unique_variant result;
  // From the EXCEPINFO of a call that answered DISP_E_EXCEPTION.
  SCODE scode = S_OK;
  std::wstring source;
  std::wstring description;
};

// Calls a method by name through IDispatch, binding the name with GetIDsOfNames; the arguments
// are given in their declared order.
Invocation InvokeByName(IDispatch* object, const std::wstring& name, std::vector<VARIANT> arguments);

VARIANT BstrArgument(const std::wstring& text);  // owned by the caller's vector until the call ends
VARIANT LongArgument(long value);

// The description of the calling thread's error information, empty when there is none.
std::wstring ErrorInfoDescription();

}  // namespace talvo::test
