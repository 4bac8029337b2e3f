// Turning a fuzzer's bytes into what a caller can pass: UTF-16 text from little-endian code-unit
// pairs, a choice among a few values from one byte, numbers from fixed-width bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

#include "com/RunTimeError.h"

namespace talvo::fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) noexcept : data_(data), size_(size) {}

  std::uint8_t Byte() noexcept { return size_ ? (--size_, *data_++) : 0; }

  template <typename T>
  T Number() noexcept {
    T value{};
    const std::size_t n = size_ < sizeof(T) ? size_ : sizeof(T);
    std::memcpy(&value, data_, n);
    data_ += n;
    size_ -= n;
    return value;
  }

  // The rest of the input as UTF-16 code units, two bytes each, low byte first.
  std::u16string Text() {
    std::u16string text;
    text.reserve(size_ / 2);
    for (; size_ >= 2; data_ += 2, size_ -= 2) text += static_cast<char16_t>(data_[0] | (data_[1] << 8));
    size_ = 0;
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

// A run-time error is a documented outcome only when its number is one the rule may raise;
// anything else stops the fuzzer as a finding.
inline void ExpectNumber(const com::RunTimeError& error, std::initializer_list<int> allowed) {
  for (int number : allowed) {
    if (error.Number() == number && error.Description() == com::RunTimeErrorDescription(number)) return;
  }
  std::abort();
}

}  // namespace talvo::fuzz
