// Running SetupTalvo for a test: message boxes are answered from outside, as a person would.
#include "SetupInCorso.h"

#include <gtest/gtest.h>

#include "IdControlli.h"

namespace talvo::test {

SetupInCorso::SetupInCorso(const std::string& programma) : processo_(programma) {}

MessaggioVisto SetupInCorso::Rispondi(DWORD timeoutMs, int pulsante) {
  const HWND box = ui::WaitForMessageBox(Id(), timeoutMs);
  if (!box) {
    ADD_FAILURE() << "no message box within " << timeoutMs << " ms";
    return {};
  }
  MessaggioVisto visto{ui::WindowText(box), ui::MessageBoxText(box), ::GetWindow(box, GW_OWNER)};
  const bool premuto = pulsante == 0 ? ui::PressFirstButton(box) : ui::PressMessageBoxButton(box, pulsante);
  EXPECT_TRUE(premuto) << "the box \"" << visto.Titolo << "\" has no such button";
  EXPECT_TRUE(ui::WaitUntil([box] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000));
  risposti_.push_back(visto);
  return visto;
}

bool SetupInCorso::NessunMessaggioPer(DWORD ms) const {
  return !ui::WaitUntil([this] { return ui::FindMessageBox(Id()) != nullptr; }, ms);
}

HWND SetupInCorso::FinestraPrincipale(DWORD timeoutMs) {
  HWND principale = nullptr;
  ui::WaitUntil(
      [&] {
        if (ui::FindMessageBox(Id())) Rispondi(1000);
        principale = ui::WaitForWindow(Id(), finestre::ClasseSetupPBD, 0);
        return principale != nullptr || processo_.WaitForExit(0);
      },
      timeoutMs);
  return principale;
}

std::string SetupTalvoCompilato() { return std::string("Z:") + TALVO_SETUPTALVO_EXE; }

bool CopiaSetupTalvo(const std::string& cartella) {
  ::CreateDirectoryA(cartella.c_str(), nullptr);
  return ::CopyFileA(SetupTalvoCompilato().c_str(), (cartella + "\\SetupTalvo.exe").c_str(), FALSE) != FALSE;
}

void SetupInCorso::EsciConFine(HWND principale, DWORD codiceAtteso) const {
  ui::ClickButton(::GetDlgItem(principale, finestre::IdSetupPBD::CmdEsci));
  DWORD codice = 1;
  EXPECT_TRUE(processo_.WaitForExit(10000, &codice));
  EXPECT_EQ(codice, codiceAtteso);
}

}  // namespace talvo::test
