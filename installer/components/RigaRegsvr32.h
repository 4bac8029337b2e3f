// The command line that registers a copied library with the system.
#pragma once

#include <string>

namespace talvo {

// WDir followed by "regsvr32 ", the library's path and " /s". The program's path and the
// library's path are each put in double quotes when they hold a blank, so that the system cannot
// take a shorter prefix of the path for the program to start.
std::string RigaRegsvr32(const std::string& wDir, const std::string& libreria);

}  // namespace talvo
