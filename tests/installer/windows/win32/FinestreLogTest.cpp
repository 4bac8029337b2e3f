// The real log viewer and printer windows on a private X screen: a second thread drives them as a
// person would while the test's main thread runs their modal loops, over the real log in C:.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "ConLogDiProva.h"
#include "FileDiProva.h"
#include "FinestraFrmMostraLog.h"
#include "FinestraFrmStampa.h"
#include "IdControlli.h"
#include "UiAutomation.h"
#include "Win32Desktop.h"
#include "core/Log.h"

namespace talvo {
namespace {

using namespace talvo::test::ui;
namespace IdFrmMostraLog = finestre::IdFrmMostraLog;
namespace IdFrmStampa = finestre::IdFrmStampa;

constexpr DWORD Attesa = 20000;

std::string TestoDegliAppunti() {
  if (!::OpenClipboard(nullptr)) return "(clipboard busy)";
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

std::string VoceMenu(HMENU menu, UINT posizione) {
  char testo[64] = {};
  ::GetMenuStringA(menu, posizione, testo, sizeof testo, MF_BYPOSITION);
  return testo;
}

// What the driving thread saw; checked on the main thread once the windows are gone.
struct Osservato {
  std::string errore;
  std::string caption;
  std::string testoIniziale;
  LONG_PTR stileTesto = 0;
  std::vector<std::string> menu;
  std::string appunti;
  std::string captionStampa;
  std::string etichettaStampa;
  std::vector<std::string> stampanti;
  std::string boxSenzaScelta;
  bool stampaChiusa = false;
  std::string testoRicaricato;
  bool visoreChiuso = false;
};

class FinestreLogTest : public test::ConLogDiProva {};

TEST_F(FinestreLogTest, TheViewerShowsCopiesAndReloadsTheLogAroundThePrinterWindow) {
  // Well past the 32 KB a text box holds by default.
  std::string log;
  for (int i = 0; i < 3000; ++i) {
    log += "10/12/2026 15:00:00 Funzione: Prova Descrizione: riga " + std::to_string(i) + " ESITO OK\r\n";
  }
  test::ScriviFile(FileLog, log);
  ASSERT_GT(log.size(), 150000u);

  Win32Desktop desktop;
  finestre::FinestraFrmMostraLog* aperta = nullptr;
  desktop.ImpostaApriFinestra([&](FinestraModale finestra) {
    if (finestra == FinestraModale::Stampa && aperta) finestre::MostraFrmStampa(sessione, desktop, *aperta);
  });

  Osservato o;
  const DWORD processo = ::GetCurrentProcessId();
  std::thread autista([&] {
    HWND visore = nullptr;
    HWND stampa = nullptr;
    const auto fallisci = [&](const std::string& perche) {
      o.errore = perche;
      if (HWND box = FindMessageBox(processo)) PressFirstButton(box);
      if (stampa) ::PostMessageA(stampa, WM_CLOSE, 0, 0);
      if (visore) ::PostMessageA(visore, WM_CLOSE, 0, 0);
    };
    visore = WaitForWindow(processo, finestre::ClasseFrmMostraLog, Attesa);
    if (!visore) return fallisci("the viewer did not appear");
    if (!WaitUntil([&] { return ControlText(visore, IdFrmMostraLog::TxtFile) == log; }, Attesa))
      return fallisci("the viewer did not show the log");
    o.caption = WindowText(visore);
    o.testoIniziale = ControlText(visore, IdFrmMostraLog::TxtFile);
    o.stileTesto = ::GetWindowLongPtrA(::GetDlgItem(visore, IdFrmMostraLog::TxtFile), GWL_STYLE);
    const HMENU barra = ::GetMenu(visore);
    o.menu.push_back(VoceMenu(barra, 0));
    for (UINT i = 0; i < 3; ++i) o.menu.push_back(VoceMenu(::GetSubMenu(barra, 0), i));

    ::PostMessageA(visore, WM_COMMAND, MAKEWPARAM(IdFrmMostraLog::mnup3, 0), 0);
    WaitUntil([&] { return TestoDegliAppunti() == log; }, Attesa);
    o.appunti = TestoDegliAppunti();

    // The log grows while the viewer is open.
    ScriviLog(sessione, "Aggiorna", "riga nuova", 0);
    ::PostMessageA(visore, WM_COMMAND, MAKEWPARAM(IdFrmMostraLog::mnup2, 0), 0);
    stampa = WaitForWindow(processo, finestre::ClasseFrmStampa, Attesa);
    if (!stampa) return fallisci("the printer window did not appear");
    const HWND combo = ::GetDlgItem(stampa, IdFrmStampa::CmbStampante);
    WaitUntil([&] { return !ComboEntries(combo).empty(); }, Attesa);
    o.captionStampa = WindowText(stampa);
    o.etichettaStampa = ControlText(stampa, IdFrmStampa::Label1);
    o.stampanti = ComboEntries(combo);
    ClickButton(::GetDlgItem(stampa, IdFrmStampa::CmdStampa));
    const HWND box = WaitForMessageBox(processo, Attesa);
    if (!box) return fallisci("no box for the empty choice");
    o.boxSenzaScelta = MessageBoxText(box);
    PressFirstButton(box);
    // A click that reaches the printer window while the box still keeps it disabled is lost.
    WaitUntil([&] { return !::IsWindow(box) && ::IsWindowEnabled(stampa); }, Attesa);
    ClickButton(::GetDlgItem(stampa, IdFrmStampa::CmdEsci));
    o.stampaChiusa = WaitUntil([&] { return !::IsWindow(stampa); }, Attesa);
    if (!o.stampaChiusa) return fallisci("the printer window did not close");
    stampa = nullptr;

    WaitUntil(
        [&] {
          o.testoRicaricato = ControlText(visore, IdFrmMostraLog::TxtFile);
          return o.testoRicaricato.size() > log.size();
        },
        Attesa);
    ::PostMessageA(visore, WM_COMMAND, MAKEWPARAM(IdFrmMostraLog::mnup4, 0), 0);
    o.visoreChiuso = WaitUntil([&] { return !::IsWindow(visore); }, Attesa);
    if (!o.visoreChiuso) fallisci("the viewer did not close");
  });
  finestre::MostraFrmMostraLog(sessione, desktop, nullptr, {}, aperta);
  autista.join();

  ASSERT_EQ(o.errore, "");
  EXPECT_EQ(o.caption, "LogFile");
  EXPECT_EQ(o.testoIniziale, log);
  for (const LONG_PTR stile : {WS_HSCROLL, WS_VSCROLL, ES_MULTILINE})
    EXPECT_TRUE(o.stileTesto & stile) << stile;
  EXPECT_EQ(o.menu, (std::vector<std::string>{"&Principale", "&Copia", "&Stampa", "&Esci"}));
  EXPECT_EQ(o.appunti, log);
  EXPECT_EQ(o.captionStampa, "Scelta Stampante");
  EXPECT_EQ(o.etichettaStampa, "Seleziona Stampante");
  ASSERT_FALSE(o.stampanti.empty());
  EXPECT_EQ(o.stampanti[0], "");
  EXPECT_EQ(o.boxSenzaScelta, "Si è verificato un errore \r\nDescrizione: Selezionare una stampante\r\n");
  EXPECT_TRUE(o.stampaChiusa);
  // Coming back from the printer window is an activation: the new line is there.
  ASSERT_EQ(o.testoRicaricato.compare(0, log.size(), log), 0);
  EXPECT_NE(o.testoRicaricato.find(" Funzione: Aggiorna Descrizione: riga nuova ESITO OK\r\n", log.size()),
            std::string::npos);
  EXPECT_TRUE(o.visoreChiuso);
  EXPECT_EQ(aperta, nullptr);
}

}  // namespace
}  // namespace talvo
