// The Informix translator's error report: a message box for the user, unless nobody can see it,
// and always one line in error.log in the root folder of the current drive.
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "com/RunTimeError.h"

namespace talvo::translators::informix {

// Shows and logs one report. A log that cannot be written is a com::RunTimeError of the caller.
void GestioneErrore(std::u16string_view Funzione, std::u16string_view Descrizione, double NumeroErrore);

// The message box text: the heading, CR LF, " Errore N. ", the number, " - ", the description.
std::u16string ErrorMessageText(std::u16string_view Funzione, std::u16string_view Descrizione,
                                double NumeroErrore);

// The error.log line: number, heading, description, an empty field and the date and time.
std::u16string ErrorLogLine(std::u16string_view Funzione, std::u16string_view Descrizione,
                            double NumeroErrore, std::u16string_view dateTime);

// Whether a report is shown: not when TALVO_SILENT is "1", nor in session 0, where services run
// without an interactive desktop; then it is only logged.
bool ReportIsShown(std::u16string_view silentVariable, unsigned long sessionId) noexcept;

// A report that could not be made. It ends the whole split at whatever level it happened, since
// each calling level would only fail the same way again.
class ReportFailure : public std::exception {
 public:
  explicit ReportFailure(com::RunTimeError cause) : cause_(std::move(cause)) {}
  const com::RunTimeError& Cause() const noexcept { return cause_; }
  const char* what() const noexcept override { return "error report failed"; }

 private:
  com::RunTimeError cause_;
};

// GestioneErrore for the splitting procedures: a failure of the report becomes a ReportFailure.
void Report(std::u16string_view Funzione, std::u16string_view Descrizione, double NumeroErrore);

}  // namespace talvo::translators::informix
