// The COM edge shared by both translator classes: a rule runs on the caller's texts and its result
// goes back as a new BSTR, or its run-time error as an automation error with the class's ProgID.
#pragma once

#include <windows.h>

#include <string_view>

#include "com/AutomationError.h"
#include "com/Bstr.h"

namespace talvo::translators {

template <typename Rule>
HRESULT RestituisciTesto(std::wstring_view progId, REFIID iid, BSTR* result, Rule&& rule) noexcept {
  if (!result) return E_POINTER;
  *result = nullptr;
  return com::GuardMethod(progId, iid, [&] { *result = com::MakeBstr(rule()).release(); });
}

template <typename Rule>
HRESULT RestituisciNumero(std::wstring_view progId, REFIID iid, LONG* result, Rule&& rule) noexcept {
  if (!result) return E_POINTER;
  *result = 0;
  return com::GuardMethod(progId, iid, [&] { *result = rule(); });
}

}  // namespace talvo::translators
