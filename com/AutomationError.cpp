// Building the IErrorInfo of an automation error.
#include "AutomationError.h"

#include <string>

#include "ComPtr.h"

namespace talvo::com {

HRESULT ReportAutomationError(int number, std::u16string_view description, std::wstring_view source,
                              REFIID iid) noexcept {
  const HRESULT result = AutomationHresult(number);
  try {
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(::CreateErrorInfo(create.put()))) return result;
    // Null-terminated copies: the setters take plain wide strings.
    std::wstring text(description.begin(), description.end());
    std::wstring from(source);
    create->SetGUID(iid);
    create->SetSource(from.data());
    create->SetDescription(text.data());
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(info))) ::SetErrorInfo(0, info.get());
  } catch (const std::bad_alloc&) {
    // The number alone still reaches the caller.
  }
  return result;
}

}  // namespace talvo::com
