// Area status: the program of each area is looked for where TALVO installs it,
// <root>APP\<last three letters of the program name>\PRG\BIN\<program>.exe.
#include "StatoAree.h"

#include "core/ErroreRuntime.h"
#include "core/OperazioniFile.h"
#include "core/Log.h"
#include "core/ModelloSetupPBD.h"
#include "core/StatoSetupPBD.h"
#include "core/Testo.h"

namespace talvo {

namespace {
constexpr int RigaOpenTalvo = 8;
}

void VerificaStatoAree(ModelloSetupPBD& modello, const StatoSetupPBD& stato) {
  for (std::int16_t i = 0; i < stato.NumeroAree; ++i) {
    RigaArea& riga = modello.Riga(i);
    riga.Shape1.Visibile = false;
    riga.lblOk.Visibile = false;
    if (TrovaPathAppInstallate(modello, stato, i).empty()) {
      riga.LblStato.Caption = "NON INSTALLATA";
      riga.LblEsito.Visibile = false;
    } else {
      riga.LblStato.Caption = "INSTALLATA";
      if (i == RigaOpenTalvo && stato.InstallaOpenTalvo == "NO")
        riga.LblStato.Caption = "Agg.to non previsto";
    }
  }
}

std::string TrovaPathAppInstallate(const ModelloSetupPBD& modello, const StatoSetupPBD& stato,
                                   std::int16_t n) {
  try {
    if (n < 0 || static_cast<std::size_t>(n) >= stato.SuffissoArea.size()) {
      throw ErroreRuntime(NumeroErrore::IndiceFuoriIntervallo);
    }
    const std::string& suffisso = stato.SuffissoArea[static_cast<std::size_t>(n)];
    std::string cartella;
    if (Minuscolo(suffisso) == "opentalvo") {
      cartella = stato.CartellaOpenTalvo + "BIN\\";
    } else {
      const std::string cartellaArea = suffisso.size() > 3 ? suffisso.substr(suffisso.size() - 3) : suffisso;
      cartella = modello.CmbDischi.Testo() + "APP\\" + cartellaArea + "\\PRG\\BIN\\";
    }
    return EsisteFile(cartella + suffisso + ".exe") ? cartella : std::string();
  } catch (const ErroreRuntime& e) {
    ScriviLog("TrovaPathAppInstallate", e.Descrizione(), e.Numero());
    return {};
  }
}

}  // namespace talvo
