// One Zip: callbacks record, ZpInit, an ANSI copy of the options for ZpSetOptions taken back into
// the object, ANSI copies of the names and the archive name for ZpArchive taken back likewise.
#include "ZipovaDLL.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "ZipLibrary.h"
#include "com/Bstr.h"

namespace talvo::zipova {
namespace {

constexpr std::size_t kLongestMessage = 4096;

// An ANSI copy of an automation string; nothing for a null string, which reaches the library as
// a null pointer.
std::optional<std::string> AnsiCopy(const unique_bstr& text) {
  if (!text) return std::nullopt;
  const UINT length = ::SysStringLen(text.get());
  std::string ansi;
  if (length > 0) {
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, text.get(), static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    ansi.resize(static_cast<std::size_t>(size));
    ::WideCharToMultiByte(CP_ACP, 0, text.get(), static_cast<int>(length), ansi.data(), size, nullptr,
                          nullptr);
  }
  return ansi;
}

char* Pointer(std::optional<std::string>& copy) { return copy ? copy->data() : nullptr; }

// The automation string of an ANSI text the library holds; a null pointer gives a null string.
unique_bstr FromAnsi(const char* text) {
  if (!text) return unique_bstr();
  const int length = static_cast<int>(std::strlen(text));
  const int size = ::MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), size);
  return com::MakeBstr(std::wstring_view(wide));
}

// The length of a message read as far as its length says, stopping at the first NUL and never
// past index 4096. The component shows no message: it is read and discarded.
std::size_t ReadMessage(const char* text, unsigned long length) noexcept {
  if (!text) return 0;
  const std::size_t limit = length < kLongestMessage ? length : kLongestMessage;
  std::size_t read = 0;
  while (read <= limit && text[read] != '\0') ++read;
  return read;
}

int WINAPI PrintCallback(char* text, unsigned long length) noexcept {
  static_cast<void>(ReadMessage(text, length));
  // A host window stays responsive during a long run.
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The quit request belongs to the caller's own message loop.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

short WINAPI CommentCallback(char*) noexcept { return 1; }

short WINAPI PasswordCallback(char*, int, const char*, const char*) noexcept { return 1; }

int WINAPI ServiceCallback(const char* text, unsigned long number) noexcept {
  static_cast<void>(ReadMessage(text, number));
  return 0;
}

}  // namespace

long RunZipLibrary(ZipovaState& state) noexcept {
  long result = kZipLibraryMissing;
  try {
    const ZipLibraryEntryPoints library = ZipLibrary();
    if (!library.Complete()) return kZipLibraryMissing;

    ZipCallbacksRecord callbacks{PrintCallback, CommentCallback, PasswordCallback, ServiceCallback};
    library.ZpInit(&callbacks);

    std::optional<std::string> date = AnsiCopy(state.IncludeExcludeDate);
    std::optional<std::string> root = AnsiCopy(state.RootDir);
    std::optional<std::string> temp = AnsiCopy(state.TempDir);
    ZipOptionsRecord options = state.options;
    options.IncludeExcludeDate = Pointer(date);
    options.RootDir = Pointer(root);
    options.TempDir = Pointer(temp);
    library.ZpSetOptions(&options);
    // Whatever the library wrote into the record becomes the object's state.
    state.IncludeExcludeDate = FromAnsi(options.IncludeExcludeDate);
    state.RootDir = FromAnsi(options.RootDir);
    state.TempDir = FromAnsi(options.TempDir);
    state.options = options;
    state.options.IncludeExcludeDate = nullptr;
    state.options.RootDir = nullptr;
    state.options.TempDir = nullptr;

    std::array<std::optional<std::string>, kZipNameSlots> copies;
    ZipNamesRecord names{};
    for (std::size_t i = 0; i < kZipNameSlots; ++i) {
      copies[i] = AnsiCopy(state.files[i]);
      names.Names[i] = i < static_cast<std::size_t>(state.fileCount) ? Pointer(copies[i]) : nullptr;
    }
    std::optional<std::string> archive = AnsiCopy(state.ZipFileName);
    if (!archive) archive.emplace();
    result = library.ZpArchive(state.fileCount, archive->data(), &names);
    for (std::size_t i = 0; i < static_cast<std::size_t>(state.fileCount); ++i) {
      state.files[i] = FromAnsi(names.Names[i]);
    }
    state.ZipFileName = FromAnsi(archive->c_str());
  } catch (...) {
    // A conversion that ran out of memory: the result of the last call made stands, and no
    // error reaches the caller.
  }
  return result;
}

}  // namespace talvo::zipova
