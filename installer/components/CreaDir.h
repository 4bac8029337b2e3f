// Creating a folder path level by level.
#pragma once

#include <string>

namespace talvo {

// Normalises the path in place (blanks trimmed, one trailing backslash) and creates each missing
// level below the root, from the top down. Returns the number of folders created; a level that
// cannot be created is skipped and not counted.
int CreaDir(std::string& sPathDest);

}  // namespace talvo
