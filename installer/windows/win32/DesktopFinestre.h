// The Desktop the windows' logic talks to: the Win32 desktop, with the views brought in line with
// their models before anything is shown or any pending event runs, so that a message box or a
// repaint during a long handler shows what the logic has set so far.
#pragma once

#include <windows.h>

#include <functional>

#include "core/Desktop.h"
#include "core/Win32Desktop.h"

namespace talvo::finestre {

class DesktopFinestre final : public Desktop {
 public:
  DesktopFinestre(Win32Desktop& desktop, std::function<void()> aggiornaViste);

  // The owner of message boxes (null for none); kept here so a modal window can lend it out.
  void ImpostaFinestraProprietaria(HWND hwnd);
  HWND FinestraProprietaria() const { return proprietaria_; }

  RispostaMessaggio Messaggio(const std::string& testo, const std::string& titolo, IconaMessaggio icona,
                              PulsantiMessaggio pulsanti) override;
  void MostraModale(FinestraModale finestra) override;
  void DoEvents() override;
  void ImpostaPuntatoreMouse(PuntatoreMouse puntatore) override;
  void CopiaNegliAppunti(const std::string& testo) override;
  std::vector<std::string> Stampanti() override;
  void ImpostaStampanteCorrente(const std::string& nome) override;
  void Stampa(const LavoroDiStampa& lavoro) override;

 private:
  void AggiornaViste() const;

  Win32Desktop& desktop_;
  std::function<void()> aggiornaViste_;
  HWND proprietaria_ = nullptr;
};

// Lends the owner of message boxes to a window for as long as it lives.
class ProprietariaPrestata {
 public:
  ProprietariaPrestata(DesktopFinestre& desktop, HWND hwnd)
      : desktop_(desktop), precedente_(desktop.FinestraProprietaria()) {
    desktop_.ImpostaFinestraProprietaria(hwnd);
  }
  ~ProprietariaPrestata() { desktop_.ImpostaFinestraProprietaria(precedente_); }
  ProprietariaPrestata(const ProprietariaPrestata&) = delete;
  ProprietariaPrestata& operator=(const ProprietariaPrestata&) = delete;

 private:
  DesktopFinestre& desktop_;
  HWND precedente_;
};

}  // namespace talvo::finestre
