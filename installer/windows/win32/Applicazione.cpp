// The installer's start: load, main window, message loop.
#include "Applicazione.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "ChiusuraAutomatica.h"
#include "FinestraFrmModRel.h"
#include "FinestraFrmStampa.h"

namespace talvo::finestre {

Applicazione::Applicazione(std::string cartellaProgramma, bool passiva)
    : cartellaProgramma_(std::move(cartellaProgramma)),
      passiva_(passiva),
      logica_(sessione_, desktop_, machine_, cartellaProgramma_),
      attendere_(sessione_, logica_.Attendere()) {
  logica_.AttendereCambiato = [this] { attendere_.Aggiorna(); };
  desktop_.ImpostaAggiornaViste([this] { AggiornaViste(); });
  desktop_.ImpostaApriFinestra([this](FinestraModale finestra) { ApriFinestra(finestra); });
  if (passiva_) desktop_.ImpostaChiusuraAutomatica(DurataPassiva);
}

void Applicazione::AggiornaViste() {
  attendere_.Aggiorna();
  if (principale_) principale_->Aggiorna();
}

void Applicazione::ApriFinestra(FinestraModale finestra) {
  if (!principale_) return;
  switch (finestra) {
    case FinestraModale::ModificaRelease:
      MostraFrmModRel(sessione_, desktop_, *principale_, cartellaProgramma_);
      break;
    case FinestraModale::MostraLog:
      // One viewer at a time.
      if (!registroAperto_) {
        std::optional<ChiusuraAutomatica> chiusura;
        if (passiva_) chiusura.emplace(DurataPassiva);
        MostraFrmMostraLog(
            sessione_, desktop_, principale_->Hwnd(), [this] { principale_->RiprendiAttivazione(); },
            registroAperto_);
      }
      break;
    case FinestraModale::Stampa:
      if (registroAperto_) MostraFrmStampa(sessione_, desktop_, *registroAperto_);
      break;
  }
}

int Applicazione::Esegui(int comandoMostra) {
  // The person ended the program during the load: no window at all.
  if (!logica_.Form_Load()) return static_cast<int>(logica_.Codice());
  attendere_.Aggiorna();
  principale_.emplace(sessione_, logica_);
  if (!principale_->Mostra(comandoMostra)) return static_cast<int>(CodiceUscita::Fallito);
  desktop_.ImpostaFinestraProprietaria(principale_->Hwnd());
  if (passiva_) principale_->AvviaDaSola();

  MSG msg{};
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    const HWND finestra = principale_->Hwnd();
    if (finestra && ::IsDialogMessageA(finestra, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  desktop_.ImpostaFinestraProprietaria(nullptr);
  return static_cast<int>(logica_.Codice());
}

std::string CartellaProgramma() {
  std::string percorso(MAX_PATH, '\0');
  for (;;) {
    const DWORD lunghezza =
        ::GetModuleFileNameA(nullptr, percorso.data(), static_cast<DWORD>(percorso.size()));
    if (lunghezza == 0) return {};
    if (lunghezza < percorso.size()) {
      percorso.resize(lunghezza);
      break;
    }
    percorso.resize(percorso.size() * 2);
  }
  const std::size_t barra = percorso.find_last_of('\\');
  return barra == std::string::npos ? std::string() : percorso.substr(0, barra);
}

}  // namespace talvo::finestre
