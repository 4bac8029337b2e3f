// The COM edge shared by both translator classes: a rule runs on the caller's texts and its result
// goes back as a new BSTR, or its run-time error as an automation error with the class's ProgID.
#pragma once

#include <windows.h>

#include <new>
#include <string_view>

#include "com/AutomationError.h"
#include "com/Bstr.h"
#include "common/Uscita.h"

namespace talvo::translators {

// A destination that builds the result straight in the BSTR that goes back to the caller.
class UscitaBstr final : public Uscita {
 public:
  char16_t* Riserva(std::size_t lunghezza) override {
    bstr_.reset(::SysAllocStringLen(nullptr, static_cast<UINT>(lunghezza)));
    if (!bstr_) throw std::bad_alloc();
    return reinterpret_cast<char16_t*>(bstr_.get());
  }
  // The result for the caller; an empty one when nothing was written.
  BSTR Rilascia() {
    if (!bstr_) Riserva(0);
    return bstr_.release();
  }

 private:
  unique_bstr bstr_;
};

// The same edge for a rule that writes its result into a destination (see Uscita).
template <typename Rule>
HRESULT ScriviTesto(std::wstring_view progId, REFIID iid, BSTR* result, Rule&& rule) noexcept {
  if (!result) return E_POINTER;
  *result = nullptr;
  return com::GuardMethod(progId, iid, [&] {
    UscitaBstr uscita;
    rule(uscita);
    *result = uscita.Rilascia();
  });
}

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
