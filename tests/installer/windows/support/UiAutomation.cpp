// Window automation over the Win32 API. Messages to the other process's windows are sent with
// a timeout or posted, never sent blindly: the program under test may be inside a modal loop.
#include "UiAutomation.h"

#include <wincodec.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "com/ComPtr.h"

namespace talvo::test::ui {

namespace {

constexpr UINT TimeoutMessage = 2000;
const char* const ClasseMessageBox = "#32770";
// The static control that holds a message box's text.
constexpr int IdTestoMessageBox = 0xFFFF;

std::string Ansi(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), n, nullptr,
                        nullptr);
  return ansi;
}

}  // namespace

ProcessUnderTest::ProcessUnderTest(const std::string& program) {
  const std::size_t slash = program.find_last_of("\\/");
  const std::string currentFolder = slash == std::string::npos ? std::string() : program.substr(0, slash);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string commandLine = "\"" + program + "\"";
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &si, &pi)) {
    throw std::runtime_error("cannot start " + program + " (error " + std::to_string(::GetLastError()) + ")");
  }
  ::CloseHandle(pi.hThread);
  process_ = unique_handle(pi.hProcess);
  id_ = pi.dwProcessId;
}

ProcessUnderTest::~ProcessUnderTest() {
  if (process_ && !WaitForExit(0)) Kill();
}

bool ProcessUnderTest::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
  if (!process_ || ::WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) ::GetExitCodeProcess(process_.get(), exitCode);
  return true;
}

void ProcessUnderTest::Kill() const {
  if (!process_) return;
  ::TerminateProcess(process_.get(), 99);
  ::WaitForSingleObject(process_.get(), 5000);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= end) return false;
    ::Sleep(20);
  }
}

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId && ::IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, TimeoutMessage, &length))
    return {};
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, TimeoutMessage, &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

std::string ControlText(HWND parent, int id) {
  const HWND control = ::GetDlgItem(parent, id);
  return control ? WindowText(control) : std::string();
}

HWND WaitForWindow(DWORD processId, const std::string& className, DWORD timeoutMs, const std::string& title) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : VisibleTopLevelWindows(processId)) {
          if (ClassName(window) == className && (title.empty() || WindowText(window) == title)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

HWND FindMessageBox(DWORD processId) {
  for (HWND window : VisibleTopLevelWindows(processId)) {
    // The box's text is filled in while it initialises: until then it is not ready to be read.
    if (ClassName(window) == ClasseMessageBox && !MessageBoxText(window).empty()) return window;
  }
  return nullptr;
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  HWND box = nullptr;
  WaitUntil([&] { return (box = FindMessageBox(processId)) != nullptr; }, timeoutMs);
  return box;
}

std::string MessageBoxText(HWND box) { return ControlText(box, IdTestoMessageBox); }

bool PressMessageBoxButton(HWND box, int id) {
  const HWND button = ::GetDlgItem(box, id);
  if (!button || !::IsWindowVisible(button)) return false;
  return ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) !=
         FALSE;
}

bool PressFirstButton(HWND box) {
  return PressMessageBoxButton(box, IDOK) || PressMessageBoxButton(box, IDYES);
}

std::vector<std::string> ComboEntries(HWND combo) {
  // Wine hands a combo's entries to another process whole only through the wide messages.
  std::vector<std::string> entries;
  DWORD_PTR count = 0;
  if (!::SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, TimeoutMessage, &count))
    return entries;
  for (int i = 0; i < static_cast<int>(count); ++i) {
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, SMTO_ABORTIFHUNG, TimeoutMessage,
                          &length);
    std::wstring entry(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()),
                          SMTO_ABORTIFHUNG, TimeoutMessage, &copied);
    entry.resize(copied == static_cast<DWORD_PTR>(CB_ERR) ? 0 : copied);
    entries.push_back(Ansi(entry));
  }
  return entries;
}

int ComboSelection(HWND combo) {
  DWORD_PTR selection = static_cast<DWORD_PTR>(CB_ERR);
  ::SendMessageTimeoutA(combo, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, TimeoutMessage, &selection);
  return static_cast<int>(static_cast<LRESULT>(selection));
}

void ClickButton(HWND button) { ::PostMessageA(button, BM_CLICK, 0, 0); }

namespace {

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT Mouse(DWORD flags, LONG x = 0, LONG y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  return input;
}

}  // namespace

void RightClickHolding(HWND window, POINT client, const std::vector<WORD>& keys) {
  ::ClientToScreen(window, &client);
  // Absolute coordinates run from 0 to 65535 across the primary screen.
  const LONG x = ::MulDiv(client.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  const LONG y = ::MulDiv(client.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(Key(key, false));
  inputs.push_back(Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y));
  inputs.push_back(Mouse(MOUSEEVENTF_RIGHTDOWN));
  inputs.push_back(Mouse(MOUSEEVENTF_RIGHTUP));
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) inputs.push_back(Key(*key, true));
  ::SetForegroundWindow(window);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool Responds(HWND window, DWORD timeoutMs) {
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

namespace {

// True when every pixel of the bitmap has the same colour: nothing was drawn into it.
bool Uniform(HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  if (pixels.empty() ||
      !::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS)) {
    return true;
  }
  for (DWORD pixel : pixels) {
    if ((pixel & 0xFFFFFF) != (pixels[0] & 0xFFFFFF)) return false;
  }
  return true;
}

// The window's pixels in a bitmap compatible with the screen.
unique_hgdiobj CopyOfWindow(HWND window, int width, int height) {
  const HDC screen = ::GetDC(nullptr);
  if (!screen) return {};
  const unique_hdc memory(::CreateCompatibleDC(screen));
  unique_hgdiobj bitmap(::CreateCompatibleBitmap(screen, width, height));
  if (memory && bitmap) {
    const HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
    // PrintWindow asks the window to draw itself; where that draws nothing (a window of another
    // process under Wine), what the screen shows under the window.
    const bool printed = ::PrintWindow(window, memory.get(), 0) != FALSE;
    ::SelectObject(memory.get(), previous);
    if (!printed || Uniform(memory.get(), static_cast<HBITMAP>(bitmap.get()), width, height)) {
      RECT r;
      ::GetWindowRect(window, &r);
      ::SelectObject(memory.get(), bitmap.get());
      ::BitBlt(memory.get(), 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
      ::SelectObject(memory.get(), previous);
    }
  }
  ::ReleaseDC(nullptr, screen);
  return bitmap;
}

bool EncodePng(HBITMAP bitmap, const std::string& path) {
  using com::ComPtr;
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory.put_void()))) {
    return false;
  }
  ComPtr<IWICBitmap> source;
  if (FAILED(factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, source.put())))
    return false;
  ComPtr<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.put()))) return false;
  const std::wstring widePath(path.begin(), path.end());
  if (FAILED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE))) return false;
  ComPtr<IWICBitmapEncoder> encoder;
  if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put()))) return false;
  if (FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache))) return false;
  ComPtr<IWICBitmapFrameEncode> frame;
  if (FAILED(encoder->CreateNewFrame(frame.put(), nullptr))) return false;
  if (FAILED(frame->Initialize(nullptr))) return false;
  UINT width = 0;
  UINT height = 0;
  source->GetSize(&width, &height);
  if (FAILED(frame->SetSize(width, height))) return false;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(frame->SetPixelFormat(&format))) return false;
  if (FAILED(frame->WriteSource(source.get(), nullptr))) return false;
  return SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace

bool SaveWindowPng(HWND window, const std::string& path) {
  RECT r;
  if (!::GetWindowRect(window, &r)) return false;
  const unique_hgdiobj bitmap = CopyOfWindow(window, r.right - r.left, r.bottom - r.top);
  if (!bitmap) return false;
  const HRESULT init = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const bool saved = EncodePng(static_cast<HBITMAP>(bitmap.get()), path);
  if (SUCCEEDED(init)) ::CoUninitialize();
  return saved;
}

}  // namespace talvo::test::ui
