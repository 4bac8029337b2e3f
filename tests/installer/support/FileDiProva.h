// File helpers for tests: whole-file reads and writes, and a temporary folder removed at the end.
#pragma once

#include <string>
#include <vector>

namespace talvo::test {

// The file's bytes; throws std::runtime_error when it cannot be read.
std::string LeggiFile(const std::string& percorso);
void ScriviFile(const std::string& percorso, const std::string& contenuto);
bool EsisteFile(const std::string& percorso);
// Removes a file or a folder with everything in it; a missing path is not an error.
void Elimina(const std::string& percorso);

// The lines of a CR LF text, without their ends.
std::vector<std::string> Righe(const std::string& testo);

// A fresh folder under the temporary folder, removed with all it holds when the owner dies.
class CartellaTemporanea {
 public:
  CartellaTemporanea();
  ~CartellaTemporanea();
  CartellaTemporanea(const CartellaTemporanea&) = delete;
  CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

  // The folder, with a trailing backslash.
  const std::string& Percorso() const { return percorso_; }
  std::string operator/(const std::string& nome) const { return percorso_ + nome; }

 private:
  std::string percorso_;
};

}  // namespace talvo::test
