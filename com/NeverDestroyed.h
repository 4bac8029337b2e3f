// Process-wide state that is built on first use and never destroyed. Its destructor would run at
// DLL_PROCESS_DETACH, under the loader lock, where releasing a COM object or closing a connection
// calls into another DLL; the owners of such state empty it earlier, at a point outside the lock
// (DllCanUnloadNow answering S_OK), and what remains in it then holds nothing to release.
#pragma once

#include <new>
#include <utility>

namespace talvo::com {

template <typename T>
class NeverDestroyed {
 public:
  template <typename... Args>
  explicit NeverDestroyed(Args&&... args) {
    ::new (static_cast<void*>(storage_)) T(std::forward<Args>(args)...);
  }
  NeverDestroyed(const NeverDestroyed&) = delete;
  NeverDestroyed& operator=(const NeverDestroyed&) = delete;

  T& get() noexcept { return *std::launder(reinterpret_cast<T*>(storage_)); }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace talvo::com
