// Area status: the program of each area is looked for where TALVO installs it,
// <root>APP\<last three letters of the program name>\PRG\BIN\<program>.exe.
#include "StatoAree.h"

#include "core/ErroreRuntime.h"
#include "core/OperazioniFile.h"
#include "core/Log.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

namespace {
// The OpenTalvo area has the window's last row; only there does "not planned" apply.
constexpr int AreaOpenTalvo = 8;
}  // namespace

StatoArea VerificaStatoArea(const Sessione& sessione, std::int16_t n) {
  if (TrovaPathAppInstallate(sessione, n).empty()) return StatoArea::NonInstallata;
  if (n == AreaOpenTalvo && sessione.InstallaOpenTalvo == "NO") return StatoArea::NonPrevista;
  return StatoArea::Installata;
}

std::string TrovaPathAppInstallate(const Sessione& sessione, std::int16_t n) {
  try {
    const std::string& suffisso = sessione.AreaN(n).SuffissoArea;
    std::string cartella;
    if (Minuscolo(suffisso) == "opentalvo") {
      cartella = sessione.CartellaOpenTalvo + "BIN\\";
    } else {
      const std::string cartellaArea = suffisso.size() > 3 ? suffisso.substr(suffisso.size() - 3) : suffisso;
      cartella = sessione.RadiceInstallazione + "APP\\" + cartellaArea + "\\PRG\\BIN\\";
    }
    return EsisteFile(cartella + suffisso + ".exe") ? cartella : std::string();
  } catch (const ErroreRuntime& e) {
    ScriviLog(sessione, "TrovaPathAppInstallate", e.Descrizione(), e.Numero());
    return {};
  }
}

}  // namespace talvo
