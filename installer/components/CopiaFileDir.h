// Copying the files of a patch folder, optionally filtered, registered and recursive.
#pragma once

#include <string>

namespace talvo {

class Desktop;
class Machine;
struct Sessione;

// Copies the normal files directly inside sPathSorg that TipiFile takes (FileDelFiltro) into
// sPathDest, creating it, and returns how many were copied, those of subfolders included.
//
// - AltraAzione "regsvr32": each copied file is registered by starting WDir's regsvr32 hidden,
//   without waiting for it (RigaRegsvr32).
// - Ricorsivo "R": each subfolder is copied the same way into a subfolder of the same name.
//
// A missing source folder copies nothing and logs nothing. Each file taken gets a log line before
// its copy; a file whose copy fails is neither counted nor registered and gets a line with code
// 9510, even when an older file of that name stands at the destination; a registration that
// cannot start gets a line with code 9500. Nothing that fails stops the other files. Pending
// window events run after each file and each subfolder, so the windows stay painted.
int CopiaFileDir(const Sessione& sessione, Desktop& desktop, Machine& machine, const std::string& sPathSorg,
                 const std::string& sPathDest, const std::string& TipiFile, const std::string& AltraAzione,
                 const std::string& WDir, const std::string& Ricorsivo);

}  // namespace talvo
