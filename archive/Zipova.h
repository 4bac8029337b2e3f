// The Zipova class: the options record of the zip library behind its properties, up to 100 file
// names, the archive name, and Zip, which hands them to zip32.dll.
#pragma once

#include <windows.h>

#include "ZipovaCOM.h"
#include "ZipovaState.h"
#include "com/AutomationError.h"
#include "com/Dispatch.h"
#include "com/Object.h"

// The flag properties: each reads and writes one 32-bit field of the options record.
#define ZIPOVA_FLAG_PROPERTIES(X) \
  X(NeedTempDir)                  \
  X(IncludeSuffixes)              \
  X(IncludeSystemFiles)           \
  X(IncludeVolumeLabel)           \
  X(ExcludeExtraAttributes)       \
  X(IgnoreDirectories)            \
  X(ExcludeEarlierFiles)          \
  X(IncludeEarlierFiles)          \
  X(Verbose)                      \
  X(Quiet)                        \
  X(Translate_CRLF_to_LF)         \
  X(Translate_LF_to_CRLF)         \
  X(JunkDirectoryNames)           \
  X(AllowAppend)                  \
  X(ForceDOSFileNames)            \
  X(MoveFiles)                    \
  X(DeleteEntries)                \
  X(OverwriteIfNewer)             \
  X(Freshen)                      \
  X(JunkSFXPrefix)                \
  X(ZipFileTimeIsLatestTime)      \
  X(Comment)                      \
  X(UpdateOffsets)                \
  X(NotSavingPrivileges)          \
  X(RecurseSubdirectories)        \
  X(RepairArchive)

namespace talvo::zipova {

class Zipova final : public com::Object<Zipova, com::Dispatch<_Zipova>, com::ErrorInfoSupport<_Zipova>> {
 public:
  static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv) noexcept {
    return Object::Create(outer, riid, ppv);
  }

  STDMETHODIMP get_IncludeExcludeDate(BSTR* pVal) noexcept override;
  STDMETHODIMP put_IncludeExcludeDate(BSTR vNewValue) noexcept override;
  STDMETHODIMP get_RootDir(BSTR* pVal) noexcept override;
  STDMETHODIMP put_RootDir(BSTR vNewValue) noexcept override;
  STDMETHODIMP get_TempDir(BSTR* pVal) noexcept override;
  STDMETHODIMP put_TempDir(BSTR vNewValue) noexcept override;
  STDMETHODIMP get_Encrypted(VARIANT_BOOL* pVal) noexcept override;
  STDMETHODIMP get_CompressionLevel(short* pVal) noexcept override;
  STDMETHODIMP put_CompressionLevel(short vNewValue) noexcept override;
  STDMETHODIMP get_ZipFileName(BSTR* pVal) noexcept override;
  STDMETHODIMP put_ZipFileName(BSTR vNewValue) noexcept override;
  STDMETHODIMP AddFile(BSTR FileName, short* pCount) noexcept override;
  STDMETHODIMP GetFileCount(short* pCount) noexcept override;
  STDMETHODIMP Zip(long* pResult) noexcept override;

#define ZIPOVA_DECLARE_FLAG(name)                                     \
  STDMETHODIMP get_##name(VARIANT_BOOL* pVal) noexcept override {     \
    return GetFlag(state_.options.name, pVal);                        \
  }                                                                   \
  STDMETHODIMP put_##name(VARIANT_BOOL vNewValue) noexcept override { \
    return PutFlag(state_.options.name, vNewValue);                   \
  }
  ZIPOVA_FLAG_PROPERTIES(ZIPOVA_DECLARE_FLAG)
#undef ZIPOVA_DECLARE_FLAG

 private:
  static HRESULT GetFlag(std::int32_t field, VARIANT_BOOL* pVal) noexcept;
  static HRESULT PutFlag(std::int32_t& field, VARIANT_BOOL value) noexcept;
  static HRESULT GetText(const unique_bstr& text, BSTR* pVal) noexcept;
  static HRESULT PutText(unique_bstr& text, BSTR value) noexcept;

  ZipovaState state_;
};

}  // namespace talvo::zipova
