// Run-time error numbers, their descriptions, the Win32 mapping and statement-by-statement guards.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/ErroreRuntime.h"

namespace talvo {
namespace {

TEST(ErroreRuntime, Win32CodesMapOntoRunTimeNumbers) {
  const std::pair<DWORD, int> casi[] = {
      {ERROR_FILE_NOT_FOUND, 53},    {ERROR_PATH_NOT_FOUND, 76}, {ERROR_ACCESS_DENIED, 70},
      {ERROR_SHARING_VIOLATION, 70}, {ERROR_FILE_EXISTS, 58},    {ERROR_ALREADY_EXISTS, 58},
      {ERROR_DISK_FULL, 61},         {ERROR_INVALID_NAME, 75},   {ERROR_GEN_FAILURE, 75},
  };
  for (const auto& [win32, numero] : casi) EXPECT_EQ(NumeroDaWin32(win32), numero) << win32;
}

TEST(ErroreRuntime, CarriesTheDescriptionOfItsNumber) {
  const std::pair<int, const char*> casi[] = {
      {5, "Chiamata di routine o argomento non validi"},
      {53, "Impossibile trovare il file"},
      {55, "File gi\xE0 aperto"},
      {58, "File già esistente"},
      {70, "Autorizzazione negata"},
      {75, "Errore di accesso al percorso/file"},
      {76, "Impossibile trovare il percorso"},
      {3146, "Chiamata ODBC non riuscita"},
  };
  for (const auto& [numero, descrizione] : casi) {
    const ErroreRuntime e(numero);
    EXPECT_EQ(e.Numero(), numero);
    EXPECT_EQ(e.Descrizione(), descrizione);
  }
  try {
    SollevaErroreWin32(ERROR_PATH_NOT_FOUND);
    FAIL() << "no error raised";
  } catch (const ErroreRuntime& e) {
    EXPECT_EQ(e.Numero(), 76);
  }
}

TEST(ErroreRuntime, IgnoraErroriEndsOnlyTheStatementThatFailed) {
  std::vector<int> eseguite;
  const int primo = IgnoraErrori([&] {
    eseguite.push_back(1);
    throw ErroreRuntime(53);
    eseguite.push_back(99);  // never reached: the rest of the failed statement is skipped
  });
  const int secondo = IgnoraErrori([&] { eseguite.push_back(2); });
  const int terzo = IgnoraErrori([] { throw std::bad_alloc(); });
  EXPECT_EQ(primo, 53);
  EXPECT_EQ(secondo, 0);
  EXPECT_EQ(terzo, 7);
  EXPECT_EQ(eseguite, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace talvo
