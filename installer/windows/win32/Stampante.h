// The printers through the Win32 API: their names, the default one, and printing a job as one
// document.
#pragma once

#include <string>
#include <vector>

#include "core/Desktop.h"

namespace talvo::finestre {

// The installed printers, local and connected, in the order the spooler lists them. Throws
// ErroreRuntime (the printer error) when the spooler cannot list them.
std::vector<std::string> ElencoStampanti();

// The default printer; empty when there is none.
std::string StampantePredefinita();

// Prints the job on the named printer as one document called `documento`, a quarter of an inch
// inside the printable area: the text's lines in the job's font, a line wider than the page
// going on in the next row, rows that do not fit going on on the next page. Throws ErroreRuntime
// (the printer error) when the printer cannot be opened or the document fails; a document that
// failed after it was started is aborted, so no part of it is printed.
void StampaDocumento(const std::string& stampante, const std::string& documento,
                     const LavoroDiStampa& lavoro);

}  // namespace talvo::finestre
