// Automation errors: a numbered run-time error reaches a COM caller as 0x800A0000 | number with an
// IErrorInfo (source, description, interface), and the class answers ISupportErrorInfo for the
// interfaces that report so. GuardMethod is the one boundary every COM method body runs behind.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <new>
#include <string_view>

#include "Object.h"
#include "RunTimeError.h"

namespace talvo::com {

constexpr HRESULT AutomationHresult(int number) noexcept {
  return static_cast<HRESULT>(0x800A0000u | (static_cast<unsigned>(number) & 0xFFFFu));
}

// Sets the thread's error information and returns the automation HRESULT for number.
HRESULT ReportAutomationError(int number, std::u16string_view description, std::wstring_view source,
                              REFIID iid) noexcept;

// Runs a method body: S_OK when it returns, the automation error when it throws a RunTimeError,
// run-time error 7 when memory runs out, E_UNEXPECTED for anything else. No exception leaves it.
template <typename Body>
HRESULT GuardMethod(std::wstring_view source, REFIID iid, Body&& body) noexcept {
  try {
    body();
    return S_OK;
  } catch (const RunTimeError& e) {
    return ReportAutomationError(e.Number(), e.Description(), source, iid);
  } catch (const std::bad_alloc&) {
    return ReportAutomationError(RunTimeNumber::OutOfMemory,
                                 RunTimeErrorDescription(RunTimeNumber::OutOfMemory), source, iid);
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// ISupportErrorInfo answering S_OK for the listed interfaces, to be listed among a class's interfaces.
template <typename... Reporting>
class ErrorInfoSupport : public ISupportErrorInfo {
 public:
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) noexcept override {
    return (::IsEqualIID(riid, __uuidof(Reporting)) || ...) ? S_OK : S_FALSE;
  }
};

template <typename... Reporting>
struct InterfaceTraits<ErrorInfoSupport<Reporting...>> {
  static const IID& Iid() noexcept { return IID_ISupportErrorInfo; }
};

}  // namespace talvo::com
