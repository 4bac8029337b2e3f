// The one run-time error table read by both sides: the installer's code page 1252 text and the
// servers' UTF-16 text of every row are the same description, and Win32 codes map alike.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "com/RunTimeError.h"
#include "core/ErroreRuntime.h"
#include "errors/RunTimeErrors.h"
#include "errors/Win32Errors.h"

namespace talvo {
namespace {

// The installer's bytes read as code page 1252 by the platform, not by the table's own narrowing.
std::u16string DaCp1252(const std::string& testo) {
  if (testo.empty()) return {};
  const int n = ::MultiByteToWideChar(1252, MB_ERR_INVALID_CHARS, testo.data(),
                                      static_cast<int>(testo.size()), nullptr, 0);
  std::wstring largo(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(1252, MB_ERR_INVALID_CHARS, testo.data(), static_cast<int>(testo.size()),
                        largo.data(), n);
  return std::u16string(largo.begin(), largo.end());
}

TEST(RunTimeErrors, BothSidesGiveTheSameDescriptionForEveryRow) {
  std::set<int> numeri;
  for (const errors::RunTimeErrorRow& riga : errors::kRunTimeErrors) {
    SCOPED_TRACE(riga.number);
    EXPECT_TRUE(numeri.insert(riga.number).second) << "number listed twice";
    EXPECT_FALSE(riga.description.empty());
    EXPECT_NE(riga.description, errors::kGenericDescription);

    const ErroreRuntime installatore(riga.number);
    const com::RunTimeError server(riga.number);
    EXPECT_EQ(installatore.Numero(), server.Number());
    EXPECT_EQ(server.Description(), riga.description);
    EXPECT_EQ(DaCp1252(installatore.Descrizione()), server.Description());
    EXPECT_EQ(DaCp1252(DescrizioneErrore(riga.number)), com::RunTimeErrorDescription(riga.number));
  }
  // A number without a row reads as the generic text on both sides.
  for (int numero : {0, 1, 1004, 65535}) {
    SCOPED_TRACE(numero);
    EXPECT_EQ(DaCp1252(DescrizioneErrore(numero)), errors::kGenericDescription);
    EXPECT_EQ(com::RunTimeErrorDescription(numero), errors::kGenericDescription);
  }
}

TEST(RunTimeErrors, TheNamesOfBothSidesAreTheSameNumbers) {
  const std::pair<int, int> casi[] = {
      {NumeroErrore::ChiamataNonValida, com::RunTimeNumber::InvalidCall},
      {NumeroErrore::IndiceFuoriIntervallo, com::RunTimeNumber::SubscriptOutOfRange},
      {NumeroErrore::VariabileOggettoNonImpostata, 91},
      {NumeroErrore::UsoNonValidoDiNull, 94},
      {NumeroErrore::ErroreStampante, 482},
      {NumeroErrore::NessunRecordCorrente, com::RunTimeNumber::NoCurrentRecord},
      {com::RunTimeNumber::NoCurrentRecord, 3021},
      {NumeroErrore::ChiamataOdbc, com::RunTimeNumber::OdbcCallFailed},
  };
  for (const auto& [installatore, server] : casi) EXPECT_EQ(installatore, server);
}

TEST(RunTimeErrors, TextsWithAccentsAndThoseWrittenBeforeInlineAreTheTableRows) {
  EXPECT_EQ(DescrizioneErrore(55), "File gi\xE0 aperto");  // one byte E0 in code page 1252
  EXPECT_EQ(com::RunTimeErrorDescription(58), u"File gi\u00E0 esistente");
  EXPECT_EQ(com::RunTimeErrorDescription(91), u"Variabile oggetto o variabile del blocco With non impostata");
  EXPECT_EQ(com::RunTimeErrorDescription(94), u"Uso non valido di Null");
  EXPECT_EQ(com::RunTimeErrorDescription(3021), u"Nessun record corrente.");
  EXPECT_EQ(DescrizioneErrore(482), "Errore della stampante");
  EXPECT_EQ(DescrizioneErrore(1004), "Errore definito dall'applicazione o dall'oggetto");
}

TEST(RunTimeErrors, Win32CodesMapOntoOneNumberForBothSides) {
  const std::pair<DWORD, int> casi[] = {
      {ERROR_FILE_NOT_FOUND, 53},   {ERROR_PATH_NOT_FOUND, 76},    {ERROR_BAD_NETPATH, 76},
      {ERROR_ACCESS_DENIED, 70},    {ERROR_SHARING_VIOLATION, 70}, {ERROR_LOCK_VIOLATION, 70},
      {ERROR_FILE_EXISTS, 58},      {ERROR_ALREADY_EXISTS, 58},    {ERROR_DISK_FULL, 61},
      {ERROR_HANDLE_DISK_FULL, 61}, {ERROR_NOT_ENOUGH_MEMORY, 7},  {ERROR_OUTOFMEMORY, 7},
      {ERROR_INVALID_NAME, 75},     {ERROR_GEN_FAILURE, 75},
  };
  for (const auto& [win32, numero] : casi) {
    EXPECT_EQ(errors::RunTimeNumberFromWin32(win32), numero) << win32;
    EXPECT_EQ(NumeroDaWin32(win32), numero) << win32;
  }
}

}  // namespace
}  // namespace talvo
