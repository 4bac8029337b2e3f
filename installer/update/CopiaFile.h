// Copying the files of the areas' lists into the installation, each with a ".old" backup of the
// installed file recorded for the restore.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "DestinazioneArea.h"

namespace talvo {

class Giornale;
struct Sessione;

// The area step of one update run: the installation root it works under, and the record of what
// it wrote (the session's FileSovrascritti, indexed by destination), kept in the run's journal too
// when it has one.
class CopiaAree {
 public:
  // radice: the installation root, with its trailing backslash, fixed for the whole run.
  CopiaAree(Sessione& sessione, std::string radice, Giornale* giornale = nullptr);

  // Does one line of area n's list ("file|folder|..."). False, with a log line, when the line
  // failed and the run must restore; true when it is done, also when it needed no copy.
  bool CopiaFile(const std::string& riga, std::int16_t area);

 private:
  void Copia(const std::string& sorgente, const std::string& destinazione, std::int16_t area);

  Sessione& sessione_;
  std::string radice_;
  Giornale* giornale_;
  // Position in FileSovrascritti of each destination written in this run, by its lower-case path.
  std::unordered_map<std::string, std::size_t> scritti_;
  DestinazioniAree destinazioni_;
};

}  // namespace talvo
