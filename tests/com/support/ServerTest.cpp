// Test helpers for COM servers, working through the real Windows API as Wine provides it.
#include "ServerTest.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "com/Dispatch.h"

namespace talvo::test {

std::wstring WindowsPath(const std::string& hostPath) {
  std::wstring path = L"Z:";
  for (char c : hostPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}

DWORD Regsvr32(const std::wstring& server, bool unregister) {
  std::wstring command = L"regsvr32.exe /s ";
  if (unregister) command += L"/u ";
  command += L"\"" + server + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
    throw std::runtime_error("regsvr32 could not be started");
  }
  unique_handle processHandle(process.hProcess);
  unique_handle threadHandle(process.hThread);
  ::WaitForSingleObject(processHandle.get(), INFINITE);
  DWORD code = 1;
  ::GetExitCodeProcess(processHandle.get(), &code);
  return code;
}

bool KeyExists(HKEY root, const std::wstring& path) {
  unique_hkey key;
  return ::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::wstring KeyValue(HKEY root, const std::wstring& path, const std::wstring& name) {
  wchar_t data[1024] = {};
  DWORD bytes = sizeof data - sizeof(wchar_t);
  if (::RegGetValueW(root, path.c_str(), name.empty() ? nullptr : name.c_str(), RRF_RT_REG_SZ, nullptr, data,
                     &bytes) != ERROR_SUCCESS) {
    return L"";
  }
  return data;
}

void ExpectTableRegistered(const std::vector<com::RegistryKey>& table) {
  for (const com::RegistryKey& key : table) {
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, key.path)) << key.path.c_str();
    for (const com::RegistryValue& value : key.values) {
      EXPECT_EQ(KeyValue(HKEY_CLASSES_ROOT, key.path, value.name), value.data)
          << key.path.c_str() << " [" << value.name.c_str() << "]";
    }
  }
}

void ExpectTableRemoved(const std::vector<com::RegistryKey>& table) {
  for (const com::RegistryKey& key : table)
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key.path)) << key.path.c_str();
}

Apartment::Apartment(DWORD model) {
  if (FAILED(::CoInitializeEx(nullptr, model))) throw std::runtime_error("CoInitializeEx failed");
}
Apartment::~Apartment() { ::CoUninitialize(); }

LoadedServer::LoadedServer(const std::wstring& path) : module_(::LoadLibraryW(path.c_str())) {
  if (!module_) throw std::runtime_error("the server could not be loaded");
}

namespace {
template <typename F>
F Entry(HMODULE module, const char* name) {
  auto entry = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
  if (!entry) throw std::runtime_error(std::string("the server does not export ") + name);
  return entry;
}
}  // namespace

HRESULT LoadedServer::GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const {
  return Entry<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(module_.get(), "DllGetClassObject")(clsid, riid,
                                                                                               ppv);
}
HRESULT LoadedServer::CanUnloadNow() const {
  return Entry<HRESULT(WINAPI*)()>(module_.get(), "DllCanUnloadNow")();
}
HRESULT LoadedServer::Register() const {
  return Entry<HRESULT(WINAPI*)()>(module_.get(), "DllRegisterServer")();
}
HRESULT LoadedServer::Unregister() const {
  return Entry<HRESULT(WINAPI*)()>(module_.get(), "DllUnregisterServer")();
}

Invocation InvokeByName(IDispatch* object, const std::wstring& name, std::vector<VARIANT> arguments) {
  Invocation call;
  std::wstring bound = name;
  LPOLESTR names[] = {bound.data()};
  DISPID id = DISPID_UNKNOWN;
  call.hr = object->GetIDsOfNames(talvo::com::kNoInterface, names, 1, LOCALE_USER_DEFAULT, &id);
  if (SUCCEEDED(call.hr)) {
    // DISPPARAMS holds the arguments last to first.
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    UINT badArgument = 0;
    EXCEPINFO exception{};
    call.hr = object->Invoke(id, talvo::com::kNoInterface, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                             call.result.put(), &exception, &badArgument);
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    call.scode = exception.scode ? exception.scode : static_cast<SCODE>(exception.wCode);
    unique_bstr source(exception.bstrSource), description(exception.bstrDescription),
        help(exception.bstrHelpFile);
    if (source) call.source = source.get();
    if (description) call.description = description.get();
  }
  for (VARIANT& v : arguments) ::VariantClear(&v);
  return call;
}

VARIANT BstrArgument(const std::wstring& text) {
  VARIANT v;
  ::VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return v;
}

VARIANT LongArgument(long value) {
  VARIANT v;
  ::VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

std::wstring ErrorInfoDescription() {
  com::ComPtr<IErrorInfo> info;
  if (::GetErrorInfo(0, info.put()) != S_OK || !info) return L"";
  BSTR description = nullptr;
  info->GetDescription(&description);
  unique_bstr owned(description);
  return owned ? owned.get() : L"";
}

}  // namespace talvo::test
