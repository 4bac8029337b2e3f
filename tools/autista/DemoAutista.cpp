// DemoAutista <SetupTalvo.exe> <PNG file>: runs the installer as a person would for a demo.
// It starts the program in its own folder, answers every message box with its first button (OK
// or Yes) until the main window is shown and settled, prints the drive list, the areas and their
// status, presses "&Aggiorna" and answers the run's boxes (closing the log viewer, after printing
// its text, when a failed run opens it), saves a picture of the main window, prints the rows
// again and closes the program with "&Fine".
// Exits 0 when all of that happened, 1 with a message otherwise.
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "IdControlli.h"
#include "UiAutomation.h"

namespace {

namespace ui = talvo::test::ui;
namespace id = talvo::finestre::IdSetupPBD;

constexpr DWORD TempoMassimo = 120000;  // for the whole start-up, components included
constexpr DWORD TempoQuiete = 1500;     // no box and an answering window for this long: settled
constexpr DWORD TempoChiusura = 15000;
constexpr DWORD TempoAggiornamento = 120000;

// The program's texts are in the ANSI code page; the demo prints UTF-8 for the terminal.
std::string Utf8(const std::string& ansi) {
  if (ansi.empty()) return ansi;
  const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  const int m = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(m), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, utf8.data(), m, nullptr, nullptr);
  return utf8;
}

// A message box's text on one line.
std::string SuUnaRiga(std::string testo) {
  for (char& c : testo) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return testo;
}

// Answers the box if there is one; true when it did.
bool RispondiAlMessaggio(DWORD processo) {
  const HWND box = ui::FindMessageBox(processo);
  if (!box) return false;
  std::printf("Messaggio \"%s\": %s\n", Utf8(ui::WindowText(box)).c_str(),
              Utf8(SuUnaRiga(ui::MessageBoxText(box))).c_str());
  std::fflush(stdout);
  if (!ui::PressFirstButton(box)) throw std::runtime_error("the message box has neither OK nor Yes");
  ui::WaitUntil([box] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000);
  return true;
}

// Closes a window of the program other than the main window and its message boxes (the log
// viewer), printing its caption and its text first; true when there was one.
bool ChiudiAltraFinestra(DWORD processo, HWND principale) {
  for (const HWND finestra : ui::VisibleTopLevelWindows(processo)) {
    if (finestra == principale || ui::ClassName(finestra) == "#32770") continue;
    std::printf("Finestra \"%s\":\n", Utf8(ui::WindowText(finestra)).c_str());
    const HWND testo = ::FindWindowExA(finestra, nullptr, "EDIT", nullptr);
    if (testo) std::printf("%s\n", Utf8(ui::WindowText(testo)).c_str());
    std::fflush(stdout);
    ::PostMessageA(finestra, WM_CLOSE, 0, 0);
    ui::WaitUntil([finestra] { return !::IsWindow(finestra) || !::IsWindowVisible(finestra); }, 5000);
    return true;
  }
  return false;
}

// Presses "&Aggiorna" and answers what the run shows until the button is disabled and the window
// has been quiet for a while.
void Aggiorna(const ui::ProcessUnderTest& programma, HWND principale) {
  const HWND pulsante = ::GetDlgItem(principale, id::cmdAggiorna);
  if (!::IsWindowEnabled(pulsante)) throw std::runtime_error("\"&Aggiorna\" is disabled");
  ui::ClickButton(pulsante);
  const ULONGLONG fine = ::GetTickCount64() + TempoAggiornamento;
  ULONGLONG quieteDa = 0;
  while (::GetTickCount64() < fine) {
    if (RispondiAlMessaggio(programma.Id()) || ChiudiAltraFinestra(programma.Id(), principale)) {
      quieteDa = 0;
      continue;
    }
    if (!::IsWindowEnabled(pulsante) && ui::Responds(principale, 1000)) {
      if (quieteDa == 0) quieteDa = ::GetTickCount64();
      if (::GetTickCount64() - quieteDa >= TempoQuiete) return;
    } else {
      quieteDa = 0;
    }
    ::Sleep(50);
  }
  throw std::runtime_error("timed out waiting for the update run to end");
}

// Answers message boxes until the main window is shown and has been quiet for a while.
HWND AttendiFinestraPrincipale(const ui::ProcessUnderTest& programma) {
  const ULONGLONG fine = ::GetTickCount64() + TempoMassimo;
  ULONGLONG quieteDa = 0;
  while (::GetTickCount64() < fine) {
    if (programma.WaitForExit(0)) throw std::runtime_error("SetupTalvo ended before showing its main window");
    if (RispondiAlMessaggio(programma.Id())) {
      quieteDa = 0;
      continue;
    }
    const HWND principale = ui::WaitForWindow(programma.Id(), talvo::finestre::ClasseSetupPBD, 0);
    if (principale && ui::Responds(principale, 1000) && !ui::FindMessageBox(programma.Id())) {
      if (quieteDa == 0) quieteDa = ::GetTickCount64();
      if (::GetTickCount64() - quieteDa >= TempoQuiete) return principale;
    } else {
      quieteDa = 0;
    }
    ::Sleep(50);
  }
  throw std::runtime_error("timed out waiting for SetupTalvo's main window to settle");
}

void StampaFinestra(HWND principale) {
  std::printf("Titolo: %s\n", Utf8(ui::WindowText(principale)).c_str());
  std::printf("%s\n", Utf8(ui::ControlText(principale, id::Label1)).c_str());
  for (const std::string& voce : ui::ComboEntries(::GetDlgItem(principale, id::CmbDischi))) {
    std::printf("  %s\n", Utf8(voce).c_str());
  }
  for (int i = 0; i < 9; ++i) {
    const HWND percentuale = ::GetDlgItem(principale, id::lblOk + i);
    std::printf("%-16s %-42s %s\n", Utf8(ui::ControlText(principale, id::LblArea + i)).c_str(),
                Utf8(ui::ControlText(principale, id::LblStato + i)).c_str(),
                ::IsWindowVisible(percentuale) ? ui::WindowText(percentuale).c_str() : "");
  }
  std::fflush(stdout);
}

void Chiudi(const ui::ProcessUnderTest& programma, HWND principale) {
  ui::ClickButton(::GetDlgItem(principale, id::CmdEsci));
  const ULONGLONG fine = ::GetTickCount64() + TempoChiusura;
  while (::GetTickCount64() < fine) {
    DWORD codice = 0;
    if (programma.WaitForExit(50, &codice)) return;
    RispondiAlMessaggio(programma.Id());
  }
  throw std::runtime_error("timed out waiting for SetupTalvo to end after \"&Fine\"");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "use: DemoAutista <path of SetupTalvo.exe> <PNG path>\n");
    return 2;
  }
  try {
    const std::string programma = argv[1];
    ui::ProcessUnderTest setup(programma);
    const HWND principale = AttendiFinestraPrincipale(setup);
    StampaFinestra(principale);
    Aggiorna(setup, principale);
    if (!ui::SaveWindowPng(principale, argv[2]))
      throw std::runtime_error(std::string("cannot save ") + argv[2]);
    std::printf("Immagine: %s\n", argv[2]);
    StampaFinestra(principale);
    Chiudi(setup, principale);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "DemoAutista: %s\n", e.what());
    return 1;
  }
}
