// The archive database cong.mdb kept in c:\pre1996 outside the installation, with its previous
// copy as cong.mdb.old.
#pragma once

#include <string>

namespace talvo {

struct Sessione;

// Where the patch's cong.mdb is put.
inline constexpr const char* CopiaArchivioPre1996 = "c:\\pre1996\\cong.mdb";

// Puts the patch's cong.mdb into c:\pre1996 (created when missing), keeping the copy that was
// there as cong.mdb.old. False, with a log line, when a step fails; what was done stays done.
bool GestionePre1996(const Sessione& sessione, const std::string& fileNuovo);

}  // namespace talvo
