// Area status for the selected root: where each area's program is looked for, the OpenTalvo row,
// and a patch with more areas than rows.
#include <gtest/gtest.h>
#include <windows.h>

#include "ConLogDiProva.h"
#include "InstallazioneDiProva.h"
#include "core/ErroreRuntime.h"
#include "core/Globale.h"
#include "core/ModelloSetupPBD.h"
#include "core/StatoSetupPBD.h"
#include "update/StatoAree.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;

class StatoAreeTest : public test::ConLogDiProva {
 protected:
  void SetUp() override {
    ConLogDiProva::SetUp();
    installazione.CreaTalvo('D');
    modello.CmbDischi.Voci = {installazione.Radice('D') + "TALVO\\"};
    modello.CmbDischi.Selezione = 0;
    stato.CartellaOpenTalvo = installazione.Radice('O') + "OpenTalvo\\";
  }
  void Aree(const std::vector<std::string>& suffissi) {
    stato.DimensionaTabellaAree(static_cast<std::int16_t>(suffissi.size()));
    stato.SuffissoArea = suffissi;
  }

  InstallazioneDiProva installazione;
  ModelloSetupPBD modello;
  StatoSetupPBD stato;
};

TEST_F(StatoAreeTest, ProgramsAreLookedForUnderTheRootOrInTheOpenTalvoFolder) {
  installazione.CreaProgrammaArea('D', "talalu");
  InstallazioneDiProva::CreaOpenTalvo(installazione.Radice('O'));
  Aree({"talalu", "talbib", "OPENTALVO"});
  InstallazioneDiProva::Scrivi(installazione.Radice('O') + "OpenTalvo\\BIN\\OPENTALVO.exe", "MZ");

  EXPECT_EQ(TrovaPathAppInstallate(modello, stato, 0),
            installazione.Radice('D') + "TALVO\\APP\\alu\\PRG\\BIN\\");
  EXPECT_EQ(TrovaPathAppInstallate(modello, stato, 1), "");
  EXPECT_EQ(TrovaPathAppInstallate(modello, stato, 2), installazione.Radice('O') + "OpenTalvo\\BIN\\");

  // The OpenTalvo area ignores the chosen root.
  modello.CmbDischi.Voci = {"C:\\TALVO\\"};
  EXPECT_EQ(TrovaPathAppInstallate(modello, stato, 2), installazione.Radice('O') + "OpenTalvo\\BIN\\");
  EXPECT_EQ(TrovaPathAppInstallate(modello, stato, 0), "");
}

TEST_F(StatoAreeTest, HiddenProgramCountsAsMissing) {
  installazione.CreaProgrammaArea('D', "talalu");
  ::SetFileAttributesA((installazione.Radice('D') + "TALVO\\APP\\alu\\PRG\\BIN\\talalu.exe").c_str(),
                       FILE_ATTRIBUTE_HIDDEN);
  Aree({"talalu"});
  EXPECT_EQ(TrovaPathAppInstallate(modello, stato, 0), "");
}

TEST_F(StatoAreeTest, RowEightSaysNotPlannedOnlyWhenOpenTalvoIsNotInstalled) {
  std::vector<std::string> suffissi(9, "talalu");
  installazione.CreaProgrammaArea('D', "talalu");
  Aree(suffissi);
  for (const char* installa : {"NO", "SI", "Errore"}) {
    stato.InstallaOpenTalvo = installa;
    VerificaStatoAree(modello, stato);
    EXPECT_EQ(modello.Righe[8].LblStato.Caption,
              std::string(installa) == "NO" ? "Agg.to non previsto" : "INSTALLATA")
        << installa;
    EXPECT_EQ(modello.Righe[7].LblStato.Caption, "INSTALLATA");
  }
  test::Elimina(installazione.Radice('D') + "TALVO\\APP\\alu\\PRG\\BIN\\talalu.exe");
  stato.InstallaOpenTalvo = "NO";
  VerificaStatoAree(modello, stato);
  EXPECT_EQ(modello.Righe[8].LblStato.Caption, "NON INSTALLATA");
  EXPECT_FALSE(modello.Righe[8].LblEsito.Visibile);
}

TEST_F(StatoAreeTest, TenthAreaEndsThePassAfterTheLastRow) {
  installazione.CreaProgrammaArea('D', "talalu");
  Aree(std::vector<std::string>(10, "talalu"));
  try {
    VerificaStatoAree(modello, stato);
    ADD_FAILURE() << "no error for the tenth area";
  } catch (const ErroreRuntime& e) {
    EXPECT_EQ(e.Numero(), NumeroErrore::IndiceFuoriIntervallo);
  }
  for (const RigaArea& riga : modello.Righe) EXPECT_EQ(riga.LblStato.Caption, "INSTALLATA");
}

TEST_F(StatoAreeTest, AnErrorInTheLookupIsLoggedAndReadsAsNotInstalled) {
  Aree({"talalu"});
  EXPECT_EQ(TrovaPathAppInstallate(modello, stato, 5), "");
  EXPECT_EQ(Log(), std::vector<std::string>{
                       "Funzione: TrovaPathAppInstallate codice errore: 9 Descrizione: Indice non compreso "
                       "nell'intervallo FALLITO"});
}

}  // namespace
}  // namespace talvo
