// A patch with a line of every kind over a real installation, for the tests of the plan, the
// checks before a run and the dry run's report.
//
// How it works: TALVO lies in a folder standing for drive E:, with alunni and biblioteca
// installed; OpenTalvo is on the real C:. The fixed lists replace a file (ATT), skip a list whose
// component is missing (BAR), copy a new file (SQL), skip a missing folder (EXT) and rename a
// file out of the way (RIN). The areas copy over installed files and new ones, send a file whose
// folder is missing into the program folder, copy to an absolute folder (standing for D:), hand
// cong.mdb to the archive folder, skip a blank line, and have a fourth area whose row says
// installed although its program is gone, so that its line has nowhere to go.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "InstallazioneDiProva.h"
#include "update/Aggiornamento.h"

namespace talvo::test {

// The rows as the run reports them, and an action a test runs when the run lets events run.
class RigheDiProva final : public OsservatoreAggiornamento {
 public:
  std::vector<std::string> stati = std::vector<std::string>(4, "-");
  int eventi = 0;
  std::function<void(int)> agliEventi;  // receives the count of events so far

  void EventiInAttesa() override {
    ++eventi;
    if (agliEventi) agliEventi(eventi);
  }
  void Occupato(bool) override {}
  void StatoRiga(int area, StatoArea stato) override { stati.at(area) = TestoStatoArea(stato); }
  void EsitoRiga(int, bool) override {}
  void AggiornaDisabilitato() override {}
  void DischiDisabilitati() override {}
};

class PatchCompleta : public ConLogDiProva {
 protected:
  void SetUp() override;

  std::string Radice() const { return installazione.Radice('E') + "TALVO\\"; }
  std::string Bin(const std::string& area) const { return Radice() + "APP\\" + area + "\\PRG\\BIN\\"; }
  std::string Altrove() const { return installazione.Radice('D') + "ALTROVE\\"; }
  std::string Patch(const std::string& nome) const { return installazione.Patch(nome); }

  // Every file under the installation, the absolute folder, C:\OpenTalvo and c:\pre1996 (and
  // under the patch when asked), by lower-case path, with its bytes ("(trattenuto)" for a file
  // another program holds).
  std::map<std::string, std::string> Fotografia(bool conPatch = false) const;

  std::vector<StatoArea> Stati() const { return std::vector<StatoArea>(4, StatoArea::Installata); }
  EsitoAggiornamento Esegui() { return Aggiorna(sessione, desktop, righe, Radice(), Stati()); }

  InstallazioneDiProva installazione;
  FakeDesktop desktop;
  RigheDiProva righe;
};

}  // namespace talvo::test
