// An owning pointer to a COM interface: releases its reference when it dies.
#pragma once

#include <unknwn.h>

#include <utility>

namespace talvo::com {

template <typename I>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  // Takes over a reference the caller already holds.
  explicit ComPtr(I* p) noexcept : p_(p) {}
  ComPtr(const ComPtr& other) noexcept : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  I* get() const noexcept { return p_; }
  I* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }

  // For out-parameters: releases what is held and hands out the slot.
  I** put() noexcept {
    reset();
    return &p_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
  I* release() noexcept { return std::exchange(p_, nullptr); }
  void reset() noexcept {
    if (I* old = std::exchange(p_, nullptr)) old->Release();
  }

  template <typename Other>
  HRESULT As(ComPtr<Other>& out) const noexcept {
    return p_ ? p_->QueryInterface(__uuidof(Other), out.put_void()) : E_POINTER;
  }

 private:
  I* p_ = nullptr;
};

}  // namespace talvo::com
