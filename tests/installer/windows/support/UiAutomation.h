// Drives another process's windows from outside, as a person would: finds its top-level windows,
// reads its controls, presses message box buttons and buttons, and saves a window as a PNG.
// Every wait has a timeout, and a started process is killed when its owner goes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "raii/unique_any.h"

namespace talvo::test::ui {

// A program started for a test or the demo; terminated when the owner dies, unless it has ended.
class ProcessUnderTest {
 public:
  // Starts the program with its own folder as current folder, as a person starting it from there
  // would; throws std::runtime_error on failure.
  explicit ProcessUnderTest(const std::string& program);
  ~ProcessUnderTest();
  ProcessUnderTest(ProcessUnderTest&&) = default;
  ProcessUnderTest& operator=(ProcessUnderTest&&) = default;

  DWORD Id() const { return id_; }
  // True when the process ended within the timeout; its exit code goes to *exitCode.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
  void Kill() const;

 private:
  unique_handle process_;
  DWORD id_ = 0;
};

// Polls the condition every 20 ms until it holds or the timeout runs out.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// The process's visible top-level windows, in z-order.
std::vector<HWND> VisibleTopLevelWindows(DWORD processId);
std::string ClassName(HWND window);
// A window's text, asked for with a timeout so that a busy program never blocks the caller.
std::string WindowText(HWND window);
std::string ControlText(HWND parent, int id);

// Waits for a visible top-level window of the process with that class (and that title when one is
// given); null on timeout.
HWND WaitForWindow(DWORD processId, const std::string& className, DWORD timeoutMs,
                   const std::string& title = {});

// A visible message box of the process whose text has been filled in, or null.
HWND FindMessageBox(DWORD processId);
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
// The text of a message box.
std::string MessageBoxText(HWND box);
// Presses the box's button with that identifier (IDOK, IDYES, ...); false when it has none.
bool PressMessageBoxButton(HWND box, int id);
// Presses the box's first button: OK where it has one, else Yes.
bool PressFirstButton(HWND box);

// The entries of a combo box, in order.
std::vector<std::string> ComboEntries(HWND combo);
int ComboSelection(HWND combo);
// Clicks a button; the click is posted, so a handler that opens a modal window does not block.
void ClickButton(HWND button);

// Releases the right mouse button over a point of the window's client area (in pixels) while the
// given keys (VK_SHIFT, VK_CONTROL, VK_MENU) are held, through real input: the program reads the
// held keys from its own input state.
void RightClickHolding(HWND window, POINT client, const std::vector<WORD>& keys);

// True when the window's thread answered a message within the timeout: it is not busy.
bool Responds(HWND window, DWORD timeoutMs);

// Saves the window as it is on the screen as a PNG file (PrintWindow, else a copy of the screen
// under it), through WIC. False on failure.
bool SaveWindowPng(HWND window, const std::string& path);

}  // namespace talvo::test::ui
