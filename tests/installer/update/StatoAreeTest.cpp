// Area status for the selected root: where each area's program is looked for and the OpenTalvo
// area.
#include <gtest/gtest.h>
#include <windows.h>

#include "ConLogDiProva.h"
#include "InstallazioneDiProva.h"
#include "core/ErroreRuntime.h"
#include "core/Sessione.h"
#include "update/StatoAree.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;

class StatoAreeTest : public test::ConLogDiProva {
 protected:
  void SetUp() override {
    ConLogDiProva::SetUp();
    installazione.CreaTalvo('D');
    sessione.RadiceInstallazione = installazione.Radice('D') + "TALVO\\";
    sessione.CartellaOpenTalvo = installazione.Radice('O') + "OpenTalvo\\";
  }
  void Aree(const std::vector<std::string>& suffissi) {
    sessione.DimensionaTabellaAree(static_cast<std::int16_t>(suffissi.size()));
    for (std::size_t i = 0; i < suffissi.size(); ++i) sessione.Aree[i].SuffissoArea = suffissi[i];
  }

  InstallazioneDiProva installazione;
};

TEST_F(StatoAreeTest, ProgramsAreLookedForUnderTheRootOrInTheOpenTalvoFolder) {
  installazione.CreaProgrammaArea('D', "talalu");
  InstallazioneDiProva::CreaOpenTalvo(installazione.Radice('O'));
  Aree({"talalu", "talbib", "OPENTALVO"});
  InstallazioneDiProva::Scrivi(installazione.Radice('O') + "OpenTalvo\\BIN\\OPENTALVO.exe", "MZ");

  EXPECT_EQ(TrovaPathAppInstallate(sessione, 0), installazione.Radice('D') + "TALVO\\APP\\alu\\PRG\\BIN\\");
  EXPECT_EQ(TrovaPathAppInstallate(sessione, 1), "");
  EXPECT_EQ(TrovaPathAppInstallate(sessione, 2), installazione.Radice('O') + "OpenTalvo\\BIN\\");

  // The OpenTalvo area ignores the chosen root.
  sessione.RadiceInstallazione = "C:\\TALVO\\";
  EXPECT_EQ(TrovaPathAppInstallate(sessione, 2), installazione.Radice('O') + "OpenTalvo\\BIN\\");
  EXPECT_EQ(TrovaPathAppInstallate(sessione, 0), "");
}

TEST_F(StatoAreeTest, HiddenProgramCountsAsMissing) {
  installazione.CreaProgrammaArea('D', "talalu");
  ::SetFileAttributesA((installazione.Radice('D') + "TALVO\\APP\\alu\\PRG\\BIN\\talalu.exe").c_str(),
                       FILE_ATTRIBUTE_HIDDEN);
  Aree({"talalu"});
  EXPECT_EQ(TrovaPathAppInstallate(sessione, 0), "");
}

TEST_F(StatoAreeTest, AreaEightIsNotPlannedOnlyWhenOpenTalvoIsNotInstalled) {
  std::vector<std::string> suffissi(10, "talalu");
  installazione.CreaProgrammaArea('D', "talalu");
  Aree(suffissi);
  for (const char* installa : {"NO", "SI", "Errore"}) {
    sessione.InstallaOpenTalvo = installa;
    EXPECT_EQ(VerificaStatoArea(sessione, 8),
              std::string(installa) == "NO" ? StatoArea::NonPrevista : StatoArea::Installata)
        << installa;
    EXPECT_EQ(VerificaStatoArea(sessione, 7), StatoArea::Installata);
    EXPECT_EQ(VerificaStatoArea(sessione, 9), StatoArea::Installata);
  }
  test::Elimina(installazione.Radice('D') + "TALVO\\APP\\alu\\PRG\\BIN\\talalu.exe");
  sessione.InstallaOpenTalvo = "NO";
  EXPECT_EQ(VerificaStatoArea(sessione, 8), StatoArea::NonInstallata);
}

TEST_F(StatoAreeTest, AnErrorInTheLookupIsLoggedAndReadsAsNotInstalled) {
  Aree({"talalu"});
  EXPECT_EQ(TrovaPathAppInstallate(sessione, 5), "");
  EXPECT_EQ(Log(), std::vector<std::string>{
                       "Funzione: TrovaPathAppInstallate codice errore: 9 Descrizione: Indice non compreso "
                       "nell'intervallo FALLITO"});
}

}  // namespace
}  // namespace talvo
