// GestioneErrore on a desktop: without TALVO_SILENT the report is a real message box, caption
// "Vortan", with the heading, the number and the description; it is logged all the same. A
// watcher thread reads the box and closes it, so the test never waits on a person.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "DiscoC.h"
#include "FileDiProva.h"
#include "splitting/GestioneErrore.h"

namespace talvo::translators::informix {
namespace {

struct SeenBox {
  std::wstring caption;
  std::wstring text;
};

// Waits for a visible window of the given thread, reads it as a message box and presses its OK
// button, again every 100 ms until the thread is done; gives up looking after ten seconds.
SeenBox CloseBoxOf(DWORD threadId, const std::atomic<bool>& finished) {
  SeenBox seen;
  for (int attempt = 0; attempt < 1000 && !finished; ++attempt) {
    HWND box = nullptr;
    ::EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM found) -> BOOL {
          if (!::IsWindowVisible(window)) return TRUE;
          *reinterpret_cast<HWND*>(found) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (box) {
      if (seen.caption.empty()) {
        wchar_t buffer[1024] = {};
        ::GetWindowTextW(box, buffer, 1024);
        seen.caption = buffer;
        ::GetDlgItemTextW(box, 0xFFFF, buffer, 1024);  // the static control that holds the text
        seen.text = buffer;
      }
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      ::Sleep(100);
    } else {
      ::Sleep(10);
    }
  }
  return seen;
}

class ReportBoxTest : public test::DiscoC {
 protected:
  void SetUp() override {
    DiscoC::SetUp();
    ::SetEnvironmentVariableW(L"TALVO_SILENT", nullptr);
  }
  void TearDown() override {
    ::SetEnvironmentVariableW(L"TALVO_SILENT", L"1");
    DiscoC::TearDown();
  }
};

TEST_F(ReportBoxTest, AnUnsilencedReportIsShownAndLogged) {
  const DWORD self = ::GetCurrentThreadId();
  std::atomic<bool> finished{false};
  SeenBox seen;
  std::thread watcher([&] { seen = CloseBoxOf(self, finished); });
  GestioneErrore(u"Funzione 'FrazionaTabella':", u"Impossibile trovare il file", 53);
  finished = true;
  watcher.join();
  EXPECT_EQ(seen.caption, L"Vortan");
  EXPECT_EQ(seen.text, L"Funzione 'FrazionaTabella':\r\n Errore N.  53 - Impossibile trovare il file");

  const std::vector<std::string> lines = test::Righe(test::LeggiFile("C:\\error.log"));
  ASSERT_EQ(lines.size(), 1u);
  const std::string head = " 53, Funzione 'FrazionaTabella':, Impossibile trovare il file,, ";
  EXPECT_EQ(lines[0].substr(0, head.size()), head);
}

}  // namespace
}  // namespace talvo::translators::informix
