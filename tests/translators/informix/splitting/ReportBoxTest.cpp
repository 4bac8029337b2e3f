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

// Waits for a dialog window of the given thread that shows its text, reads it as a message box
// and presses its OK button, again every 100 ms until the thread is done; gives up looking after
// ten seconds.
SeenBox CloseBoxOf(DWORD threadId, const std::atomic<bool>& finished) {
  SeenBox seen;
  for (int attempt = 0; attempt < 1000 && !finished; ++attempt) {
    HWND box = nullptr;
    ::EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM found) -> BOOL {
          wchar_t name[16] = {};
          ::GetClassNameW(window, name, 16);
          if (!::IsWindowVisible(window) || std::wstring(name) != L"#32770") return TRUE;
          *reinterpret_cast<HWND*>(found) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    wchar_t text[1024] = {};
    // The static control that holds the text is filled while the box initialises.
    if (box && ::GetDlgItemTextW(box, 0xFFFF, text, 1024) > 0) {
      if (seen.text.empty()) {
        wchar_t caption[256] = {};
        ::GetWindowTextW(box, caption, 256);
        seen.caption = caption;
        seen.text = text;
      }
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      ::Sleep(100);
    } else {
      ::Sleep(10);
    }
  }
  return seen;
}

// The box goes to a desktop of the test's own: the prefix's default desktop may have been started
// by a concurrent test without a display, and then no window of this process could be shown on it.
class ReportBoxTest : public test::DiscoC {
 protected:
  void SetUp() override {
    DiscoC::SetUp();
    ::SetEnvironmentVariableW(L"TALVO_SILENT", nullptr);
    desktop_ = ::CreateDesktopW(L"TalvoReportBox", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_NE(desktop_, nullptr);
    previous_ = ::GetThreadDesktop(::GetCurrentThreadId());
    ASSERT_TRUE(::SetThreadDesktop(desktop_));
  }
  void TearDown() override {
    if (previous_) ::SetThreadDesktop(previous_);
    if (desktop_) ::CloseDesktop(desktop_);
    ::SetEnvironmentVariableW(L"TALVO_SILENT", L"1");
    DiscoC::TearDown();
  }

  HDESK desktop_ = nullptr;
  HDESK previous_ = nullptr;
};

TEST_F(ReportBoxTest, AnUnsilencedReportIsShownAndLogged) {
  const DWORD self = ::GetCurrentThreadId();
  std::atomic<bool> finished{false};
  SeenBox seen;
  std::thread watcher([&] {
    ::SetThreadDesktop(desktop_);  // windows are listed per desktop
    seen = CloseBoxOf(self, finished);
  });
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
