// The installation the crash tests update, laid out in a folder that the test and the program it
// kills both know: a patch with two areas and an installation where some files exist and some do
// not.
//
// How it works: <folder>\patch\ holds the seven empty fixed lists and the two areas' folders;
// <folder>\E\TALVO\ is the installation, with the two area programs. The lists name, in order:
//   alunni:     a.dll (installed, with a backup of an earlier update), b.dll (new), a.dll again
//   biblioteca: c.exe (installed), DATI\d.dat (new), e.ini (installed)
// so the run records five entries, of which 1, 3 and 5 rename an installed file.
#pragma once

#include <string>
#include <vector>

#include "core/Sessione.h"
#include "update/StatoAree.h"

namespace talvo::test {

// Lays out the patch and the installation in the folder (with its trailing backslash).
void CreaAggiornamentoDiProva(const std::string& cartella);
// The session of an update of that installation, logging to C:\TalvoProva.log.
void PreparaSessione(Sessione& sessione, const std::string& cartella);
// The installation root, with its trailing backslash.
std::string RadiceDiProva(const std::string& cartella);
// The rows' status when the run starts: both areas installed.
std::vector<StatoArea> StatiDiProva();
// The file the patch holds for a name of an area list ("a.dll", "d.dat"...).
std::string ContenutoPatch(const std::string& cartella, const std::string& nome);

}  // namespace talvo::test
