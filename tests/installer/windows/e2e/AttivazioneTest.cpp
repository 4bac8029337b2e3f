// Form activation of the real main window: on a ministerial installation each activation shows
// the refusal once. Closing that message box is no activation, so no second box follows; coming
// back from the release editor is one, so the refusal shows again, once.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "IdControlli.h"
#include "SetupInCorso.h"
#include "UiAutomation.h"

namespace talvo::test {
namespace {

namespace id = finestre::IdSetupPBD;

const std::string Patch = "C:\\PatchAttivazione";
const std::string Rifiuto = "Non è possibile utilizzare questo software Per Talvo Ministeriale";
// Files whose presence together marks a ministerial installation.
const char* const FileMinisteriali[] = {"C:\\pers.ini", "c:\\versione.ini"};
const char* const Log = "c:\\attivazione.log";
constexpr DWORD Avvio = 60000;
constexpr DWORD Quiete = 2000;
// How long a busy program may take to get back to its messages or to show a change.
constexpr DWORD Risposta = 10000;

void Scrivi(const std::string& percorso, const std::string& testo) {
  std::ofstream(percorso, std::ios::binary) << testo;
}

class AttivazioneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CopiaSetupTalvo(Patch));
    Scrivi(Patch + "\\SetupPBD.ini",
           "[FILELOG]\r\nnomefile=attivazione.log\r\n"
           "[NUOVAVERSIONE]\r\nVersione=2012/3\r\n"
           "[TestApplicazione]\r\nVersione=2011/1\r\n");
    for (const char* file : FileMinisteriali) Scrivi(file, "");
  }
  void TearDown() override {
    for (const char* file : FileMinisteriali) ::DeleteFileA(file);
    ::DeleteFileA(Log);
    ::DeleteFileA((Patch + "\\SetupPBD.ini").c_str());
    ::DeleteFileA((Patch + "\\SetupTalvo.exe").c_str());
    ::RemoveDirectoryA(Patch.c_str());
  }

  // A point of the window's own background, between the drive list and the first row.
  static POINT Sfondo() {
    const HDC schermo = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(schermo, LOGPIXELSX);
    ::ReleaseDC(nullptr, schermo);
    return POINT{::MulDiv(120, dpi, 1440), ::MulDiv(660, dpi, 1440)};
  }

  // The next activation's single refusal, owned by the main window.
  static void UnSoloRifiuto(SetupInCorso& setup, HWND principale) {
    const MessaggioVisto rifiuto = setup.Rispondi(10000);
    EXPECT_EQ(rifiuto.Testo, Rifiuto);
    EXPECT_EQ(rifiuto.Titolo, "SetupTalvo");
    EXPECT_EQ(rifiuto.Proprietaria, principale);
    // The box is hidden before the call that showed it returns: Wine's X11 driver then waits up to
    // 2 s for a window manager to withdraw it, and the test's screen runs none. The quiet period
    // and what follows count from when the program handles its messages again.
    EXPECT_TRUE(ui::Responds(principale, Risposta));
    EXPECT_TRUE(setup.NessunMessaggioPer(Quiete)) << "closing the message box activated the window again";
  }
};

TEST_F(AttivazioneTest, OgniAttivazioneMostraIlRifiutoUnaVolta) {
  SetupInCorso setup(Patch + "\\SetupTalvo.exe");
  const HWND principale = setup.FinestraPrincipale(Avvio);
  ASSERT_NE(principale, nullptr);
  ASSERT_FALSE(setup.Risposti().empty());
  EXPECT_EQ(setup.Risposti().front().Titolo, "aggiornamento TALVO e OpenTalvo");
  // The load has no window yet: its boxes have no owner.
  EXPECT_EQ(setup.Risposti().front().Proprietaria, nullptr);

  UnSoloRifiuto(setup, principale);
  // The program disables the button once the box's call has returned.
  const HWND aggiorna = ::GetDlgItem(principale, id::cmdAggiorna);
  EXPECT_TRUE(ui::WaitUntil([aggiorna] { return !::IsWindowEnabled(aggiorna); }, Risposta))
      << "\"Aggiorna\" still enabled after the refusal";

  // Right button with Ctrl and Alt only: nothing opens.
  ui::RightClickHolding(principale, Sfondo(), {VK_CONTROL, VK_MENU});
  EXPECT_EQ(ui::WaitForWindow(setup.Id(), finestre::ClasseFrmModRel, 1500), nullptr);

  // With Shift, Ctrl and Alt: the release editor, modal over the main window.
  ui::RightClickHolding(principale, Sfondo(), {VK_SHIFT, VK_CONTROL, VK_MENU});
  const HWND editor = ui::WaitForWindow(setup.Id(), finestre::ClasseFrmModRel, 10000);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(ui::WindowText(editor), "Modifica Release");
  const HWND testo = ::GetDlgItem(editor, finestre::IdFrmModRel::txtVecchiarel);
  EXPECT_EQ(ui::WindowText(testo), "2011/1");
  EXPECT_FALSE(::IsWindowEnabled(testo));
  EXPECT_FALSE(::IsWindowEnabled(principale));
  EXPECT_TRUE(setup.NessunMessaggioPer(500));

  // Closing the editor gives the activation back: the refusal once more, and only once.
  ::PostMessageA(editor, WM_CLOSE, 0, 0);
  UnSoloRifiuto(setup, principale);
  EXPECT_FALSE(::IsWindow(editor));
  EXPECT_TRUE(::IsWindowEnabled(principale));

  setup.EsciConFine(principale, 1642);  // the ministerial installation is refused
}

}  // namespace
}  // namespace talvo::test
