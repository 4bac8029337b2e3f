// The release editor. It writes only a value that has the form of a TALVO release into a
// System.ini that exists: a missing key ("Errore") or a stray word never becomes the installed
// release, and no System.ini is created where the installation has none.
#include "FrmModRel.h"

#include "core/Desktop.h"
#include "core/OperazioniFile.h"
#include "core/Sessione.h"
#include "core/Ini.h"
#include "core/Testo.h"

namespace talvo {

namespace {

bool Cifre(const std::string& testo) {
  return !testo.empty() && testo.find_first_not_of("0123456789") == std::string::npos;
}

// A year, a slash and a number, optionally followed by a vertical bar and more text.
bool FormaDiRelease(const std::string& testo) {
  const std::string release = PrimaDellaBarra(testo);
  const std::size_t barra = release.find('/');
  return barra != std::string::npos && Cifre(release.substr(0, barra)) && Cifre(release.substr(barra + 1));
}

}  // namespace

FrmModRel::FrmModRel(const Sessione& sessione, Desktop& desktop, std::string cartellaProgramma)
    : sessione_(sessione), desktop_(desktop), cartellaProgramma_(std::move(cartellaProgramma)) {}

void FrmModRel::Form_Load() {
  modello_.txtVecchiarel.Text =
      LeggiIni(ConBarraFinale(cartellaProgramma_) + "setuppbd.ini", "testapplicazione", "versione");
  modello_.txtVecchiarel.Abilitato = false;
  if (!FormaDiRelease(modello_.txtVecchiarel.Text) || !EsisteFile(sessione_.FileSysIni)) {
    modello_.CmdAgg.Abilitato = false;
  }
}

void FrmModRel::CmdAgg_Click() {
  if (!modello_.CmdAgg.Abilitato || modello_.Scaricata) return;
  ScriviIni(sessione_.FileSysIni, "Application", "AppVer", modello_.txtVecchiarel.Text);
  desktop_.Messaggio(IdMessaggio::RiavviaSetup,
                     "Per rendere effettive le modifche occorre rilanciare il programma di setup",
                     TitoloProgramma, IconaMessaggio::Informazione, PulsantiMessaggio::Ok);
  modello_.Scaricata = true;
}

}  // namespace talvo
