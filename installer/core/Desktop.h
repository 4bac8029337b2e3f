// The Desktop port: everything a person sees or answers. The installer's logic talks to the
// screen only through it, so that tests can answer and record what a person would.
#pragma once

#include <string>

namespace talvo {

enum class IconaMessaggio { Nessuna, Critico, Domanda, Esclamazione, Informazione };
enum class PulsantiMessaggio { Ok, OkAnnulla, SiNo, SiNoAnnulla };
enum class RispostaMessaggio { Ok, Annulla, Si, No };
enum class PuntatoreMouse { Predefinito, Clessidra };

// The installer's secondary windows that are shown modally.
enum class FinestraModale { MostraLog, Stampa, ModificaRelease };

class Desktop {
 public:
  virtual ~Desktop() = default;

  // A modal message box; returns the button the person pressed.
  virtual RispostaMessaggio Messaggio(const std::string& testo, const std::string& titolo,
                                      IconaMessaggio icona, PulsantiMessaggio pulsanti) = 0;
  // Shows one of the secondary windows modally and returns when it is closed.
  virtual void MostraModale(FinestraModale finestra) = 0;
  // Lets pending window events run, so that windows repaint during long loops.
  virtual void DoEvents() = 0;
  virtual void ImpostaPuntatoreMouse(PuntatoreMouse puntatore) = 0;
};

}  // namespace talvo
