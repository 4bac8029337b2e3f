// The Desktop port over the Win32 API.
#pragma once

#include <functional>

#include "Desktop.h"

namespace talvo {

class Win32Desktop final : public Desktop {
 public:
  // The windows layer says how each secondary window is shown; until then showing one does nothing.
  using ApriFinestra = std::function<void(FinestraModale)>;
  void ImpostaApriFinestra(ApriFinestra apri) { apri_ = std::move(apri); }

  // The owner of message boxes; none means the desktop.
  void ImpostaFinestraProprietaria(void* hwnd) { proprietaria_ = hwnd; }

  // The pointer the program's windows show while the mouse is over them.
  PuntatoreMouse PuntatoreCorrente() const { return puntatore_; }

  RispostaMessaggio Messaggio(const std::string& testo, const std::string& titolo,
                              IconaMessaggio icona, PulsantiMessaggio pulsanti) override;
  void MostraModale(FinestraModale finestra) override;
  void DoEvents() override;
  void ImpostaPuntatoreMouse(PuntatoreMouse puntatore) override;
  void CopiaNegliAppunti(const std::string& testo) override;
  std::vector<std::string> Stampanti() override;
  void ImpostaStampanteCorrente(const std::string& nome) override;
  void Stampa(const LavoroDiStampa& lavoro) override;

 private:
  ApriFinestra apri_;
  void* proprietaria_ = nullptr;
  PuntatoreMouse puntatore_ = PuntatoreMouse::Predefinito;
  std::string stampanteCorrente_;
};

}  // namespace talvo
