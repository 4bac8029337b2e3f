// Server registration from tables: the keys a server owns under HKEY_CLASSES_ROOT, written in
// table order and removed (each with everything beneath it) in reverse order, so that removal is
// exactly symmetric; plus the type library embedded in the module.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace talvo::com {

struct RegistryValue {
  std::wstring name;  // empty: the key's default value
  std::wstring data;  // REG_SZ
};

// One key the server owns. A table lists parents before their children.
struct RegistryKey {
  std::wstring path;
  std::vector<RegistryValue> values;
};

// How one creatable class is recorded.
struct ClassIdentity {
  CLSID clsid;
  std::wstring name;             // default value of the class and ProgID keys
  std::wstring progId;           // version-independent ProgID
  std::wstring versionedProgId;  // empty: no versioned ProgID (and no CurVer)
  std::wstring threadingModel;   // "Apartment", "Both", ...
  bool programmable = false;     // writes the empty "Programmable" key
  bool shortServerPath = false;  // InprocServer32 holds the module path in its 8.3 form
  bool typeLibraryKey = false;   // writes "TypeLib" naming the server's type library
};

struct TypeLibraryIdentity {
  GUID libid;
  WORD major;
  WORD minor;
  LCID lcid;
};

struct ServerIdentity {
  TypeLibraryIdentity typeLibrary;
  std::vector<ClassIdentity> classes;
};

// "{XXXXXXXX-...}" in upper case, as the registry holds identifiers.
std::wstring GuidText(const GUID& guid);

// The keys that record the classes of a server living at serverPath.
std::vector<RegistryKey> ServerRegistryKeys(const ServerIdentity& server, const std::wstring& serverPath);

// Writes every key and value; on a failure removes what the table owns and returns the error.
HRESULT WriteRegistryKeys(HKEY root, const std::vector<RegistryKey>& keys) noexcept;
// Removes every key of the table with its subkeys; keys already absent are no failure.
HRESULT RemoveRegistryKeys(HKEY root, const std::vector<RegistryKey>& keys) noexcept;

// DllRegisterServer and DllUnregisterServer of a server: its class keys under HKEY_CLASSES_ROOT
// and the type library embedded in the module. Registration that fails part way is undone.
HRESULT RegisterServer(const ServerIdentity& server) noexcept;
HRESULT UnregisterServer(const ServerIdentity& server) noexcept;

}  // namespace talvo::com
