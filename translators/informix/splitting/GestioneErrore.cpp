// The error report of class Ifmx: message box, mouse pointer and the error.log line.
#include "GestioneErrore.h"

#include <windows.h>
// oleauto.h builds on the Windows types.
#include <oleauto.h>

#include "RootLog.h"
#include "SqlText.h"
#include "raii/unique_any.h"

namespace talvo::translators::informix {
namespace {

constexpr char16_t kErrorLog[] = u"error.log";
constexpr wchar_t kCaption[] = L"Vortan";

std::u16string FromWide(const wchar_t* text, std::size_t size) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), size);
}

// The current date and time in the general date format of the user's locale, as automation
// turns a date into text (a midnight time is left out).
std::u16string CurrentDateTimeText() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  DATE date = 0;
  ::SystemTimeToVariantTime(&now, &date);
  unique_bstr text;
  if (FAILED(::VarBstrFromDate(date, LOCALE_USER_DEFAULT, 0, text.put()))) return {};
  return FromWide(text.get(), ::SysStringLen(text.get()));
}

std::u16string SilentVariable() {
  wchar_t value[8] = {};
  const DWORD n = ::GetEnvironmentVariableW(L"TALVO_SILENT", value, 8);
  return n > 0 && n < 8 ? FromWide(value, n) : std::u16string();
}

unsigned long CurrentSessionId() noexcept {
  DWORD session = 0;
  // A process whose session cannot be told is treated as interactive.
  return ::ProcessIdToSessionId(::GetCurrentProcessId(), &session) ? session : 1;
}

}  // namespace

std::u16string ErrorMessageText(std::u16string_view Funzione, std::u16string_view Descrizione,
                                double NumeroErrore) {
  return std::u16string(Funzione) + u"\r\n" + u" Errore N. " + NumberText(NumeroErrore) + u" - " +
         std::u16string(Descrizione);
}

std::u16string ErrorLogLine(std::u16string_view Funzione, std::u16string_view Descrizione,
                            double NumeroErrore, std::u16string_view dateTime) {
  return NumberText(NumeroErrore) + u", " + std::u16string(Funzione) + u", " + std::u16string(Descrizione) +
         u",," + u" " + std::u16string(dateTime);
}

bool ReportIsShown(std::u16string_view silentVariable, unsigned long sessionId) noexcept {
  return silentVariable != u"1" && sessionId != 0;
}

void GestioneErrore(std::u16string_view Funzione, std::u16string_view Descrizione, double NumeroErrore) {
  const bool shown = ReportIsShown(SilentVariable(), CurrentSessionId());
  if (shown) {
    const std::u16string text = ErrorMessageText(Funzione, Descrizione, NumeroErrore);
    ::MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.c_str()), kCaption, MB_OK | MB_ICONSTOP);
  }
  AppendRootLogLine(kErrorLog, ErrorLogLine(Funzione, Descrizione, NumeroErrore, CurrentDateTimeText()));
  if (shown) ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

void Report(std::u16string_view Funzione, std::u16string_view Descrizione, double NumeroErrore) {
  try {
    GestioneErrore(Funzione, Descrizione, NumeroErrore);
  } catch (const com::RunTimeError& e) {
    throw ReportFailure(e);
  }
}

}  // namespace talvo::translators::informix
