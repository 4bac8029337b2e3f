// The installer's file operations: existence tests as a directory search makes them, and copy,
// rename, delete and folder creation raising the run-time error that the Win32 failure stands for.
//
// Each operation that changes the disk comes twice: the plain one throws ErroreRuntime, for
// procedures that handle run-time errors at their own boundary; the _nothrow twin returns the
// run-time error number (0 on success), for callers that need the code without unwinding.
#pragma once

#include <string>
#include <unordered_map>

namespace talvo {

// An ordinary file of that name exists: folders, hidden and system files count as absent.
bool EsisteFile(const std::string& percorso);

// A file of that name stands there, hidden and system files included (folders do not count).
bool FilePresente(const std::string& percorso);

// A folder of that name exists, or a file: a search that includes folders finds something.
// A trailing backslash is allowed (C:\TALVO\ names the folder C:\TALVO).
bool EsisteCartella(const std::string& percorso);

// EsisteCartella remembered per folder, whatever its letter case, for work that asks about the same
// folders many times and removes none (an update run, the checks before it).
class CartelleEsistenti {
 public:
  bool Esiste(const std::string& cartella);

 private:
  std::unordered_map<std::string, bool> note_;
};

// Copies the file over the destination, replacing a file that is there (53: no source; 76: no
// such folder; 70: a file locked by another program, read-only or hidden at the destination).
void CopiaSovrascrivendo(const std::string& sorgente, const std::string& destinazione);
int CopiaSovrascrivendo_nothrow(const std::string& sorgente, const std::string& destinazione) noexcept;
// Copies the file to a destination where no file stands (the installed one was just renamed
// away): a file found there after all is never replaced (58). Spares the look at the
// destination's attributes, which on Wine costs a read of the whole folder for a missing name.
void CopiaSuPostoLibero(const std::string& sorgente, const std::string& destinazione);

// Gives a file or folder a new name, possibly in another folder; an existing target is never
// replaced (58).
void Rinomina(const std::string& vecchio, const std::string& nuovo);
int Rinomina_nothrow(const std::string& vecchio, const std::string& nuovo) noexcept;

// Deletes one file, named exactly (no wildcards).
void EliminaFile(const std::string& percorso);
int EliminaFile_nothrow(const std::string& percorso) noexcept;

// Creates one folder; its parent must exist (76 otherwise) and the folder must not (58).
void CreaCartella(const std::string& percorso);
int CreaCartella_nothrow(const std::string& percorso) noexcept;

}  // namespace talvo
