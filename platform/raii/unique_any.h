// One move-only owner for every Windows handle kind, with one-line aliases per kind.
//
// How it works: unique_any<T, Close, Invalid> holds a value of T and calls Close on it when the
// owner dies, unless the value equals Invalid. Aliases below fix the close function per kind.
// Handles from calls that report failure as INVALID_HANDLE_VALUE (CreateFile, FindFirstFile)
// have an owner of their own, unique_opened_handle, which lets them in only through make_hfile
// and make_hfind.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <utility>

namespace talvo {

template <typename T, auto Close, T Invalid = T{}>
class unique_any {
 public:
  unique_any() noexcept = default;
  explicit unique_any(T value) noexcept : value_(value) {}
  unique_any(const unique_any&) = delete;
  unique_any& operator=(const unique_any&) = delete;
  unique_any(unique_any&& other) noexcept : value_(other.release()) {}
  unique_any& operator=(unique_any&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~unique_any() { reset(); }

  T get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return value_ != Invalid; }

  // For out-parameters of the platform: releases what is held and hands out the slot.
  T* put() noexcept {
    reset();
    return &value_;
  }

  T release() noexcept { return std::exchange(value_, Invalid); }

  void reset(T value = Invalid) noexcept {
    T old = std::exchange(value_, value);
    if (old != Invalid) Close(old);
  }

 private:
  T value_ = Invalid;
};

namespace detail {
inline void close_handle(HANDLE h) noexcept { ::CloseHandle(h); }
inline void find_close(HANDLE h) noexcept { ::FindClose(h); }
inline void close_hkey(HKEY k) noexcept { ::RegCloseKey(k); }
inline void free_library(HMODULE m) noexcept { ::FreeLibrary(m); }
inline void free_bstr(BSTR b) noexcept { ::SysFreeString(b); }
inline void destroy_window(HWND w) noexcept { ::DestroyWindow(w); }
inline void delete_gdi(HGDIOBJ o) noexcept { ::DeleteObject(o); }
inline void delete_dc(HDC dc) noexcept { ::DeleteDC(dc); }
}  // namespace detail

using unique_handle = unique_any<HANDLE, detail::close_handle>;
using unique_hkey = unique_any<HKEY, detail::close_hkey>;
using unique_hmodule = unique_any<HMODULE, detail::free_library>;
using unique_bstr = unique_any<BSTR, detail::free_bstr>;
using unique_hwnd = unique_any<HWND, detail::destroy_window>;
using unique_hgdiobj = unique_any<HGDIOBJ, detail::delete_gdi>;
using unique_hdc = unique_any<HDC, detail::delete_dc>;

// An automation VARIANT, cleared (VariantClear) when the owner dies or is reset.
class unique_variant {
 public:
  unique_variant() noexcept { ::VariantInit(&value_); }
  unique_variant(const unique_variant&) = delete;
  unique_variant& operator=(const unique_variant&) = delete;
  unique_variant(unique_variant&& other) noexcept : value_(other.release()) {}
  unique_variant& operator=(unique_variant&& other) noexcept {
    if (this != &other) {
      reset();
      value_ = other.release();
    }
    return *this;
  }
  ~unique_variant() { reset(); }

  const VARIANT& get() const noexcept { return value_; }
  // For out-parameters of the platform: clears what is held and hands out the slot.
  VARIANT* put() noexcept {
    reset();
    return &value_;
  }
  // Hands the value over (to an out-parameter) and leaves the owner empty.
  VARIANT release() noexcept {
    VARIANT out = value_;
    ::VariantInit(&value_);
    return out;
  }
  void reset() noexcept {
    ::VariantClear(&value_);
    ::VariantInit(&value_);
  }

 private:
  VARIANT value_;
};

// The owner of a handle from a call that reports failure as INVALID_HANDLE_VALUE. It holds null
// instead, so that testing the owner is the one test of success; and since INVALID_HANDLE_VALUE
// is also the pseudo-handle of the current process, no owner must ever hold it. So there is no
// public way to hand it a raw handle: make_hfile and make_hfind map the failure value first.
template <auto Close>
class unique_opened_handle {
 public:
  unique_opened_handle() noexcept = default;

  HANDLE get() const noexcept { return owner_.get(); }
  explicit operator bool() const noexcept { return static_cast<bool>(owner_); }
  HANDLE release() noexcept { return owner_.release(); }
  void reset() noexcept { owner_.reset(); }

 private:
  explicit unique_opened_handle(HANDLE h) noexcept : owner_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  friend unique_opened_handle<detail::close_handle> make_hfile(HANDLE h) noexcept;
  friend unique_opened_handle<detail::find_close> make_hfind(HANDLE h) noexcept;

  unique_any<HANDLE, Close> owner_;
};

// A file handle from CreateFile, closed with CloseHandle.
using unique_hfile = unique_opened_handle<detail::close_handle>;
// A directory search from FindFirstFile, closed with FindClose.
using unique_hfind = unique_opened_handle<detail::find_close>;

// Takes the result of CreateFile: a failed call gives an empty owner.
inline unique_hfile make_hfile(HANDLE h) noexcept { return unique_hfile(h); }
// Takes the result of FindFirstFile: a search that found nothing gives an empty owner.
inline unique_hfind make_hfind(HANDLE h) noexcept { return unique_hfind(h); }

}  // namespace talvo
