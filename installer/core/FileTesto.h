// Text files written one line at a time, each line ended by CR LF, and read by lines.
#pragma once

#include <string>
#include <vector>

namespace talvo {

enum class ModoScrittura {
  Accoda,      // append, creating the file when missing
  Sostituisci  // create the file or empty it first
};

// Opens the file, writes the line and CR LF, closes it again. Throws ErroreRuntime on failure.
void ScriviRiga(const std::string& percorso, const std::string& riga, ModoScrittura modo);

// The lines of a text file, without their ends: CR LF, a lone CR or a lone LF ends a line, and
// the last line needs no end. Throws ErroreRuntime when the file cannot be opened or read.
std::vector<std::string> LeggiRighe(const std::string& percorso);

// The first line of a text file, without its end. Throws ErroreRuntime when the file cannot be
// opened or read, and "input past end of file" (62) when it is empty.
std::string LeggiPrimaRiga(const std::string& percorso);

// The whole content of a file, as it stands. Throws ErroreRuntime when it cannot be opened or read.
std::string LeggiTesto(const std::string& percorso);

}  // namespace talvo
