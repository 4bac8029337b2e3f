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

const char* TestoStatoArea(StatoArea stato) {
  switch (stato) {
    case StatoArea::NonInstallata: return "NON INSTALLATA";
    case StatoArea::Installata: return "INSTALLATA";
    case StatoArea::NonPrevista: return "Agg.to non previsto";
    case StatoArea::InCorso: return "Aggiornamento in corso";
    case StatoArea::SenzaAggiornamenti: return "nessun aggiornamento incluso nella patch";
    case StatoArea::Aggiornata: return "AREA AGGIORNATA";
    case StatoArea::Ripristinata: return "AREA RIPRISTINATA";
  }
  return "";
}

bool AreaDaAggiornare(StatoArea stato) {
  return stato != StatoArea::NonPrevista && stato != StatoArea::NonInstallata;
}

StatoArea VerificaStatoArea(const Sessione& sessione, std::int16_t n) {
  if (TrovaPathAppInstallate(sessione, n).empty()) return StatoArea::NonInstallata;
  if (n == AreaOpenTalvo && sessione.InstallaOpenTalvo == "NO") return StatoArea::NonPrevista;
  return StatoArea::Installata;
}

std::string TrovaPathAppInstallate(const Sessione& sessione, std::int16_t n) {
  return TrovaPathAppInstallate(sessione, sessione.RadiceInstallazione, n);
}

std::string TrovaPathAppInstallate(const Sessione& sessione, const std::string& radice, std::int16_t n) {
  try {
    const std::string& suffisso = sessione.AreaN(n).SuffissoArea;
    std::string cartella;
    if (Minuscolo(suffisso) == "opentalvo") {
      cartella = sessione.CartellaOpenTalvo + "BIN\\";
    } else {
      const std::string cartellaArea = suffisso.size() > 3 ? suffisso.substr(suffisso.size() - 3) : suffisso;
      cartella = radice + "APP\\" + cartellaArea + "\\PRG\\BIN\\";
    }
    return EsisteFile(cartella + suffisso + ".exe") ? cartella : std::string();
  } catch (const ErroreRuntime& e) {
    ScriviLog(sessione, "TrovaPathAppInstallate", e.Descrizione(), e.Numero());
    return {};
  }
}

}  // namespace talvo
