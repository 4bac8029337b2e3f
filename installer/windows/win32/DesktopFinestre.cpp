// Forwards every call to the Win32 desktop, refreshing the views first where the person will see
// the screen.
#include "DesktopFinestre.h"

#include <utility>

namespace talvo::finestre {

DesktopFinestre::DesktopFinestre(Win32Desktop& desktop, std::function<void()> aggiornaViste)
    : desktop_(desktop), aggiornaViste_(std::move(aggiornaViste)) {}

void DesktopFinestre::AggiornaViste() const {
  if (aggiornaViste_) aggiornaViste_();
}

void DesktopFinestre::ImpostaFinestraProprietaria(HWND hwnd) {
  proprietaria_ = hwnd;
  desktop_.ImpostaFinestraProprietaria(hwnd);
}

RispostaMessaggio DesktopFinestre::Messaggio(const std::string& testo, const std::string& titolo,
                                             IconaMessaggio icona, PulsantiMessaggio pulsanti) {
  AggiornaViste();
  return desktop_.Messaggio(testo, titolo, icona, pulsanti);
}

void DesktopFinestre::MostraModale(FinestraModale finestra) {
  AggiornaViste();
  desktop_.MostraModale(finestra);
}

void DesktopFinestre::DoEvents() {
  AggiornaViste();
  desktop_.DoEvents();
}

void DesktopFinestre::ImpostaPuntatoreMouse(PuntatoreMouse puntatore) {
  desktop_.ImpostaPuntatoreMouse(puntatore);
}
void DesktopFinestre::CopiaNegliAppunti(const std::string& testo) { desktop_.CopiaNegliAppunti(testo); }
std::vector<std::string> DesktopFinestre::Stampanti() { return desktop_.Stampanti(); }
void DesktopFinestre::ImpostaStampanteCorrente(const std::string& nome) {
  desktop_.ImpostaStampanteCorrente(nome);
}
void DesktopFinestre::Stampa(const LavoroDiStampa& lavoro) { desktop_.Stampa(lavoro); }

}  // namespace talvo::finestre
