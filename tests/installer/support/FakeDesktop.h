// A scripted Desktop for tests: answers message boxes from a script and records everything shown.
#pragma once

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/Desktop.h"

namespace talvo::test {

struct MessaggioMostrato {
  std::string Testo;
  std::string Titolo;
  IconaMessaggio Icona;
  PulsantiMessaggio Pulsanti;

  bool operator==(const MessaggioMostrato& altro) const {
    return Testo == altro.Testo && Titolo == altro.Titolo && Icona == altro.Icona &&
           Pulsanti == altro.Pulsanti;
  }
};

// How a failing comparison prints a box.
void PrintTo(const MessaggioMostrato& messaggio, std::ostream* os);

class FakeDesktop final : public Desktop {
 public:
  // Answers for the next message boxes, in order; when none is left the box answers with its
  // first button (OK or Yes).
  std::deque<RispostaMessaggio> Risposte;

  std::vector<MessaggioMostrato> Messaggi;
  // The identity of each box in Messaggi, in the same order.
  std::vector<IdMessaggio> Identita;
  std::vector<FinestraModale> FinestreMostrate;
  std::vector<PuntatoreMouse> Puntatori;
  int EventiElaborati = 0;

  RispostaMessaggio Messaggio(IdMessaggio id, const std::string& testo, const std::string& titolo,
                              IconaMessaggio icona, PulsantiMessaggio pulsanti) override;
  void MostraModale(FinestraModale finestra) override;
  void DoEvents() override {
    ++EventiElaborati;
    if (AgliEventi) AgliEventi();
  }
  void ImpostaPuntatoreMouse(PuntatoreMouse puntatore) override { Puntatori.push_back(puntatore); }

  // The clipboard: every text put on it, in order.
  std::vector<std::string> Copie;
  // A clipboard that cannot be taken: copying raises this error number (0: copying works).
  int ErroreAppunti = 0;
  void CopiaNegliAppunti(const std::string& testo) override;

  // The installed printers, in the platform's order, and the current one.
  std::vector<std::string> StampantiInstallate;
  std::string StampanteCorrente;
  std::vector<std::string> Stampanti() override { return StampantiInstallate; }
  void ImpostaStampanteCorrente(const std::string& nome) override;

  // A job that was printed, with the printer it went to.
  struct Stampato {
    std::string Stampante;
    LavoroDiStampa Lavoro;
  };
  std::vector<Stampato> Stampati;
  // A printer that fails: printing raises this error number and prints nothing (0: it works).
  int ErroreStampa = 0;
  void Stampa(const LavoroDiStampa& lavoro) override;

  // What a modal window does while it is shown, for tests of its caller.
  std::function<void(FinestraModale)> AllaFinestra;
  // What a person does while pending events run, for tests of long handlers.
  std::function<void()> AgliEventi;
};

}  // namespace talvo::test
