// Numbered run-time errors raised by the servers' own code, with their Italian descriptions from
// the suite's one table. Free of Windows headers, so that code raising them can be built and
// tested on any platform.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "errors/RunTimeErrors.h"

namespace talvo::com {

namespace RunTimeNumber = errors::Number;

// The description of a run-time error number, as callers see it whatever the machine's language.
constexpr std::u16string_view RunTimeErrorDescription(int number) noexcept {
  return errors::RunTimeErrorDescription(number);
}

class RunTimeError : public std::exception {
 public:
  explicit RunTimeError(int number) : number_(number), description_(RunTimeErrorDescription(number)) {}
  RunTimeError(int number, std::u16string description)
      : number_(number), description_(std::move(description)) {}

  int Number() const noexcept { return number_; }
  const std::u16string& Description() const noexcept { return description_; }
  const char* what() const noexcept override { return "run-time error"; }

 private:
  int number_;
  std::u16string description_;
};

}  // namespace talvo::com
