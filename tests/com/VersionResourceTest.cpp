// Every server the suite ships carries the suite's version resource: fixed file and product
// version, and the strings an administrator reads in the file's properties.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ServerTest.h"

namespace {

using talvo::test::WindowsPath;

struct Binario {
  const char* path;
  const wchar_t* originalFilename;
  const wchar_t* description;
};

const Binario kBinari[] = {
    {TALVO_SERVER_Vortan, L"Vortan.dll", L"Traduttore Informix"},
    {TALVO_SERVER_Selvan, L"Selvan.dll", L"Traduttore Sybase"},
    {TALVO_SERVER_Cifrel, L"Cifrel.dll", L"Cifratura di file e valori"},
    {TALVO_SERVER_Zipova, L"Zipova.dll", L"Archivi zip (ZipovaCOM)"},
    {TALVO_SERVER_zip32, L"zip32.dll", L"Libreria zip"},
};

std::wstring Wide(const char* text) {
  return std::wstring(text, text + std::char_traits<char>::length(text));
}

class RisorsaVersione : public ::testing::TestWithParam<Binario> {
 protected:
  void SetUp() override {
    const std::wstring path = WindowsPath(GetParam().path);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_NE(size, 0u) << "no version resource in " << GetParam().path;
    data_.resize(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, data_.data()));
  }

  std::wstring Stringa(const wchar_t* name) {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041004E4\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data_.data(), key.c_str(), &value, &length) || !value) return L"<absent>";
    return static_cast<const wchar_t*>(value);
  }

  std::vector<BYTE> data_;
};

TEST_P(RisorsaVersione, VersioneDellaSuiteEDescrizione) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(data_.data(), L"\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  wchar_t numbers[64];
  ::wsprintfW(numbers, L"%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
              HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
  const std::wstring suite = Wide(TALVO_VERSION);
  EXPECT_EQ(numbers, suite);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

  EXPECT_EQ(Stringa(L"FileVersion"), suite);
  EXPECT_EQ(Stringa(L"ProductVersion"), suite);
  EXPECT_EQ(Stringa(L"ProductName"), L"TALVO");
  EXPECT_EQ(Stringa(L"FileDescription"), GetParam().description);
  EXPECT_EQ(Stringa(L"OriginalFilename"), GetParam().originalFilename);
}

INSTANTIATE_TEST_SUITE_P(Server, RisorsaVersione, ::testing::ValuesIn(kBinari));

}  // namespace
