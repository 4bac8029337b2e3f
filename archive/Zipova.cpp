// The members of the Zipova class. The class checks almost nothing itself: the zip library
// decides what the options mean.
#include "Zipova.h"

#include <oleauto.h>

#include "ZipovaDLL.h"
#include "com/Bstr.h"
#include "com/RunTimeError.h"

namespace talvo::zipova {
namespace {

constexpr wchar_t kSource[] = L"ZipovaCOM.Zipova";
constexpr long kNoFileAdded = -1;
constexpr long kNoArchiveName = -2;

// Whether the platform's automation date conversion accepts the text under the current locale.
bool IsDate(BSTR text) noexcept {
  DATE date = 0;
  return SUCCEEDED(::VarDateFromStr(text, LOCALE_USER_DEFAULT, 0, &date));
}

}  // namespace

HRESULT Zipova::GetFlag(std::int32_t field, VARIANT_BOOL* pVal) noexcept {
  if (!pVal) return E_POINTER;
  *pVal = field != 0 ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT Zipova::PutFlag(std::int32_t& field, VARIANT_BOOL value) noexcept {
  // The 16-bit Boolean sign-extended: True (-1) becomes all bits set.
  field = static_cast<std::int32_t>(static_cast<std::int16_t>(value));
  return S_OK;
}

HRESULT Zipova::GetText(const unique_bstr& text, BSTR* pVal) noexcept {
  if (!pVal) return E_POINTER;
  *pVal = nullptr;
  return com::GuardMethod(kSource, IID__Zipova,
                          [&] { *pVal = com::MakeBstr(com::BstrView(text.get())).release(); });
}

HRESULT Zipova::PutText(unique_bstr& text, BSTR value) noexcept {
  return com::GuardMethod(kSource, IID__Zipova, [&] { text = com::MakeBstr(com::BstrView(value)); });
}

STDMETHODIMP Zipova::get_IncludeExcludeDate(BSTR* pVal) noexcept {
  return GetText(state_.IncludeExcludeDate, pVal);
}

STDMETHODIMP Zipova::put_IncludeExcludeDate(BSTR vNewValue) noexcept {
  // Anything other than the empty text or a date is dropped without an error.
  if (::SysStringLen(vNewValue) != 0 && !IsDate(vNewValue)) return S_OK;
  return PutText(state_.IncludeExcludeDate, vNewValue);
}

STDMETHODIMP Zipova::get_RootDir(BSTR* pVal) noexcept { return GetText(state_.RootDir, pVal); }
STDMETHODIMP Zipova::put_RootDir(BSTR vNewValue) noexcept { return PutText(state_.RootDir, vNewValue); }
STDMETHODIMP Zipova::get_TempDir(BSTR* pVal) noexcept { return GetText(state_.TempDir, pVal); }
STDMETHODIMP Zipova::put_TempDir(BSTR vNewValue) noexcept { return PutText(state_.TempDir, vNewValue); }
STDMETHODIMP Zipova::get_ZipFileName(BSTR* pVal) noexcept { return GetText(state_.ZipFileName, pVal); }
STDMETHODIMP Zipova::put_ZipFileName(BSTR vNewValue) noexcept {
  return PutText(state_.ZipFileName, vNewValue);
}

STDMETHODIMP Zipova::get_Encrypted(VARIANT_BOOL* pVal) noexcept {
  return GetFlag(state_.options.Encrypted, pVal);
}

STDMETHODIMP Zipova::get_CompressionLevel(short* pVal) noexcept {
  if (!pVal) return E_POINTER;
  *pVal = state_.options.CompressionLevel;
  return S_OK;
}

STDMETHODIMP Zipova::put_CompressionLevel(short vNewValue) noexcept {
  // Values outside 0 to 9 are dropped without an error.
  if (vNewValue >= 0 && vNewValue <= 9)
    state_.options.CompressionLevel = static_cast<unsigned char>(vNewValue);
  return S_OK;
}

STDMETHODIMP Zipova::AddFile(BSTR FileName, short* pCount) noexcept {
  if (!pCount) return E_POINTER;
  return com::GuardMethod(kSource, IID__Zipova, [&] {
    if (state_.fileCount >= kZipNameSlots) throw com::RunTimeError(com::RunTimeNumber::SubscriptOutOfRange);
    state_.files[static_cast<std::size_t>(state_.fileCount)] = com::MakeBstr(com::BstrView(FileName));
    *pCount = ++state_.fileCount;
  });
}

STDMETHODIMP Zipova::GetFileCount(short* pCount) noexcept {
  if (!pCount) return E_POINTER;
  *pCount = state_.fileCount;
  return S_OK;
}

STDMETHODIMP Zipova::Zip(long* pResult) noexcept {
  if (!pResult) return E_POINTER;
  if (state_.fileCount < 1) {
    *pResult = kNoFileAdded;
  } else if (::SysStringLen(state_.ZipFileName.get()) == 0) {
    *pResult = kNoArchiveName;
  } else {
    *pResult = RunZipLibrary(state_);
  }
  return S_OK;
}

}  // namespace talvo::zipova
