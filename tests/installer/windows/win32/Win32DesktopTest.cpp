// The Desktop port's clipboard and printers through Wine, on a private X screen.
#include <gtest/gtest.h>
#include <windows.h>

#include "Stampante.h"
#include "Win32Desktop.h"
#include "core/ErroreRuntime.h"

namespace talvo {
namespace {

// What the clipboard holds as CF_TEXT, read as another program would.
std::string TestoDegliAppunti() {
  if (!::OpenClipboard(nullptr)) return "(clipboard not opened)";
  std::string testo = "(no text)";
  if (const HANDLE dati = ::GetClipboardData(CF_TEXT)) {
    if (const auto* caratteri = static_cast<const char*>(::GlobalLock(dati))) {
      testo = caratteri;
      ::GlobalUnlock(dati);
    }
  }
  ::CloseClipboard();
  return testo;
}

TEST(Win32Desktop, CopiesTheWholeTextToTheClipboardReplacingWhatWasThere) {
  Win32Desktop desktop;
  std::string lungo;
  for (int i = 0; i < 4000; ++i)
    lungo += "08/12/2023 23:03:12 Funzione: Prova Descrizione: riga ESITO OK\r\n";
  for (const std::string& testo : {std::string("uno\r\ndue \xE8\r\n"), lungo, std::string()}) {
    desktop.CopiaNegliAppunti(testo);
    EXPECT_EQ(TestoDegliAppunti(), testo);
  }
}

TEST(Win32Desktop, PrintingWithoutAPrinterIsThePrinterError) {
  Win32Desktop desktop;
  if (!desktop.Stampanti().empty() || !finestre::StampantePredefinita().empty())
    GTEST_SKIP() << "this prefix has printers: nothing is printed on them";
  desktop.ImpostaStampanteCorrente("Nessuna");
  LavoroDiStampa lavoro;
  lavoro.Testo = "riga\r\n";
  try {
    desktop.Stampa(lavoro);
    FAIL() << "printed without a printer";
  } catch (const ErroreRuntime& e) {
    EXPECT_EQ(e.Numero(), 482);
    EXPECT_EQ(e.Descrizione(), "Errore della stampante");
  }
}

}  // namespace
}  // namespace talvo
