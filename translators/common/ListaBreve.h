// A list that keeps its first N entries inside itself and only goes to the heap past them, for the
// short lists of positions and pieces that one statement's translation collects: under Wine every
// heap allocation costs as much as a good part of a whole translation.
#pragma once

#include <cstddef>
#include <type_traits>
#include <vector>

namespace talvo::translators {

// T is a plain value (a position, a view): the inner room is left unset until an entry is put there.
template <typename T, std::size_t N>
class ListaBreve {
  static_assert(std::is_trivially_copyable_v<T>, "entries are plain values");

 public:
  ListaBreve() noexcept {}

  void push_back(const T& value) {
    if (n_ < N) {
      dentro_[n_] = value;
    } else {
      fuori_.push_back(value);
    }
    ++n_;
  }
  void pop_back() noexcept {
    if (n_ > N) fuori_.pop_back();
    --n_;
  }
  std::size_t size() const noexcept { return n_; }
  bool empty() const noexcept { return n_ == 0; }
  const T& operator[](std::size_t i) const noexcept { return i < N ? dentro_[i] : fuori_[i - N]; }
  T& operator[](std::size_t i) noexcept { return i < N ? dentro_[i] : fuori_[i - N]; }
  const T& back() const noexcept { return (*this)[n_ - 1]; }
  T& back() noexcept { return (*this)[n_ - 1]; }

 private:
  union {
    T dentro_[N];
  };
  std::size_t n_ = 0;
  std::vector<T> fuori_;
};

}  // namespace talvo::translators
