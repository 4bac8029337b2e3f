// File and search handles: the failure value of CreateFile and FindFirstFile never reaches an
// owner (it is also the current process's pseudo-handle), and real handles are closed by it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <type_traits>

#include "raii/unique_any.h"

namespace talvo {
namespace {

// Only make_hfile and make_hfind take a raw handle, and both map the failure value.
static_assert(!std::is_constructible_v<unique_hfile, HANDLE>);
static_assert(!std::is_convertible_v<HANDLE, unique_hfile>);
static_assert(!std::is_constructible_v<unique_hfind, HANDLE>);
static_assert(!std::is_copy_constructible_v<unique_hfile> &&
              std::is_nothrow_move_constructible_v<unique_hfile>);

std::string CartellaTemporanea() {
  char base[MAX_PATH] = {};
  ::GetTempPathA(sizeof base, base);
  return base;
}

TEST(UniqueAny, TheFailureValueGivesAnEmptyOwner) {
  unique_hfile file = make_hfile(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(file);
  EXPECT_EQ(file.release(), nullptr);
  EXPECT_FALSE(make_hfile(nullptr));

  WIN32_FIND_DATAA dati{};
  const std::string manca = CartellaTemporanea() + "talvo-manca-" + std::to_string(::GetCurrentProcessId());
  unique_hfind ricerca = make_hfind(::FindFirstFileA(manca.c_str(), &dati));
  EXPECT_FALSE(ricerca);
  EXPECT_EQ(ricerca.release(), nullptr);
}

TEST(UniqueAny, OpenedHandlesAreClosedByTheirOwner) {
  const std::string percorso = CartellaTemporanea() + "talvo-raii-" + std::to_string(::GetCurrentProcessId());
  unique_hfile file = make_hfile(::CreateFileA(percorso.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  const HANDLE grezzo = file.get();
  unique_hfile spostato = std::move(file);
  EXPECT_FALSE(file);
  EXPECT_EQ(spostato.get(), grezzo);
  DWORD flag = 0;
  EXPECT_TRUE(::GetHandleInformation(grezzo, &flag));
  spostato.reset();
  EXPECT_FALSE(spostato);
  EXPECT_FALSE(::GetHandleInformation(grezzo, &flag));  // closed

  WIN32_FIND_DATAA dati{};
  {
    const unique_hfind ricerca = make_hfind(::FindFirstFileA(percorso.c_str(), &dati));
    ASSERT_TRUE(ricerca);
    EXPECT_EQ(std::string(dati.cFileName), percorso.substr(percorso.find_last_of('\\') + 1));
  }
  // The search is closed, so nothing holds the file: it can be deleted.
  EXPECT_TRUE(::DeleteFileA(percorso.c_str()));
}

}  // namespace
}  // namespace talvo
