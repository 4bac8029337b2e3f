// The module's type-information cache, shared by all threads that call its objects. It is never
// destroyed at unload (that would release the type library under the loader lock): the module
// empties it when DllCanUnloadNow finds no object and no lock left.
#include "TypeInfo.h"

#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "ComPtr.h"
#include "Module.h"
#include "NeverDestroyed.h"

namespace talvo::com {
namespace {

struct Cache {
  std::mutex mutex;
  std::optional<RegisteredTypeLibrary> registered;
  ComPtr<ITypeLib> library;
  std::vector<std::pair<IID, ComPtr<ITypeInfo>>> infos;
};

Cache& TheCache() {
  static NeverDestroyed<Cache> cache;
  return cache.get();
}

}  // namespace

void UseRegisteredTypeLibrary(const RegisteredTypeLibrary& library) noexcept {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  cache.registered = library;
}

void ReleaseCachedTypeInfo() noexcept {
  Cache& cache = TheCache();
  std::vector<std::pair<IID, ComPtr<ITypeInfo>>> infos;
  ComPtr<ITypeLib> library;
  {
    std::lock_guard<std::mutex> lock(cache.mutex);
    infos.swap(cache.infos);
    library = std::move(cache.library);
  }
  // Released here, outside the cache's lock, on the thread that asked.
}

HRESULT LoadModuleTypeLibrary(ITypeLib** library) noexcept {
  if (!library) return E_POINTER;
  *library = nullptr;
  try {
    return ::LoadTypeLibEx(Module::Path().c_str(), REGKIND_NONE, library);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT CachedTypeInfo(REFIID iid, ITypeInfo** borrowed) noexcept {
  if (!borrowed) return E_POINTER;
  *borrowed = nullptr;
  try {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> lock(cache.mutex);
    for (auto& [known, info] : cache.infos) {
      if (::IsEqualIID(known, iid)) {
        *borrowed = info.get();
        return S_OK;
      }
    }
    if (!cache.library) {
      HRESULT hr = cache.registered ? ::LoadRegTypeLib(cache.registered->libid, cache.registered->major,
                                                       cache.registered->minor, cache.registered->lcid,
                                                       cache.library.put())
                                    : LoadModuleTypeLibrary(cache.library.put());
      if (FAILED(hr)) return hr;
    }
    ComPtr<ITypeInfo> info;
    HRESULT hr = cache.library->GetTypeInfoOfGuid(iid, info.put());
    if (FAILED(hr)) return hr;
    *borrowed = info.get();
    cache.infos.emplace_back(iid, std::move(info));
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace talvo::com
