// The Desktop port over the Win32 API.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/Desktop.h"

namespace talvo {

class Win32Desktop final : public Desktop {
 public:
  // The windows layer says how each secondary window is shown; until then showing one does nothing.
  using ApriFinestra = std::function<void(FinestraModale)>;
  void ImpostaApriFinestra(ApriFinestra apri) { apri_ = std::move(apri); }

  // The windows layer brings its views in line with their models before anything is shown or any
  // pending event runs, so that a box or a repaint during a long handler shows what the logic has
  // set so far.
  using AggiornaViste = std::function<void()>;
  void ImpostaAggiornaViste(AggiornaViste aggiorna) { aggiornaViste_ = std::move(aggiorna); }

  // Message boxes answer themselves with their default button after that many milliseconds
  // (0: they wait for a person).
  void ImpostaChiusuraAutomatica(unsigned millisecondi) { chiusuraAutomatica_ = millisecondi; }

  // The owner of message boxes; none means the desktop.
  void ImpostaFinestraProprietaria(void* hwnd) { proprietaria_ = hwnd; }
  void* FinestraProprietaria() const { return proprietaria_; }

  // The pointer the program's windows show while the mouse is over them.
  PuntatoreMouse PuntatoreCorrente() const { return puntatore_; }

  RispostaMessaggio Messaggio(IdMessaggio id, const std::string& testo, const std::string& titolo,
                              IconaMessaggio icona, PulsantiMessaggio pulsanti) override;
  void MostraModale(FinestraModale finestra) override;
  void DoEvents() override;
  void ImpostaPuntatoreMouse(PuntatoreMouse puntatore) override;
  void CopiaNegliAppunti(const std::string& testo) override;
  std::vector<std::string> Stampanti() override;
  void ImpostaStampanteCorrente(const std::string& nome) override;
  // Prints on the printer made current, or on the default printer while none has been.
  void Stampa(const LavoroDiStampa& lavoro) override;

 private:
  void PrimaDiMostrare() const {
    if (aggiornaViste_) aggiornaViste_();
  }

  ApriFinestra apri_;
  AggiornaViste aggiornaViste_;
  unsigned chiusuraAutomatica_ = 0;
  void* proprietaria_ = nullptr;
  PuntatoreMouse puntatore_ = PuntatoreMouse::Predefinito;
  // The program's current printer; the system's default printer is never changed.
  std::string stampanteCorrente_;
};

// Runs the window messages waiting in the thread's queue, and nothing else; a quit message is left
// for the program's own message loop.
void ElaboraMessaggiInAttesa();

}  // namespace talvo
