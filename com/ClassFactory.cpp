// The generic class factory: each factory object serves one table entry and counts as a live
// object, so that a caller holding a factory keeps the module loaded.
#include "ClassFactory.h"

#include "Object.h"

namespace talvo::com {
namespace {

class ClassFactory final : public Object<ClassFactory, IClassFactory> {
 public:
  explicit ClassFactory(CreateFunction create) noexcept : create_(create) {}

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) noexcept override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    return create_(outer, riid, ppv);
  }

  STDMETHODIMP LockServer(BOOL lock) noexcept override {
    if (lock) {
      Module::Lock();
    } else {
      Module::Unlock();
    }
    return S_OK;
  }

 private:
  CreateFunction create_;
};

}  // namespace

HRESULT GetClassObject(const ClassEntry* classes, std::size_t count, REFCLSID clsid, REFIID riid,
                       void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    if (::IsEqualCLSID(*classes[i].clsid, clsid)) {
      return ClassFactory::Create(nullptr, riid, ppv, classes[i].create);
    }
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace talvo::com
