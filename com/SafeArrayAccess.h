// Access to a SAFEARRAY's elements as an owner: the access lock taken by SafeArrayAccessData is
// released when the owner dies, whatever path leaves the scope, so an exception between the two
// calls cannot leave the array locked (a locked array refuses SafeArrayDestroy).
#pragma once

#include <oleauto.h>
#include <windows.h>

#include <utility>

namespace talvo::com {

class SafeArrayAccess {
 public:
  SafeArrayAccess() noexcept = default;
  SafeArrayAccess(const SafeArrayAccess&) = delete;
  SafeArrayAccess& operator=(const SafeArrayAccess&) = delete;
  SafeArrayAccess(SafeArrayAccess&& other) noexcept
      : array_(std::exchange(other.array_, nullptr)), data_(std::exchange(other.data_, nullptr)) {}
  ~SafeArrayAccess() { Release(); }

  // Locks the array and returns the result of SafeArrayAccessData; on failure nothing is held.
  HRESULT Access(SAFEARRAY* array) noexcept {
    Release();
    if (!array) return E_INVALIDARG;
    void* data = nullptr;
    const HRESULT hr = ::SafeArrayAccessData(array, &data);
    if (SUCCEEDED(hr)) {
      array_ = array;
      data_ = data;
    }
    return hr;
  }

  void* Data() const noexcept { return data_; }

  // Releases the lock now; the next Access may lock again.
  void Release() noexcept {
    if (SAFEARRAY* array = std::exchange(array_, nullptr)) ::SafeArrayUnaccessData(array);
    data_ = nullptr;
  }

 private:
  SAFEARRAY* array_ = nullptr;
  void* data_ = nullptr;
};

}  // namespace talvo::com
