// The log viewer. The log is read whole each time: it is written one line at a time by opening and
// closing it, so it can be read between lines. When it cannot be found the viewer falls back to
// "Errore.log" in the current folder, and when that is missing too the box stays empty; a file
// that is there but cannot be read, or a clipboard that cannot be taken, is reported through the
// error box and the window stays open, since the person may still copy or print what is shown.
#include "FrmMostraLog.h"

#include <new>

#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/OperazioniFile.h"
#include "core/FileTesto.h"
#include "core/MostraErrore.h"
#include "core/Sessione.h"

namespace talvo {

namespace {

constexpr const char* FileRiserva = "Errore.log";

// The window is this much narrower and shorter than the screen, the text box this much narrower and
// shorter than the window.
constexpr int MargineLarghezzaFinestra = 200;
constexpr int MargineAltezzaFinestra = 1000;
constexpr int MargineLarghezzaTesto = 70;
constexpr int MargineAltezzaTesto = 1000;

int NonNegativo(int valore) { return valore < 0 ? 0 : valore; }

}  // namespace

std::string TestoRighe(const std::string& contenuto) {
  std::string testo;
  testo.reserve(contenuto.size() + contenuto.size() / 16 + 2);
  std::size_t inizio = 0;
  while (inizio < contenuto.size()) {
    const std::size_t fine = contenuto.find_first_of("\r\n", inizio);
    if (fine == std::string::npos) {
      testo.append(contenuto, inizio, std::string::npos);
      testo += "\r\n";
      break;
    }
    testo.append(contenuto, inizio, fine - inizio);
    testo += "\r\n";
    inizio = fine + (contenuto.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
  }
  return testo;
}

FrmMostraLog::FrmMostraLog(const Sessione& sessione, Desktop& desktop)
    : sessione_(sessione), desktop_(desktop) {}

void FrmMostraLog::Form_Load(int larghezzaSchermo, int altezzaSchermo) {
  modello_.Finestra = {0, 0, NonNegativo(larghezzaSchermo - MargineLarghezzaFinestra),
                       NonNegativo(altezzaSchermo - MargineAltezzaFinestra)};
  modello_.PosizioneTxtFile = {0, 0, NonNegativo(modello_.Finestra.Width - MargineLarghezzaTesto),
                               NonNegativo(modello_.Finestra.Height - MargineAltezzaTesto)};
}

void FrmMostraLog::Form_Activate() {
  if (modello_.Scaricata) return;
  CaricaLog();
}

void FrmMostraLog::CaricaLog() {
  modello_.TxtFile.Text.clear();
  const std::string log = sessione_.PercorsoLog();
  const std::string percorso = EsisteFile(log) ? log : FileRiserva;
  // Neither file: nothing to show, and nothing went wrong.
  if (percorso == FileRiserva && !EsisteFile(FileRiserva)) return;
  try {
    modello_.TxtFile.Text = TestoRighe(LeggiTesto(percorso));
  } catch (const ErroreRuntime& e) {
    MostraErrore(desktop_, IdMessaggio::ErroreMostraLog, e.Descrizione(), e.Numero());
  } catch (const std::bad_alloc&) {
    modello_.TxtFile.Text.clear();
    MostraErrore(desktop_, IdMessaggio::ErroreMostraLog, DescrizioneErrore(NumeroErrore::MemoriaEsaurita),
                 NumeroErrore::MemoriaEsaurita);
  }
}

void FrmMostraLog::mnup3_Click() {
  if (modello_.Scaricata) return;
  try {
    desktop_.CopiaNegliAppunti(modello_.TxtFile.Text);
  } catch (const ErroreRuntime& e) {
    MostraErrore(desktop_, IdMessaggio::ErroreMostraLog, e.Descrizione(), e.Numero());
  }
}

void FrmMostraLog::mnup2_Click() {
  if (modello_.Scaricata) return;
  desktop_.MostraModale(FinestraModale::Stampa);
}

void FrmMostraLog::mnup4_Click() { modello_.Scaricata = true; }

}  // namespace talvo
