// The printer window. Every failure of choosing the printer or printing is shown in the error box
// with its description and number, and the window stays open so that the person may try again.
#include "FrmStampa.h"

#include <new>
#include <utility>

#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/MostraErrore.h"

namespace talvo {

FrmStampa::FrmStampa(Desktop& desktop, const CasellaDiTesto& testo) : desktop_(desktop), testo_(testo) {}

void FrmStampa::Form_Activate() {
  if (modello_.Scaricata) return;
  ListaDiscesa& lista = modello_.CmbStampante;
  lista.Voci.clear();
  lista.Selezione = -1;
  lista.Voci.emplace_back();
  try {
    for (std::string& nome : desktop_.Stampanti()) lista.Voci.push_back(std::move(nome));
  } catch (const ErroreRuntime& e) {
    MostraErrore(desktop_, IdMessaggio::ErroreStampa, e.Descrizione(), e.Numero());
  }
}

void FrmStampa::CmdStampa_Click() {
  if (modello_.Scaricata) return;
  const std::string scelta = modello_.CmbStampante.Testo();
  if (scelta.empty()) {
    MostraErrore(desktop_, IdMessaggio::StampanteNonScelta, "Selezionare una stampante", 0);
    return;
  }
  try {
    desktop_.ImpostaStampanteCorrente(scelta);
    LavoroDiStampa lavoro;
    lavoro.Orientamento = OrientamentoStampa;
    lavoro.DimensioneCarattere = DimensioneCarattereStampa;
    lavoro.NomeCarattere = NomeCarattereStampa;
    lavoro.Testo = testo_.Text;
    desktop_.Stampa(lavoro);
  } catch (const ErroreRuntime& e) {
    MostraErrore(desktop_, IdMessaggio::ErroreStampa, e.Descrizione(), e.Numero());
  } catch (const std::bad_alloc&) {
    MostraErrore(desktop_, IdMessaggio::ErroreStampa, DescrizioneErrore(NumeroErrore::MemoriaEsaurita),
                 NumeroErrore::MemoriaEsaurita);
  }
}

void FrmStampa::CmdEsci_Click() { modello_.Scaricata = true; }

}  // namespace talvo
