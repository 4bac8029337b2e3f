// The Desktop of the quiet mode: nobody is at the screen. Every question and notice is answered
// with its default button (OK, Yes) and written to the installer log as a warning line; before
// the log exists, to standard error. Nothing may ask it for a window: such a request is logged as a
// failure and remembered, and the program then ends with a failure.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/Desktop.h"

namespace talvo {

struct Sessione;

class DesktopSilenzioso final : public Desktop {
 public:
  // scriviErrore: where a text goes while no log can take it (standard error).
  DesktopSilenzioso(const Sessione& sessione, std::function<void(const std::string&)> scriviErrore);

  // Something asked for a window, a clipboard or a printer.
  bool FinestraRichiesta() const { return finestraRichiesta_; }

  RispostaMessaggio Messaggio(IdMessaggio id, const std::string& testo, const std::string& titolo,
                              IconaMessaggio icona, PulsantiMessaggio pulsanti) override;
  void MostraModale(FinestraModale finestra) override;
  void DoEvents() override {}
  void ImpostaPuntatoreMouse(PuntatoreMouse) override {}
  void CopiaNegliAppunti(const std::string& testo) override;
  std::vector<std::string> Stampanti() override { return {}; }
  void ImpostaStampanteCorrente(const std::string&) override {}
  void Stampa(const LavoroDiStampa& lavoro) override;

 private:
  void Scrivi(const std::string& testo, bool fallito);
  void Rifiuta(const std::string& cosa);

  const Sessione& sessione_;
  std::function<void(const std::string&)> scriviErrore_;
  bool finestraRichiesta_ = false;
};

// The answer a box gets when nobody presses a button: its first one.
RispostaMessaggio RispostaPredefinita(PulsantiMessaggio pulsanti);

// A box's text on one line: each run of line breaks and tabs becomes one blank.
std::string SuUnaRiga(const std::string& testo);

}  // namespace talvo
