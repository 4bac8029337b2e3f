// The kind of database behind the ODBC data source TALVO, shown in the main window's caption.
#pragma once

#include <string>

namespace talvo {

struct Sessione;

// Appends to the caption the text of each kind the data source's driver description matches
// (Sybase 7, Sybase 8, Informix, in that order); logs a warning when none matches.
void RilevaTipoDatabase(const Sessione& sessione, std::string& caption);

}  // namespace talvo
