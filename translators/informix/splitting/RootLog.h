// Appending a line to a log file in the root folder of the current drive, as the Informix
// translator keeps error.log and errUP3.log: the text in the ANSI code page, the line ended by
// CR LF, the file created when missing and never truncated.
#pragma once

#include <string_view>

namespace talvo::translators::informix {

// Throws com::RunTimeError (53, 70, 76, 61, 75...) when the file cannot be opened or written.
void AppendRootLogLine(std::u16string_view fileName, std::u16string_view line);

}  // namespace talvo::translators::informix
