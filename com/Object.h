// The IUnknown of a COM class: reference count, QueryInterface over the class's interface list,
// aggregation and the module's object count.
//
// How it works: a class derives from Object<Derived, Interfaces...>, where each interface is a
// COM interface or an implementation helper (Dispatch<I>, ErrorInfoSupport<...>) that names its
// interface through InterfaceTraits. The real count and QueryInterface live in a small inner
// IUnknown; every interface's IUnknown methods delegate to the controlling unknown, which is the
// inner one, or the outer object's when the instance is aggregated.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "Module.h"

namespace talvo::com {

// The IID an interface list entry answers to.
template <typename I>
struct InterfaceTraits {
  static const IID& Iid() noexcept { return __uuidof(I); }
};

template <typename Derived, typename... Interfaces>
class Object : public Interfaces... {
 public:
  // Whether instances may be aggregated; a class that allows it says so.
  static constexpr bool kAggregatable = false;

  // Creates an instance (owned by `outer` when aggregated) and answers riid from it. The
  // arguments go to Derived's constructor.
  template <typename... Args>
  static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv, Args&&... args) noexcept {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer && (!Derived::kAggregatable || !::IsEqualIID(riid, IID_IUnknown))) return CLASS_E_NOAGGREGATION;
    try {
      auto self = std::make_unique<Derived>(std::forward<Args>(args)...);
      self->controlling_ = outer ? outer : &self->inner_;
      Inner& inner = self.release()->inner_;  // from here the reference count owns it
      HRESULT hr = inner.QueryInterface(riid, ppv);
      inner.Release();
      return hr;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_UNEXPECTED;
    }
  }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) noexcept override {
    return controlling_->QueryInterface(riid, ppv);
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return controlling_->AddRef(); }
  STDMETHODIMP_(ULONG) Release() noexcept override { return controlling_->Release(); }

 protected:
  Object() noexcept : inner_(this) { Module::ObjectCreated(); }
  ~Object() { Module::ObjectDestroyed(); }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  // The object's own IUnknown, which is not the controlling one when aggregated.
  IUnknown* Identity() noexcept { return &inner_; }

 private:
  class Inner final : public IUnknown {
   public:
    explicit Inner(Object* owner) noexcept : owner_(owner) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) noexcept override {
      if (!ppv) return E_POINTER;
      *ppv = nullptr;
      if (::IsEqualIID(riid, IID_IUnknown)) {
        *ppv = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
      }
      void* found = owner_->Find(riid);
      if (!found) return E_NOINTERFACE;
      *ppv = found;
      owner_->AddRef();
      return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() noexcept override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() noexcept override {
      ULONG left = --refs_;
      if (left == 0) delete static_cast<Derived*>(owner_);
      return left;
    }

   private:
    Object* owner_;
    std::atomic<ULONG> refs_{1};
  };

  void* Find(REFIID riid) noexcept {
    void* found = nullptr;
    // The interfaces in their listed order; IDispatch goes to the first dual interface.
    ((found = found ? found : Match<Interfaces>(riid)), ...);
    if (!found && ::IsEqualIID(riid, IID_IDispatch)) {
      ((found = found ? found : DispatchOf<Interfaces>()), ...);
    }
    return found;
  }
  template <typename I>
  void* Match(REFIID riid) noexcept {
    return ::IsEqualIID(riid, InterfaceTraits<I>::Iid()) ? static_cast<void*>(static_cast<I*>(this))
                                                         : nullptr;
  }
  template <typename I>
  void* DispatchOf() noexcept {
    if constexpr (std::is_base_of_v<IDispatch, I>) {
      return static_cast<void*>(static_cast<IDispatch*>(static_cast<I*>(this)));
    } else {
      return nullptr;
    }
  }

  Inner inner_;
  IUnknown* controlling_ = &inner_;
};

}  // namespace talvo::com
