// Building test installations and reading the installer log back.
#include "InstallazioneDiProva.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

namespace talvo::test {

const char* const SetupPBDStandard =
    "[FILELOG]\r\nnomefile=TalvoProva.log\r\n"
    "[NUOVAVERSIONE]\r\nVersione=2013/2\r\n"
    "[ETICHETTA]\r\nVersione=Aggiornamento 2013/2\r\n"
    "[TestApplicazione]\r\nVersione=2013/1\r\n"
    "[NUMEROAREE]\r\nquanti=3\r\n"
    "[AREE]\r\n0=Alunni\r\n1=Biblioteca\r\n2=OpenTalvo\r\n"
    "[alunni]\r\nDIRECTORYSCRIPT=ALUNNI\r\nLISTASCRIPT=alunni.txt\r\nSUFFISSO=talalu\r\n"
    "[biblioteca]\r\nDIRECTORYSCRIPT=BIBLIO\r\nLISTASCRIPT=biblio.txt\r\nSUFFISSO=talbib\r\n"
    "[opentalvo]\r\nDIRECTORYSCRIPT=OTV\r\nLISTASCRIPT=otv.txt\r\nSUFFISSO=OpenTalvo\r\n"
    "[INSTALLA]\r\nOpenTalvo=SI\r\n";

InstallazioneDiProva::InstallazioneDiProva() { CreaCartella(CartellaPatch()); }

void InstallazioneDiProva::CreaCartella(const std::string& percorso) {
  for (std::size_t i = 3; i <= percorso.size(); ++i) {
    if (i == percorso.size() || percorso[i] == '\\')
      ::CreateDirectoryA(percorso.substr(0, i).c_str(), nullptr);
  }
}

void InstallazioneDiProva::Scrivi(const std::string& percorso, const std::string& testo) {
  CreaCartella(percorso.substr(0, percorso.rfind('\\')));
  ScriviFile(percorso, testo);
}

void InstallazioneDiProva::CreaPatch(const std::string& setupPBD) {
  Scrivi(Patch("SetupPBD.ini"), setupPBD);
  Scrivi(Patch("ALUNNI\\alunni.txt"), "anagrafe.exe|APP\\ALU\\PRG\\BIN\r\n");
  Scrivi(Patch("BIBLIO\\biblio.txt"), "prestiti.exe|APP\\BIB\\PRG\\BIN\r\n");
  Scrivi(Patch("OTV\\otv.txt"), "otv.exe|BIN\r\n");
  Scrivi(Patch("OTV.ini"), "[Configurazione]\r\nTestVersione=2.3.9\r\nTestVersMax=2.4.0\r\n");
}

void InstallazioneDiProva::CreaListeFisse() {
  for (const std::string codice : {"ATT", "BAR", "CNV", "SEC", "SQL", "EXT", "RIN"}) {
    Scrivi(Patch(codice + "\\Lista" + codice + ".txt"), "");
  }
}

void InstallazioneDiProva::CreaTalvo(char lettera, const std::string& appVer) {
  const std::string talvo = Radice(lettera) + "TALVO\\";
  CreaCartella(talvo + "APP");
  if (!appVer.empty()) Scrivi(talvo + "SYS\\System.ini", "[Application]\r\nAppVer=" + appVer + "\r\n");
}

void InstallazioneDiProva::CreaProgrammaArea(char lettera, const std::string& suffisso) {
  Scrivi(Radice(lettera) + "TALVO\\APP\\" + suffisso.substr(suffisso.size() - 3) + "\\PRG\\BIN\\" + suffisso +
             ".exe",
         "MZ");
}

void InstallazioneDiProva::CreaOpenTalvo(const std::string& radice, const std::string& release) {
  const std::string bin = radice + "OpenTalvo\\BIN\\";
  Scrivi(bin + "OpenTalvo.exe", "MZ");
  if (!release.empty()) Scrivi(bin + "ver.ini", release + "\r\n");
}

std::vector<std::pair<std::string, TipoDisco>> InstallazioneDiProva::Dischi(
    const std::vector<std::pair<char, TipoDisco>>& dischi) const {
  std::vector<std::pair<std::string, TipoDisco>> risultato;
  for (const auto& [lettera, tipo] : dischi) risultato.emplace_back(Radice(lettera), tipo);
  return risultato;
}

std::vector<std::string> RigheLog(const std::string& percorso) {
  std::vector<std::string> righe;
  for (const std::string& riga : Righe(LeggiFile(percorso))) {
    std::size_t corpo = riga.find(" Funzione: ");
    std::string prefisso;
    if (riga.rfind("Inizio : ", 0) == 0) {
      // "Inizio : <name> <date and time>": the name has no blank in these tests.
      corpo = riga.find(' ', 9);
      prefisso = corpo == std::string::npos ? std::string() : riga.substr(corpo + 1);
      righe.push_back(riga.substr(0, corpo));
    } else if (corpo != std::string::npos) {
      prefisso = riga.substr(0, corpo);
      righe.push_back(riga.substr(corpo + 1));
    } else {
      righe.push_back(riga);
    }
    EXPECT_TRUE(!prefisso.empty() && prefisso.find_first_not_of("0123456789/.-: APMapm") == std::string::npos)
        << "no date and time before: " << riga;
  }
  return righe;
}

}  // namespace talvo::test
