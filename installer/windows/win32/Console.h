// Standard output and standard error of a program built for windows: the handles it was given
// (redirected to a file or a pipe), or else the console of the program that started it.
#pragma once

#include <string>

namespace talvo::finestre {

// The handles are looked for on the first write only: a program that never writes is never tied
// to the caller's console (closing that console would end it).
class Console {
 public:
  Console() = default;
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Writes the bytes as they are (the installer's texts are in the ANSI code page).
  void Uscita(const std::string& testo);
  void Errore(const std::string& testo);

 private:
  void Prepara();

  bool pronta_ = false;
  void* uscita_ = nullptr;
  void* errore_ = nullptr;
};

}  // namespace talvo::finestre
