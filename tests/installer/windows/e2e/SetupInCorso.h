// A real SetupTalvo.exe run by a test from a patch folder of the test prefix: answers and records
// its message boxes and finds its main window. The program is killed if the test ends early.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "UiAutomation.h"

namespace talvo::test {

struct MessaggioVisto {
  std::string Titolo;
  std::string Testo;
  HWND Proprietaria = nullptr;
};

class SetupInCorso {
 public:
  // Starts the program with the patch folder as its current folder.
  explicit SetupInCorso(const std::string& programma);

  DWORD Id() const { return processo_.Id(); }
  const ui::ProcessUnderTest& Processo() const { return processo_; }

  // Waits for the next message box, records it and presses the button with that identifier
  // (0: the first one, OK or Yes). Fails the test and returns an empty record on timeout.
  MessaggioVisto Rispondi(DWORD timeoutMs, int pulsante = 0);
  // True when no message box shows up for that long.
  bool NessunMessaggioPer(DWORD ms) const;
  // Answers every message box with its first button until the main window is shown; returns it,
  // or null on timeout. The boxes answered are in Risposti().
  HWND FinestraPrincipale(DWORD timeoutMs);

  const std::vector<MessaggioVisto>& Risposti() const { return risposti_; }

  // Presses "&Fine" in the main window and checks the program's exit code.
  void EsciConFine(HWND principale, DWORD codiceAtteso) const;

 private:
  ui::ProcessUnderTest processo_;
  std::vector<MessaggioVisto> risposti_;
};

// The host path of the built SetupTalvo.exe, as a path the Windows side can open.
std::string SetupTalvoCompilato();

// Copies the built program into the folder (created if missing); false on failure.
bool CopiaSetupTalvo(const std::string& cartella);

}  // namespace talvo::test
