// The installer's error message box.
#pragma once

#include <cstdint>
#include <string>

#include "Desktop.h"

namespace talvo {

// Critical-stop box with OK, titled with the program's title: the heading, then the description
// and the code, each only when given (not empty, not 0).
void MostraErrore(Desktop& desktop, IdMessaggio id, const std::string& descrizione, std::int32_t codice);

}  // namespace talvo
