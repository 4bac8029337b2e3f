// The main window: nine rows of labels and rectangles, the drive list with its tooltip and the two
// buttons, laid out in twips at the window's DPI.
#include "FinestraSetupPBD.h"

#include <commctrl.h>

#include <utility>

#include "Controlli.h"
#include "Dpi.h"
#include "IdControlli.h"
#include "Rettangolo.h"
#include "windows/logic/SetupPBD.h"

namespace talvo::finestre {

namespace {

// Posted to the window itself, so that the activation sequence runs from the message loop and
// never inside the handler that caused it.
constexpr UINT MessaggioAttivazione = WM_APP + 1;
constexpr UINT_PTR TimerAvvioAutomatico = 1;

// Layout in twips.
constexpr int Margine = 240;
constexpr int AltezzaEtichetta = 255;
constexpr int TopLabel1 = 240;
constexpr int LeftCombo = 1800;
constexpr int TopCombo = 180;
constexpr int LarghezzaCombo = 3000;
constexpr int AltezzaListaCombo = 2400;  // with the list dropped down
constexpr int TopRighe = 840;
constexpr int LeftArea = Margine;
constexpr int LarghezzaArea = 1695;
constexpr int LeftStato = 2040;
constexpr int LarghezzaStato = 2295;
constexpr int LeftEsito = 4440;
constexpr int LarghezzaEsito = 600;
constexpr int LeftShape = 5160;
constexpr int LeftOk = 5760;
constexpr int LarghezzaOk = 600;
constexpr int LarghezzaPulsante = 1215;
constexpr int AltezzaPulsante = 375;
constexpr int TopPulsanti = TopRighe + Disposizione::NumeroRighe * Disposizione::DistanzaRighe + 120;
constexpr int LarghezzaInterna = 8400;  // room for the caption with the database kind
constexpr int AltezzaInterna = TopPulsanti + AltezzaPulsante + Margine;

constexpr DWORD StileFinestra = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD StileEstesoFinestra = WS_EX_CONTROLPARENT;
// Labels take the mouse themselves (SS_NOTIFY), so that only the window's own background
// reports a mouse release to the form.
constexpr DWORD StileEtichetta = WS_VISIBLE | SS_LEFT | SS_NOTIFY | SS_NOPREFIX;

int PulsanteRilasciato(UINT msg) {
  switch (msg) {
    case WM_LBUTTONUP: return Mouse::Sinistro;
    case WM_RBUTTONUP: return Mouse::Destro;
    default: return 4;  // the middle button
  }
}

TOOLINFOA Strumento(HWND finestra, HWND controllo, const std::string& testo) {
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = finestra;
  ti.uId = reinterpret_cast<UINT_PTR>(controllo);
  ti.lpszText = const_cast<char*>(testo.c_str());
  return ti;
}

}  // namespace

FinestraSetupPBD::FinestraSetupPBD(const Sessione& sessione, SetupPBD& logica)
    : Finestra(sessione, "SetupPBD"), sessione_(sessione), logica_(logica) {}

bool FinestraSetupPBD::Mostra(int comandoMostra) {
  const int dpi = DpiSchermo();
  RECT esterno{0, 0, Pixel(LarghezzaInterna, dpi), Pixel(AltezzaInterna, dpi)};
  ::AdjustWindowRectEx(&esterno, StileFinestra, FALSE, StileEstesoFinestra);
  const int larghezza = esterno.right - esterno.left;
  const int altezza = esterno.bottom - esterno.top;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - larghezza) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - altezza) / 2;
  if (!Crea(StileEstesoFinestra, ClasseSetupPBD, logica_.Modello().Caption, StileFinestra, x, y, larghezza,
            altezza, nullptr)) {
    return false;
  }
  dpi_ = DpiDi(Hwnd());
  CreaControlli();
  Disponi();
  Aggiorna();
  ::ShowWindow(Hwnd(), comandoMostra);
  ::UpdateWindow(Hwnd());
  ::PostMessageA(Hwnd(), MessaggioAttivazione, 0, 0);
  return true;
}

void FinestraSetupPBD::CreaControlli() {
  const HWND w = Hwnd();
  const ModelloSetupPBD& m = logica_.Modello();
  label1_ = CreaControllo(w, "STATIC", m.Label1.Caption, StileEtichetta, IdSetupPBD::Label1);
  cmbDischi_ = CreaControllo(w, "COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                             IdSetupPBD::CmbDischi);
  for (int i = 0; i < Disposizione::NumeroRighe; ++i) {
    const RigaArea& riga = m.Righe[static_cast<std::size_t>(i)];
    ControlliRiga& c = righe_[static_cast<std::size_t>(i)];
    c.LblArea = CreaControllo(w, "STATIC", riga.LblArea.Caption, StileEtichetta, IdSetupPBD::LblArea + i);
    c.LblStato = CreaControllo(w, "STATIC", riga.LblStato.Caption, StileEtichetta, IdSetupPBD::LblStato + i);
    c.LblEsito = CreaControllo(w, "STATIC", riga.LblEsito.Caption, StileEtichetta, IdSetupPBD::LblEsito + i);
    c.lblOk = CreaControllo(w, "STATIC", riga.lblOk.Caption, StileEtichetta, IdSetupPBD::lblOk + i);
    c.Shape1 = CreaRettangolo(w, IdSetupPBD::Shape1 + i);
  }
  cmdAggiorna_ = CreaControllo(w, "BUTTON", m.cmdAggiorna.Caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                               IdSetupPBD::cmdAggiorna);
  cmdEsci_ = CreaControllo(w, "BUTTON", m.CmdEsci.Caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                           IdSetupPBD::CmdEsci);

  suggerimento_ = ::CreateWindowExA(
      WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, w, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (suggerimento_) {
    TOOLINFOA ti = Strumento(w, cmbDischi_, suggerimentoMostrato_);
    ::SendMessageA(suggerimento_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void FinestraSetupPBD::Disponi() {
  // The controls take the new font before the old one is deleted.
  unique_hgdiobj carattere = CreaCarattere(dpi_);
  ImpostaCarattere(Hwnd(), static_cast<HFONT>(carattere.get()));
  carattere_ = std::move(carattere);
  Posiziona(label1_, dpi_, Margine, TopLabel1, LeftCombo - Margine - 60, AltezzaEtichetta);
  Posiziona(cmbDischi_, dpi_, LeftCombo, TopCombo, LarghezzaCombo, AltezzaListaCombo);
  for (int i = 0; i < Disposizione::NumeroRighe; ++i) {
    const ControlliRiga& c = righe_[static_cast<std::size_t>(i)];
    const int top = TopRighe + i * Disposizione::DistanzaRighe;
    Posiziona(c.LblArea, dpi_, LeftArea, top, LarghezzaArea, AltezzaEtichetta);
    Posiziona(c.LblStato, dpi_, LeftStato, top, LarghezzaStato, AltezzaEtichetta);
    Posiziona(c.LblEsito, dpi_, LeftEsito, top, LarghezzaEsito, AltezzaEtichetta);
    Posiziona(c.Shape1, dpi_, LeftShape, top + (AltezzaEtichetta - Disposizione::AltezzaShape) / 2,
              Disposizione::LarghezzaShape, Disposizione::AltezzaShape);
    Posiziona(c.lblOk, dpi_, LeftOk, top, LarghezzaOk, AltezzaEtichetta);
  }
  Posiziona(cmdAggiorna_, dpi_, Margine, TopPulsanti, LarghezzaPulsante, AltezzaPulsante);
  Posiziona(cmdEsci_, dpi_, LarghezzaInterna - Margine - LarghezzaPulsante, TopPulsanti, LarghezzaPulsante,
            AltezzaPulsante);
}

void FinestraSetupPBD::Aggiorna() {
  if (!Hwnd()) return;
  const ModelloSetupPBD& m = logica_.Modello();
  ImpostaTesto(Hwnd(), m.Caption);
  ImpostaTesto(label1_, m.Label1.Caption);
  ImpostaVisibile(label1_, m.Label1.Visibile);
  AggiornaCombo(m.CmbDischi);
  for (int i = 0; i < Disposizione::NumeroRighe; ++i) {
    const RigaArea& riga = m.Righe[static_cast<std::size_t>(i)];
    const ControlliRiga& c = righe_[static_cast<std::size_t>(i)];
    const std::pair<HWND, const Etichetta*> etichette[] = {{c.LblArea, &riga.LblArea},
                                                           {c.LblStato, &riga.LblStato},
                                                           {c.LblEsito, &riga.LblEsito},
                                                           {c.lblOk, &riga.lblOk}};
    for (const auto& [controllo, etichetta] : etichette) {
      ImpostaTesto(controllo, etichetta->Caption);
      ImpostaVisibile(controllo, etichetta->Visibile);
    }
    ImpostaColoreRiempimento(c.Shape1, riga.Shape1.ColoreRiempimento);
    ImpostaVisibile(c.Shape1, riga.Shape1.Visibile);
  }
  const std::pair<HWND, const Pulsante*> pulsanti[] = {{cmdAggiorna_, &m.cmdAggiorna},
                                                       {cmdEsci_, &m.CmdEsci}};
  for (const auto& [controllo, pulsante] : pulsanti) {
    ImpostaTesto(controllo, pulsante->Caption);
    ImpostaAbilitato(controllo, pulsante->Abilitato);
  }
}

void FinestraSetupPBD::AggiornaCombo(const ListaDiscesa& lista) {
  ImpostaListaDiscesa(cmbDischi_, lista.Voci, lista.Selezione, vociMostrate_);
  ImpostaAbilitato(cmbDischi_, lista.Abilitato);
  AggiornaSuggerimento(lista.ToolTipText);
}

void FinestraSetupPBD::AggiornaSuggerimento(const std::string& testo) {
  if (!suggerimento_ || testo == suggerimentoMostrato_) return;
  suggerimentoMostrato_ = testo;
  TOOLINFOA ti = Strumento(Hwnd(), cmbDischi_, suggerimentoMostrato_);
  ::SendMessageA(suggerimento_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

template <typename Gestore>
void FinestraSetupPBD::Gestisci(Gestore gestore) {
  try {
    gestore();
  } catch (...) {
    // A window procedure lets no error out; what the logic did not report itself is logged.
    RegistraEccezione(sessione_, "SetupPBD");
  }
  Aggiorna();
}

void FinestraSetupPBD::RiprendiAttivazione() {
  if (!Hwnd()) return;
  ritornoDaFinestra_ = true;
  ::SetActiveWindow(Hwnd());
  ritornoDaFinestra_ = false;
}

void FinestraSetupPBD::Attiva() {
  // A message box of the sequence hands activation back when it closes: that is no new activation,
  // and neither is a second request while the sequence is still running.
  if (inAttivazione_) return;
  inAttivazione_ = true;
  Gestisci([this] { logica_.Form_Activate(); });
  inAttivazione_ = false;
}

void FinestraSetupPBD::RilascioMouse(int pulsante, WPARAM statoTasti) {
  int tasti = 0;
  if (statoTasti & MK_SHIFT) tasti |= Mouse::Shift;
  if (statoTasti & MK_CONTROL) tasti |= Mouse::Ctrl;
  if (::GetKeyState(VK_MENU) < 0) tasti |= Mouse::Alt;
  Gestisci([&] { logica_.Form_MouseUp(pulsante, tasti); });
}

void FinestraSetupPBD::Comando(int id, int notifica) {
  if (id == IdSetupPBD::CmbDischi && notifica == CBN_SELCHANGE) {
    const auto selezione = static_cast<int>(::SendMessageA(cmbDischi_, CB_GETCURSEL, 0, 0));
    Gestisci([&] { logica_.SelezioneDischi(selezione); });
  } else if (id == IdSetupPBD::CmdEsci && notifica == BN_CLICKED) {
    Chiudi();
  } else if (id == IdSetupPBD::cmdAggiorna && notifica == BN_CLICKED) {
    Gestisci([this] { logica_.cmdAggiorna_Click(); });
  }
}

void FinestraSetupPBD::AvviaDaSola() { ::SetTimer(Hwnd(), TimerAvvioAutomatico, 100, nullptr); }

void FinestraSetupPBD::ProvaAvvioAutomatico() {
  // A box of the activation may still be waiting: the run starts once the sequence is over.
  if (inAttivazione_ || logica_.Occupata()) return;
  ::KillTimer(Hwnd(), TimerAvvioAutomatico);
  Gestisci([this] { logica_.cmdAggiorna_Click(); });
  Chiudi();
}

void FinestraSetupPBD::Chiudi() {
  Gestisci([this] { logica_.CmdEsci_Click(); });
  if (logica_.Modello().Scaricata) Distruggi();
}

LRESULT FinestraSetupPBD::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case MessaggioAttivazione: Attiva(); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && ritornoDaFinestra_)
        ::PostMessageA(Hwnd(), MessaggioAttivazione, 0, 0);
      break;
    case WM_COMMAND: Comando(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: RilascioMouse(PulsanteRilasciato(msg), wParam); return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && logica_.Modello().Puntatore == PuntatoreMouse::Clessidra) {
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE: Chiudi(); return 0;
    case WM_TIMER:
      if (wParam == TimerAvvioAutomatico) {
        ProvaAvvioAutomatico();
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      const RECT* proposto = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(Hwnd(), nullptr, proposto->left, proposto->top, proposto->right - proposto->left,
                     proposto->bottom - proposto->top, SWP_NOZORDER | SWP_NOACTIVATE);
      Disponi();
      return 0;
    }
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: break;
  }
  return ::DefWindowProcA(Hwnd(), msg, wParam, lParam);
}

}  // namespace talvo::finestre
