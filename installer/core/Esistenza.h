// Existence tests as the installer makes them with a directory search.
#pragma once

#include <string>

namespace talvo {

// An ordinary file of that name exists: folders, hidden and system files count as absent.
bool EsisteFile(const std::string& percorso);

// A folder of that name exists, or a file: a search that includes folders finds something.
// A trailing backslash is allowed (C:\TALVO\ names the folder C:\TALVO).
bool EsisteCartella(const std::string& percorso);

}  // namespace talvo
