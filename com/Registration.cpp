// Writing and removing a server's registry keys and type library.
#include "Registration.h"

#include <oleauto.h>
#include <olectl.h>

#include <new>

#include "ComPtr.h"
#include "Module.h"
#include "TypeInfo.h"
#include "raii/unique_any.h"

namespace talvo::com {
namespace {

std::wstring ShortPath(const std::wstring& path) {
  DWORD n = ::GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return path;  // a file system without 8.3 names keeps the long form
  std::wstring result(n, L'\0');
  n = ::GetShortPathNameW(path.c_str(), result.data(), n);
  if (n == 0 || n >= result.size()) return path;
  result.resize(n);
  return result;
}

void AddClassKeys(std::vector<RegistryKey>& keys, const ClassIdentity& c, const GUID& libid,
                  const std::wstring& serverPath) {
  const std::wstring clsid = GuidText(c.clsid);
  const std::wstring classKey = L"CLSID\\" + clsid;
  const bool versioned = !c.versionedProgId.empty();

  if (versioned) {
    keys.push_back({c.versionedProgId, {{L"", c.name}}});
    keys.push_back({c.versionedProgId + L"\\CLSID", {{L"", clsid}}});
  }
  keys.push_back({c.progId, {{L"", c.name}}});
  keys.push_back({c.progId + L"\\CLSID", {{L"", clsid}}});
  if (versioned) keys.push_back({c.progId + L"\\CurVer", {{L"", c.versionedProgId}}});

  keys.push_back({classKey, {{L"", c.name}}});
  keys.push_back({classKey + L"\\ProgID", {{L"", versioned ? c.versionedProgId : c.progId}}});
  if (versioned) keys.push_back({classKey + L"\\VersionIndependentProgID", {{L"", c.progId}}});
  if (c.programmable) keys.push_back({classKey + L"\\Programmable", {}});
  keys.push_back({classKey + L"\\InprocServer32",
                  {{L"", c.shortServerPath ? ShortPath(serverPath) : serverPath},
                   {L"ThreadingModel", c.threadingModel}}});
  if (c.typeLibraryKey) keys.push_back({classKey + L"\\TypeLib", {{L"", GuidText(libid)}}});
}

HRESULT FromWin32(LSTATUS status) { return HRESULT_FROM_WIN32(static_cast<DWORD>(status)); }

HRESULT RegisterTypeLibrary() noexcept {
  ComPtr<ITypeLib> library;
  HRESULT hr = LoadModuleTypeLibrary(library.put());
  if (FAILED(hr)) return hr;
  try {
    std::wstring path = Module::Path();
    return ::RegisterTypeLib(library.get(), path.data(), nullptr);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

// Looked up at run time: older systems lack it, and then the step is skipped.
HRESULT UnregisterTypeLibrary(const TypeLibraryIdentity& t) {
  using Unregister = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);
  HMODULE oleaut = ::GetModuleHandleW(L"oleaut32.dll");
  auto unregister = oleaut ? reinterpret_cast<Unregister>(
                                 reinterpret_cast<void*>(::GetProcAddress(oleaut, "UnRegisterTypeLib")))
                           : nullptr;
  if (!unregister) return S_OK;
  // A library that was never registered leaves nothing to remove.
  wchar_t version[16] = {};
  ::wsprintfW(version, L"\\%x.%x", t.major, t.minor);
  unique_hkey key;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, (L"TypeLib\\" + GuidText(t.libid) + version).c_str(), 0, KEY_READ,
                      key.put()) != ERROR_SUCCESS) {
    return S_OK;
  }
  key.reset();
  const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
  return unregister(t.libid, t.major, t.minor, t.lcid, kind);
}

}  // namespace

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  ::StringFromGUID2(guid, text, 40);
  return text;
}

std::vector<RegistryKey> ServerRegistryKeys(const ServerIdentity& server, const std::wstring& serverPath) {
  std::vector<RegistryKey> keys;
  for (const ClassIdentity& c : server.classes) AddClassKeys(keys, c, server.typeLibrary.libid, serverPath);
  return keys;
}

HRESULT WriteRegistryKeys(HKEY root, const std::vector<RegistryKey>& keys) noexcept {
  for (const RegistryKey& key : keys) {
    unique_hkey handle;
    LSTATUS status = ::RegCreateKeyExW(root, key.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_SET_VALUE, nullptr, handle.put(), nullptr);
    for (auto value = key.values.begin(); status == ERROR_SUCCESS && value != key.values.end(); ++value) {
      const DWORD bytes = static_cast<DWORD>((value->data.size() + 1) * sizeof(wchar_t));
      status = ::RegSetValueExW(handle.get(), value->name.empty() ? nullptr : value->name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value->data.c_str()), bytes);
    }
    if (status != ERROR_SUCCESS) {
      RemoveRegistryKeys(root, keys);
      return FromWin32(status);
    }
  }
  return S_OK;
}

HRESULT RemoveRegistryKeys(HKEY root, const std::vector<RegistryKey>& keys) noexcept {
  HRESULT result = S_OK;
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    LSTATUS status = ::RegDeleteTreeW(root, key->path.c_str());
    if (status == ERROR_SUCCESS) status = ::RegDeleteKeyW(root, key->path.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && SUCCEEDED(result))
      result = FromWin32(status);
  }
  return result;
}

HRESULT RegisterServer(const ServerIdentity& server) noexcept {
  try {
    const auto keys = ServerRegistryKeys(server, Module::Path());
    HRESULT hr = WriteRegistryKeys(HKEY_CLASSES_ROOT, keys);
    if (FAILED(hr)) return hr;
    hr = RegisterTypeLibrary();
    if (FAILED(hr)) {
      UnregisterTypeLibrary(server.typeLibrary);
      RemoveRegistryKeys(HKEY_CLASSES_ROOT, keys);
      return SELFREG_E_TYPELIB;
    }
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

HRESULT UnregisterServer(const ServerIdentity& server) noexcept {
  try {
    HRESULT typeLibrary = UnregisterTypeLibrary(server.typeLibrary);
    HRESULT classes = RemoveRegistryKeys(HKEY_CLASSES_ROOT, ServerRegistryKeys(server, Module::Path()));
    return FAILED(classes) ? classes : typeLibrary;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

}  // namespace talvo::com
