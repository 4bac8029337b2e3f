// BSTR conversions for servers whose own code works on UTF-16 text (std::u16string): BSTRs in,
// owned BSTRs out. On Windows wchar_t and char16_t are both UTF-16 code units.
#pragma once

#include <oleauto.h>
#include <windows.h>

#include <new>
#include <string>
#include <string_view>

#include "raii/unique_any.h"

namespace talvo::com {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "BSTR code units are UTF-16");

// The text of a caller's BSTR; a null BSTR is the empty text, as automation treats it.
inline std::u16string FromBstr(BSTR text) {
  if (!text) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text), ::SysStringLen(text));
}

// The caller's BSTR seen in place, for the length of the call; a null BSTR is the empty text.
inline std::u16string_view BstrView(BSTR text) noexcept {
  if (!text) return {};
  return std::u16string_view(reinterpret_cast<const char16_t*>(text), ::SysStringLen(text));
}

// A new BSTR holding text; throws std::bad_alloc when the system cannot allocate it.
inline unique_bstr MakeBstr(std::u16string_view text) {
  unique_bstr result(
      ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size())));
  if (!result) throw std::bad_alloc();
  return result;
}

inline unique_bstr MakeBstr(std::wstring_view text) {
  unique_bstr result(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
  if (!result) throw std::bad_alloc();
  return result;
}

}  // namespace talvo::com
