// The dry run's report: every planned file, each area, the release and the faults, the same lines
// in the log, and not one byte changed elsewhere.
#include "update/ResocontoVerifica.h"

#include <gtest/gtest.h>

#include "FileBloccato.h"
#include "FileDiProva.h"
#include "PatchCompleta.h"

namespace talvo {
namespace {

class ResocontoVerificaTest : public test::PatchCompleta {};

// The descriptions of the log lines, without their level.
std::vector<std::string> Descrizioni(const std::vector<std::string>& log) {
  std::vector<std::string> testi;
  for (const std::string& riga : log) {
    std::string testo = riga.substr(riga.find(" Descrizione: ") + 14);
    for (const std::string livello : {" ESITO OK", " FALLITO"}) {
      if (testo.size() >= livello.size() &&
          testo.compare(testo.size() - livello.size(), livello.size(), livello) == 0)
        testo.resize(testo.size() - livello.size());
    }
    testi.push_back(testo);
  }
  return testi;
}

TEST_F(ResocontoVerificaTest, TheReportListsEveryFileAreaAndTheReleaseAndChangesNothing) {
  const std::map<std::string, std::string> prima = Fotografia(true);
  const ResocontoVerifica resoconto = VerificaAggiornamento(
      sessione, Radice(),
      {StatoArea::Installata, StatoArea::Installata, StatoArea::Installata, StatoArea::Installata});
  EXPECT_EQ(Fotografia(true), prima);
  EXPECT_TRUE(resoconto.Applicabile);
  const std::string alunni = Patch("ALUNNI\\");
  const std::string bin = Radice() + "APP\\ALU\\PRG\\BIN\\";
  EXPECT_EQ(
      resoconto.Righe,
      (std::vector<std::string>{
          "Installazione: " + Radice(),
          "File: " + Patch("ATT\\a_att.exe") + " -> " + Radice() +
              "app\\att\\PRG\\BIN\\a_att.exe (lista ATT, sostituzione)",
          "File: " + Patch("SQL\\nuovo.sql") + " -> " + Radice() + "SYS\\SQL\\nuovo.sql (lista SQL, copia)",
          "File: " + Radice() + "SYS\\vecchio.dmg -> " + Radice() +
              "SYS\\oldvecchio.old (lista RIN, rinomina)",
          "File: " + alunni + "anagrafe.exe -> " + bin + "anagrafe.exe (area alunni)",
          "File: " + alunni + "nuovo.dll -> " + bin + "nuovo.dll (area alunni)",
          "File: " + alunni + "guida.txt -> " + Bin("alu") + "guida.txt (area alunni)",
          "File: " + alunni + "assoluto.txt -> " + Altrove() + "assoluto.txt (area alunni)",
          "File: " + alunni + "cong.mdb -> c:\\pre1996\\cong.mdb (area alunni, archivio)",
          "File: " + Patch("BIBLIO\\prestiti.exe") + " -> " + Radice() +
              "APP\\BIB\\PRG\\BIN\\prestiti.exe (area biblioteca)",
          "File: " + Patch("OTV\\otv.exe") + " -> C:\\OpenTalvo\\BIN\\otv.exe (area opentalvo)",
          "File: " + Patch("ISCR\\iscritti.exe") + " -> nessuna destinazione, non copiato (area iscrizioni)",
          "Area ALUNNI: INSTALLATA, 5 file",
          "Area BIBLIOTECA: INSTALLATA, 1 file",
          "Area OPENTALVO: INSTALLATA, 1 file",
          "Area ISCRIZIONI: INSTALLATA, 1 file",
          "Release da registrare: 2013/2",
          "Esito: aggiornamento applicabile",
      }));
  const std::vector<std::string> log = Log();
  EXPECT_EQ(Descrizioni(log), resoconto.Righe);
  EXPECT_EQ(log.front().rfind("Funzione: Verifica aggiornamento Descrizione: ", 0), 0u) << log.front();
}

TEST_F(ResocontoVerificaTest, TheReportNamesTheFaultsAndTheStatusOfEveryArea) {
  test::Elimina(Patch("BIBLIO\\prestiti.exe"));
  sessione.NuovaVersione = "2099/1";
  const test::FileBloccato bloccato("C:\\OpenTalvo\\BIN\\otv.exe");
  const std::map<std::string, std::string> prima = Fotografia(true);
  const ResocontoVerifica resoconto = VerificaAggiornamento(
      sessione, Radice(), {StatoArea::NonInstallata, StatoArea::Installata, StatoArea::Installata});
  EXPECT_EQ(Fotografia(true), prima);
  EXPECT_FALSE(resoconto.Applicabile);
  const std::vector<std::string> coda(resoconto.Righe.end() - 8, resoconto.Righe.end());
  EXPECT_EQ(coda, (std::vector<std::string>{
                      "Area ALUNNI: NON INSTALLATA",
                      "Area BIBLIOTECA: INSTALLATA, 1 file",
                      "Area OPENTALVO: INSTALLATA, 1 file",
                      "Area ISCRIZIONI: NON INSTALLATA",
                      "Nessuna release da registrare: 2099/1",
                      "Problema: Manca nella patch il file " + Patch("BIBLIO\\prestiti.exe"),
                      "Problema: File in uso da un altro programma: C:\\OpenTalvo\\BIN\\otv.exe",
                      "Esito: aggiornamento non applicabile",
                  }));
  const std::vector<std::string> log = Log();
  EXPECT_EQ(log.at(log.size() - 3),
            "Funzione: Verifica aggiornamento codice errore: 53 Descrizione: Problema: "
            "Manca nella patch il file " +
                Patch("BIBLIO\\prestiti.exe") + " FALLITO");
  EXPECT_EQ(
      log.back(),
      "Funzione: Verifica aggiornamento codice errore: 1 Descrizione: Esito: aggiornamento non applicabile "
      "FALLITO");
}

TEST_F(ResocontoVerificaTest, AnEmptyAreaListIsReportedAsTheRowWouldShowIt) {
  test::InstallazioneDiProva::Scrivi(Patch("BIBLIO\\biblio.txt"), "  \r\n");
  const ResocontoVerifica resoconto = VerificaAggiornamento(sessione, Radice(), Stati());
  EXPECT_NE(std::find(resoconto.Righe.begin(), resoconto.Righe.end(),
                      "Area BIBLIOTECA: INSTALLATA, nessun aggiornamento incluso nella patch"),
            resoconto.Righe.end());
}

}  // namespace
}  // namespace talvo
