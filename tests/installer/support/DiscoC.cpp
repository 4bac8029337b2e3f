// Removal of the fixed paths of drive C: around each test.
#include "DiscoC.h"

#include "FileDiProva.h"

namespace talvo::test {

const std::vector<std::string>& DiscoC::PercorsiFissi() {
  static const std::vector<std::string> percorsi = {
      "C:\\pers.ini", "C:\\versione.ini", "C:\\pre1996", "C:\\error.log",    "C:\\errUP3.log",
      "C:\\Tree.log", "C:\\talvocheck",   "C:\\Corvane", "C:\\cktlvhdr.dat", "C:\\SetupTalvo.journal"};
  return percorsi;
}

void DiscoC::SetUp() {
  for (const std::string& percorso : PercorsiFissi()) Elimina(percorso);
}

void DiscoC::TearDown() {
  for (const std::string& percorso : PercorsiFissi()) Elimina(percorso);
  for (const std::string& percorso : tracciati_) Elimina(percorso);
}

void DiscoC::Traccia(const std::string& percorso) {
  Elimina(percorso);
  tracciati_.push_back(percorso);
}

}  // namespace talvo::test
