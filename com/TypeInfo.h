// The type information behind a server's IDispatch: loaded once per module, from the type
// library embedded in the module (resource 1) or, for a server that asks for it, from the
// registered one, and kept for the life of the module.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace talvo::com {

struct RegisteredTypeLibrary {
  GUID libid;
  WORD major;
  WORD minor;
  LCID lcid;
};

// From then on the type information comes from the registered library: late-bound callers then
// need the server registered. Called before the first object is created.
void UseRegisteredTypeLibrary(const RegisteredTypeLibrary& library) noexcept;

// Releases the cached type information; the next call loads it again. Called when the module may
// be unloaded (no object and no lock left), so that nothing is released under the loader lock.
void ReleaseCachedTypeInfo() noexcept;

// The type information of one interface, borrowed from the module's cache (not AddRef'ed).
HRESULT CachedTypeInfo(REFIID iid, ITypeInfo** borrowed) noexcept;

// Loads the type library embedded in this module; the caller owns the reference.
HRESULT LoadModuleTypeLibrary(ITypeLib** library) noexcept;

}  // namespace talvo::com
