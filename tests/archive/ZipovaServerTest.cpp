// Zipova.dll as a COM server: registration, the property table of a new object, the property
// rules, the 100-name limit, the results -1, -2 and -3, and what reaches zip32.dll through the
// binding (read back from the library's own per-thread options).
#include <gtest/gtest.h>
#include <initguid.h>

#include <cstddef>
#include <string>
#include <thread>
#include <vector>

#include "ArchiveCase.h"
#include "FileDiProva.h"
#include "ServerTest.h"
#include "ZipovaDiProva.h"
#include "Zip32.h"

namespace {

using talvo::com::ComPtr;
using talvo::test::KeyExists;
using talvo::test::KeyValue;

const std::wstring Clsid = L"{2378E719-B8B5-44E5-A714-1B3118010437}";
const std::wstring Libid = L"{32FCFE53-6618-4063-B093-C411936A8E4A}";

std::wstring Server() { return talvo::test::WindowsPath(TALVO_SERVER_Zipova); }

struct Flag {
  const wchar_t* name;
  std::int32_t ZipOptionsRecord::*field;
};

// Every flag property with the record field it stores, in the order of the interface.
const Flag kFlags[] = {
    {L"NeedTempDir", &ZipOptionsRecord::NeedTempDir},
    {L"IncludeSuffixes", &ZipOptionsRecord::IncludeSuffixes},
    {L"IncludeSystemFiles", &ZipOptionsRecord::IncludeSystemFiles},
    {L"IncludeVolumeLabel", &ZipOptionsRecord::IncludeVolumeLabel},
    {L"ExcludeExtraAttributes", &ZipOptionsRecord::ExcludeExtraAttributes},
    {L"IgnoreDirectories", &ZipOptionsRecord::IgnoreDirectories},
    {L"ExcludeEarlierFiles", &ZipOptionsRecord::ExcludeEarlierFiles},
    {L"IncludeEarlierFiles", &ZipOptionsRecord::IncludeEarlierFiles},
    {L"Verbose", &ZipOptionsRecord::Verbose},
    {L"Quiet", &ZipOptionsRecord::Quiet},
    {L"Translate_CRLF_to_LF", &ZipOptionsRecord::Translate_CRLF_to_LF},
    {L"Translate_LF_to_CRLF", &ZipOptionsRecord::Translate_LF_to_CRLF},
    {L"JunkDirectoryNames", &ZipOptionsRecord::JunkDirectoryNames},
    {L"AllowAppend", &ZipOptionsRecord::AllowAppend},
    {L"ForceDOSFileNames", &ZipOptionsRecord::ForceDOSFileNames},
    {L"MoveFiles", &ZipOptionsRecord::MoveFiles},
    {L"DeleteEntries", &ZipOptionsRecord::DeleteEntries},
    {L"OverwriteIfNewer", &ZipOptionsRecord::OverwriteIfNewer},
    {L"Freshen", &ZipOptionsRecord::Freshen},
    {L"JunkSFXPrefix", &ZipOptionsRecord::JunkSFXPrefix},
    {L"ZipFileTimeIsLatestTime", &ZipOptionsRecord::ZipFileTimeIsLatestTime},
    {L"Comment", &ZipOptionsRecord::Comment},
    {L"UpdateOffsets", &ZipOptionsRecord::UpdateOffsets},
    {L"NotSavingPrivileges", &ZipOptionsRecord::NotSavingPrivileges},
    {L"RecurseSubdirectories", &ZipOptionsRecord::RecurseSubdirectories},
    {L"RepairArchive", &ZipOptionsRecord::RepairArchive},
};

TEST(ZipovaRegistration, WritesItsKeysAndRemovesExactlyThem) {
  ASSERT_EQ(talvo::test::Regsvr32(Server()), 0u);
  const HKEY root = HKEY_CLASSES_ROOT;
  const std::wstring classe = L"CLSID\\" + Clsid;
  EXPECT_EQ(KeyValue(root, L"ZipovaCOM.Zipova\\CLSID"), Clsid);
  EXPECT_EQ(KeyValue(root, classe + L"\\ProgID"), L"ZipovaCOM.Zipova");
  EXPECT_EQ(KeyValue(root, classe + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(KeyValue(root, classe + L"\\TypeLib"), Libid);
  EXPECT_EQ(::lstrcmpiW(KeyValue(root, classe + L"\\InprocServer32").c_str(), Server().c_str()), 0);
  EXPECT_TRUE(KeyExists(root, L"TypeLib\\" + Libid + L"\\2.0"));

  ASSERT_EQ(talvo::test::Regsvr32(Server(), true), 0u);
  EXPECT_FALSE(KeyExists(root, classe));
  EXPECT_FALSE(KeyExists(root, L"ZipovaCOM.Zipova"));
  EXPECT_FALSE(KeyExists(root, L"TypeLib\\" + Libid));
}

class ZipovaTest : public ::testing::Test {
 protected:
  talvo::test::Apartment apartment;
  talvo::test::LoadedServer server{Server()};
  talvo::test::CartellaTemporanea cartella;
  ComPtr<_Zipova> zipova = talvo::test::NuovoZipova(server);

  long Zip() {
    long result = 12345;
    EXPECT_EQ(zipova->Zip(&result), S_OK);
    return result;
  }
  short Aggiungi(const std::string& nome) {
    short count = 0;
    EXPECT_EQ(zipova->AddFile(talvo::test::Testo(nome).get(), &count), S_OK);
    return count;
  }
  // The options that zip32.dll holds for this thread: what the last Zip handed it.
  static ZipOptionsRecord OpzioniDellaLibreria() {
    HMODULE library = ::GetModuleHandleW(L"zip32.dll");
    EXPECT_NE(library, nullptr);
    auto get = reinterpret_cast<ZpGetOptionsFunction>(
        reinterpret_cast<void*>(::GetProcAddress(library, "ZpGetOptions")));
    return get ? get() : ZipOptionsRecord{};
  }
};

TEST_F(ZipovaTest, ANewObjectReadsEmptyFalseAndZero) {
  IDispatch* disp = zipova.get();
  for (const Flag& flag : kFlags) {
    talvo::unique_variant value = talvo::test::LeggiProprieta(disp, flag.name);
    EXPECT_EQ(V_VT(&value.get()), VT_BOOL) << flag.name;
    EXPECT_EQ(V_BOOL(&value.get()), VARIANT_FALSE) << flag.name;
  }
  EXPECT_EQ(V_BOOL(&talvo::test::LeggiProprieta(disp, L"Encrypted").get()), VARIANT_FALSE);
  for (const wchar_t* text : {L"IncludeExcludeDate", L"RootDir", L"TempDir", L"ZipFileName"}) {
    talvo::unique_variant value = talvo::test::LeggiProprieta(disp, text);
    ASSERT_EQ(V_VT(&value.get()), VT_BSTR) << text;
    EXPECT_EQ(::SysStringLen(V_BSTR(&value.get())), 0u) << text;
  }
  talvo::unique_variant level = talvo::test::LeggiProprieta(disp, L"CompressionLevel");
  EXPECT_EQ(V_VT(&level.get()), VT_I2);
  EXPECT_EQ(V_I2(&level.get()), 0);
  short count = -1;
  EXPECT_EQ(zipova->GetFileCount(&count), S_OK);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(Zip(), -1);
}

TEST_F(ZipovaTest, EncryptedIsReadOnly) {
  EXPECT_EQ(talvo::test::ScriviProprieta(zipova.get(), L"Encrypted", talvo::test::Booleano(true)),
            DISP_E_MEMBERNOTFOUND);
}

TEST_F(ZipovaTest, FlagsReadBackAndReachTheLibrarySignExtended) {
  IDispatch* disp = zipova.get();
  Aggiungi(cartella / "assente.txt");
  ASSERT_EQ(zipova->put_ZipFileName(talvo::test::Testo(cartella / "a.zip").get()), S_OK);
  for (const Flag& flag : kFlags) {
    ASSERT_EQ(talvo::test::ScriviProprieta(disp, flag.name, talvo::test::Booleano(true)), S_OK) << flag.name;
    EXPECT_EQ(V_BOOL(&talvo::test::LeggiProprieta(disp, flag.name).get()), VARIANT_TRUE) << flag.name;
  }
  Zip();
  ZipOptionsRecord seen = OpzioniDellaLibreria();
  for (const Flag& flag : kFlags) EXPECT_EQ(seen.*flag.field, -1) << flag.name;
  EXPECT_EQ(seen.Encrypted, 0);
  EXPECT_EQ(seen.Reserved112, 0);
  // Texts never given reach the library as null pointers.
  EXPECT_EQ(seen.IncludeExcludeDate, nullptr);
  EXPECT_EQ(seen.RootDir, nullptr);
  EXPECT_EQ(seen.TempDir, nullptr);

  for (const Flag& flag : kFlags) {
    ASSERT_EQ(talvo::test::ScriviProprieta(disp, flag.name, talvo::test::Booleano(false)), S_OK);
    EXPECT_EQ(V_BOOL(&talvo::test::LeggiProprieta(disp, flag.name).get()), VARIANT_FALSE) << flag.name;
  }
  // Any other 16-bit value is stored sign-extended as given.
  ASSERT_EQ(zipova->put_Quiet(1), S_OK);
  ASSERT_EQ(zipova->put_Verbose(static_cast<VARIANT_BOOL>(-2)), S_OK);
  ASSERT_EQ(zipova->put_RootDir(talvo::test::Testo(cartella.Percorso()).get()), S_OK);
  ASSERT_EQ(zipova->put_CompressionLevel(7), S_OK);
  Zip();
  seen = OpzioniDellaLibreria();
  EXPECT_EQ(seen.Quiet, 1);
  EXPECT_EQ(seen.Verbose, -2);
  EXPECT_EQ(seen.NeedTempDir, 0);
  EXPECT_EQ(seen.CompressionLevel, 7);
  ASSERT_NE(seen.RootDir, nullptr);
  EXPECT_EQ(std::string(seen.RootDir), cartella.Percorso());
}

TEST_F(ZipovaTest, LevelAndDateRulesDropRejectedValues) {
  struct Livello {
    short value;
    short reads;
  };
  const Livello livelli[] = {{9, 9}, {10, 9}, {-1, 9}, {0, 0}, {32767, 0}, {5, 5}};
  for (const Livello& l : livelli) {
    EXPECT_EQ(zipova->put_CompressionLevel(l.value), S_OK);
    short level = -1;
    zipova->get_CompressionLevel(&level);
    EXPECT_EQ(level, l.reads) << l.value;
  }
  struct Data {
    const char* value;
    const char* reads;
  };
  const Data date[] = {
      {"2010-01-31", "2010-01-31"},  // a date: stored
      {"not a date", "2010-01-31"},  // ignored, the old value stays
      {"2010-02-31", "2010-01-31"},  // no such day
      {"", ""},                      // the empty text clears it
  };
  for (const Data& d : date) {
    EXPECT_EQ(zipova->put_IncludeExcludeDate(talvo::test::Testo(d.value).get()), S_OK);
    BSTR text = nullptr;
    ASSERT_EQ(zipova->get_IncludeExcludeDate(&text), S_OK);
    talvo::unique_bstr owner(text);
    EXPECT_EQ(std::wstring(text, ::SysStringLen(text)), std::wstring(talvo::test::Testo(d.reads).get()))
        << d.value;
  }
}

TEST_F(ZipovaTest, TheHundredAndFirstNameIsSubscriptError9) {
  for (int i = 1; i <= 100; ++i) ASSERT_EQ(Aggiungi("f" + std::to_string(i)), i);
  short count = 0;
  EXPECT_EQ(zipova->AddFile(talvo::test::Testo("f101").get(), &count), static_cast<HRESULT>(0x800A0009));
  EXPECT_EQ(talvo::test::ErrorInfoDescription(), L"Indice non compreso nell'intervallo");
  zipova->GetFileCount(&count);
  EXPECT_EQ(count, 100);

  talvo::test::Invocation late =
      talvo::test::InvokeByName(zipova.get(), L"AddFile", {talvo::test::BstrArgument(L"x")});
  EXPECT_EQ(late.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(late.scode, static_cast<SCODE>(0x800A0009));
  EXPECT_EQ(late.source, L"ZipovaCOM.Zipova");
}

TEST_F(ZipovaTest, NoArchiveNameIsMinus2AndTheLibraryIsNotCalled) {
  // On a thread of its own, whose library options stay untouched unless the library is called.
  std::thread([this] {
    talvo::test::Apartment own;
    ComPtr<_Zipova> other = talvo::test::NuovoZipova(server);
    short count = 0;
    other->AddFile(talvo::test::Testo("a.txt").get(), &count);
    other->put_RootDir(talvo::test::Testo("C:\\").get());
    long result = 0;
    EXPECT_EQ(other->Zip(&result), S_OK);
    EXPECT_EQ(result, -2);
    HMODULE library = ::GetModuleHandleW(L"zip32.dll");
    if (library) {
      auto get = reinterpret_cast<ZpGetOptionsFunction>(
          reinterpret_cast<void*>(::GetProcAddress(library, "ZpGetOptions")));
      EXPECT_EQ(get().RootDir, nullptr);
    }
  }).join();
}

TEST_F(ZipovaTest, TheSameListTwiceGivesTheSameArchive) {
  talvo::test::ScriviFile(cartella / "uno.txt", "primo file\r\n");
  Aggiungi(cartella / "uno.txt");
  const std::string archivio = cartella / "due volte.zip";
  zipova->put_ZipFileName(talvo::test::Testo(archivio).get());
  zipova->put_JunkDirectoryNames(VARIANT_TRUE);
  EXPECT_EQ(Zip(), 0);
  const std::string prima = talvo::test::LeggiFile(archivio);
  EXPECT_EQ(Zip(), 0);
  short count = 0;
  zipova->GetFileCount(&count);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(talvo::test::LeggiFile(archivio).size(), prima.size());
  talvo::test::RecordArchive("zipova_same_list_twice", archivio, {{"uno.txt", "primo file\r\n"}});
}

// Without zip32.dll in Zipova's folder or the system folder Zip returns -3, even with a
// zip32.dll in the current folder, and raises no error.
TEST(ZipovaWithoutLibrary, ZipIsMinus3AndAPlantedLibraryIsNotRun) {
  talvo::test::Apartment apartment;
  talvo::test::CartellaTemporanea sola, documenti;
  const std::string copia = sola / "ZipovaSenzaLibreria.dll";
  ASSERT_TRUE(::CopyFileW(Server().c_str(), talvo::test::Testo(copia).get(), FALSE));
  std::wstring zip32 = Server();
  zip32 = zip32.substr(0, zip32.find_last_of(L'\\')) + L"\\zip32.dll";
  ASSERT_TRUE(::CopyFileW(zip32.c_str(), talvo::test::Testo(documenti / "zip32.dll").get(), FALSE));
  talvo::test::ScriviFile(documenti / "a.txt", "documento");

  wchar_t before[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(::SetCurrentDirectoryA(documenti.Percorso().c_str()));
  long result = 0;
  {
    talvo::test::LoadedServer server(talvo::test::Testo(copia).get());
    ComPtr<_Zipova> zipova = talvo::test::NuovoZipova(server);
    short count = 0;
    zipova->AddFile(talvo::test::Testo("a.txt").get(), &count);
    zipova->put_ZipFileName(talvo::test::Testo("a.zip").get());
    EXPECT_EQ(zipova->Zip(&result), S_OK);
  }
  ::SetCurrentDirectoryW(before);
  EXPECT_EQ(result, -3);
  EXPECT_FALSE(talvo::test::EsisteFile(documenti / "a.zip"));
}

}  // namespace
