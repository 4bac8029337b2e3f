// The Desktop port: everything a person sees or answers. The installer's logic talks to the
// screen only through it, so that tests can answer and record what a person would.
#pragma once

#include <string>
#include <vector>

namespace talvo {

enum class IconaMessaggio { Nessuna, Critico, Domanda, Esclamazione, Informazione };
enum class PulsantiMessaggio { Ok, OkAnnulla, SiNo, SiNoAnnulla };
enum class RispostaMessaggio { Ok, Annulla, Si, No };
enum class PuntatoreMouse { Predefinito, Clessidra };

// The installer's secondary windows that are shown modally.
enum class FinestraModale { MostraLog, Stampa, ModificaRelease };

// What is handed to the current printer for one document.
struct LavoroDiStampa {
  int Orientamento = 1;          // 1 portrait, 2 landscape
  int DimensioneCarattere = 10;  // points
  std::string NomeCarattere;
  std::string Testo;  // the whole text, lines separated by CR LF
};

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

  // Empties the clipboard and puts the text on it.
  virtual void CopiaNegliAppunti(const std::string& testo) = 0;

  // Names of the installed printers, in the order the platform lists them.
  virtual std::vector<std::string> Stampanti() = 0;
  // Makes the printer of that name the current one; an unknown name leaves it as it is.
  virtual void ImpostaStampanteCorrente(const std::string& nome) = 0;
  // Prints on the current printer and ends the document. Throws ErroreRuntime on failure.
  virtual void Stampa(const LavoroDiStampa& lavoro) = 0;
};

}  // namespace talvo
