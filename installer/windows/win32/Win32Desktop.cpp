// Message boxes, event pumping, the mouse pointer, the clipboard and the printers through the Win32
// API.
#include "Win32Desktop.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "Appunti.h"
#include "ChiusuraAutomatica.h"
#include "Stampante.h"
#include "core/Sessione.h"

namespace talvo {

namespace {

UINT StileIcona(IconaMessaggio icona) {
  switch (icona) {
    case IconaMessaggio::Critico: return MB_ICONSTOP;
    case IconaMessaggio::Domanda: return MB_ICONQUESTION;
    case IconaMessaggio::Esclamazione: return MB_ICONEXCLAMATION;
    case IconaMessaggio::Informazione: return MB_ICONINFORMATION;
    case IconaMessaggio::Nessuna: break;
  }
  return 0;
}

UINT StilePulsanti(PulsantiMessaggio pulsanti) {
  switch (pulsanti) {
    case PulsantiMessaggio::OkAnnulla: return MB_OKCANCEL;
    case PulsantiMessaggio::SiNo: return MB_YESNO;
    case PulsantiMessaggio::SiNoAnnulla: return MB_YESNOCANCEL;
    case PulsantiMessaggio::Ok: break;
  }
  return MB_OK;
}

RispostaMessaggio Risposta(int id) {
  switch (id) {
    case IDCANCEL: return RispostaMessaggio::Annulla;
    case IDYES: return RispostaMessaggio::Si;
    case IDNO: return RispostaMessaggio::No;
    default: return RispostaMessaggio::Ok;
  }
}

}  // namespace

RispostaMessaggio Win32Desktop::Messaggio(IdMessaggio, const std::string& testo, const std::string& titolo,
                                          IconaMessaggio icona, PulsantiMessaggio pulsanti) {
  PrimaDiMostrare();
  std::optional<finestre::ChiusuraAutomatica> chiusura;
  if (chiusuraAutomatica_ != 0) chiusura.emplace(chiusuraAutomatica_);
  const UINT stile = StileIcona(icona) | StilePulsanti(pulsanti) | MB_SETFOREGROUND;
  return Risposta(::MessageBoxA(static_cast<HWND>(proprietaria_), testo.c_str(), titolo.c_str(), stile));
}

void Win32Desktop::MostraModale(FinestraModale finestra) {
  PrimaDiMostrare();
  if (apri_) apri_(finestra);
}

void Win32Desktop::DoEvents() {
  PrimaDiMostrare();
  ElaboraMessaggiInAttesa();
}

void ElaboraMessaggiInAttesa() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The quit belongs to the message loop that owns the program: hand it back.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

void Win32Desktop::ImpostaPuntatoreMouse(PuntatoreMouse puntatore) {
  puntatore_ = puntatore;
  ::SetCursor(::LoadCursor(nullptr, puntatore == PuntatoreMouse::Clessidra ? IDC_WAIT : IDC_ARROW));
}

void Win32Desktop::CopiaNegliAppunti(const std::string& testo) {
  finestre::CopiaTestoNegliAppunti(static_cast<HWND>(proprietaria_), testo);
}

std::vector<std::string> Win32Desktop::Stampanti() { return finestre::ElencoStampanti(); }

void Win32Desktop::ImpostaStampanteCorrente(const std::string& nome) {
  const std::vector<std::string> stampanti = finestre::ElencoStampanti();
  if (std::find(stampanti.begin(), stampanti.end(), nome) != stampanti.end()) stampanteCorrente_ = nome;
}

void Win32Desktop::Stampa(const LavoroDiStampa& lavoro) {
  PrimaDiMostrare();
  const std::string stampante =
      stampanteCorrente_.empty() ? finestre::StampantePredefinita() : stampanteCorrente_;
  finestre::StampaDocumento(stampante, TitoloProgramma, lavoro);
}

}  // namespace talvo
