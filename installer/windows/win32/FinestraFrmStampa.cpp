// The printer window: a small dialog-like window with the label, the printer list and two buttons.
#include "FinestraFrmStampa.h"

#include "Controlli.h"
#include "Dpi.h"
#include "FinestraFrmMostraLog.h"
#include "IdControlli.h"
#include "Modale.h"
#include "Win32Desktop.h"
#include "windows/logic/FrmMostraLog.h"
#include "windows/logic/FrmStampa.h"

namespace talvo::finestre {

namespace {

// Posted to the window itself, so that the list is built from the message loop once it is shown.
constexpr UINT MessaggioAttivazione = WM_APP + 1;

constexpr DWORD StileFinestra = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD StileEstesoFinestra = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// Layout in twips.
constexpr int Margine = 240;
constexpr int LarghezzaInterna = 4560;
constexpr int LarghezzaControlli = LarghezzaInterna - 2 * Margine;
constexpr int TopLabel1 = 240;
constexpr int AltezzaEtichetta = 255;
constexpr int TopCombo = 540;
constexpr int AltezzaListaCombo = 2400;  // with the list dropped down
constexpr int TopPulsanti = 1080;
constexpr int LarghezzaPulsante = 1215;
constexpr int AltezzaPulsante = 375;
constexpr int AltezzaInterna = TopPulsanti + AltezzaPulsante + Margine;

}  // namespace

FinestraFrmStampa::FinestraFrmStampa(const Sessione& sessione, FrmStampa& logica)
    : Finestra(sessione, "FrmStampa"), sessione_(sessione), logica_(logica) {}

bool FinestraFrmStampa::Crea(HWND proprietaria) {
  const int dpi = DpiDi(proprietaria);
  RECT esterno{0, 0, Pixel(LarghezzaInterna, dpi), Pixel(AltezzaInterna, dpi)};
  ::AdjustWindowRectEx(&esterno, StileFinestra, FALSE, StileEstesoFinestra);
  const int larghezza = esterno.right - esterno.left;
  const int altezza = esterno.bottom - esterno.top;
  RECT sopra{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (proprietaria) ::GetWindowRect(proprietaria, &sopra);
  const int x = sopra.left + (sopra.right - sopra.left - larghezza) / 2;
  const int y = sopra.top + (sopra.bottom - sopra.top - altezza) / 2;
  const ModelloFrmStampa& m = logica_.Modello();
  if (!Finestra::Crea(StileEstesoFinestra, ClasseFrmStampa, m.Caption, StileFinestra, x, y, larghezza,
                      altezza, proprietaria)) {
    return false;
  }
  dpi_ = DpiDi(Hwnd());
  const HWND w = Hwnd();
  label1_ =
      CreaControllo(w, "STATIC", m.Label1.Caption, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, IdFrmStampa::Label1);
  cmbStampante_ = CreaControllo(w, "COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                IdFrmStampa::CmbStampante);
  cmdStampa_ = CreaControllo(w, "BUTTON", m.CmdStampa.Caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                             IdFrmStampa::CmdStampa);
  cmdEsci_ = CreaControllo(w, "BUTTON", m.CmdEsci.Caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                           IdFrmStampa::CmdEsci);
  carattere_ = CreaCarattere(dpi_);
  ImpostaCarattere(w, static_cast<HFONT>(carattere_.get()));
  Posiziona(label1_, dpi_, Margine, TopLabel1, LarghezzaControlli, AltezzaEtichetta);
  Posiziona(cmbStampante_, dpi_, Margine, TopCombo, LarghezzaControlli, AltezzaListaCombo);
  Posiziona(cmdStampa_, dpi_, Margine, TopPulsanti, LarghezzaPulsante, AltezzaPulsante);
  Posiziona(cmdEsci_, dpi_, LarghezzaInterna - Margine - LarghezzaPulsante, TopPulsanti, LarghezzaPulsante,
            AltezzaPulsante);
  Aggiorna();
  ::PostMessageA(w, MessaggioAttivazione, 0, 0);
  return true;
}

void FinestraFrmStampa::Aggiorna() {
  if (!Hwnd()) return;
  const ModelloFrmStampa& m = logica_.Modello();
  ImpostaTesto(Hwnd(), m.Caption);
  ImpostaTesto(label1_, m.Label1.Caption);
  ImpostaVisibile(label1_, m.Label1.Visibile);
  ImpostaListaDiscesa(cmbStampante_, m.CmbStampante.Voci, m.CmbStampante.Selezione, vociMostrate_);
  ImpostaAbilitato(cmbStampante_, m.CmbStampante.Abilitato);
  ImpostaTesto(cmdStampa_, m.CmdStampa.Caption);
  ImpostaAbilitato(cmdStampa_, m.CmdStampa.Abilitato);
  ImpostaTesto(cmdEsci_, m.CmdEsci.Caption);
  ImpostaAbilitato(cmdEsci_, m.CmdEsci.Abilitato);
}

bool FinestraFrmStampa::Chiusa() const { return !Hwnd() || chiusa_ || logica_.Modello().Scaricata; }

template <typename Gestore>
void FinestraFrmStampa::Gestisci(Gestore gestore) {
  try {
    gestore();
  } catch (...) {
    // A window procedure lets no error out; what the logic did not report itself is logged.
    RegistraEccezione(sessione_, "FrmStampa");
  }
  Aggiorna();
}

void FinestraFrmStampa::Comando(int id, int notifica) {
  if (id == IdFrmStampa::CmbStampante && notifica == CBN_SELCHANGE) {
    const auto selezione = static_cast<int>(::SendMessageA(cmbStampante_, CB_GETCURSEL, 0, 0));
    Gestisci([&] { logica_.Modello().CmbStampante.Selezione = selezione; });
  } else if (id == IdFrmStampa::CmdStampa && notifica == BN_CLICKED) {
    Gestisci([this] { logica_.CmdStampa_Click(); });
  } else if (id == IdFrmStampa::CmdEsci && notifica == BN_CLICKED) {
    Gestisci([this] { logica_.CmdEsci_Click(); });
  }
}

LRESULT FinestraFrmStampa::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case MessaggioAttivazione: Gestisci([this] { logica_.Form_Activate(); }); return 0;
    case WM_COMMAND: Comando(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_SETFOCUS:
      // The printer list takes the keyboard first.
      ::SetFocus(cmbStampante_);
      return 0;
    case WM_CLOSE:
      // The modal loop ends and its caller destroys the window.
      chiusa_ = true;
      return 0;
    default: return ::DefWindowProcA(Hwnd(), msg, wParam, lParam);
  }
}

void MostraFrmStampa(const Sessione& sessione, Win32Desktop& desktop, FinestraFrmMostraLog& registro) {
  FrmStampa logica(desktop, registro.Logica().Modello().TxtFile);
  FinestraFrmStampa finestra(sessione, logica);
  if (!finestra.Crea(registro.Hwnd())) return;
  EseguiModale(
      finestra.Hwnd(), desktop, [&finestra] { return finestra.Chiusa(); },
      [&registro] { registro.RiprendiAttivazione(); });
}

}  // namespace talvo::finestre
