// The release editor: a small dialog-like window with the release text box and its button.
#include "FinestraFrmModRel.h"

#include <utility>

#include "Controlli.h"
#include "Dpi.h"
#include "FinestraSetupPBD.h"
#include "IdControlli.h"
#include "Modale.h"
#include "Win32Desktop.h"
#include "windows/logic/FrmModRel.h"

namespace talvo::finestre {

namespace {
constexpr DWORD StileFinestra = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD StileEstesoFinestra = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int LarghezzaInterna = 4320;
constexpr int AltezzaInterna = 855;
}  // namespace

FinestraFrmModRel::FinestraFrmModRel(const Sessione& sessione, FrmModRel& logica)
    : Finestra(sessione, "FrmModRel"), logica_(logica) {}

bool FinestraFrmModRel::Crea(HWND proprietaria) {
  const int dpi = DpiDi(proprietaria);
  RECT esterno{0, 0, Pixel(LarghezzaInterna, dpi), Pixel(AltezzaInterna, dpi)};
  ::AdjustWindowRectEx(&esterno, StileFinestra, FALSE, StileEstesoFinestra);
  const int larghezza = esterno.right - esterno.left;
  const int altezza = esterno.bottom - esterno.top;
  // Centred over the main window.
  RECT sopra{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (proprietaria) ::GetWindowRect(proprietaria, &sopra);
  const int x = sopra.left + (sopra.right - sopra.left - larghezza) / 2;
  const int y = sopra.top + (sopra.bottom - sopra.top - altezza) / 2;
  if (!Finestra::Crea(StileEstesoFinestra, ClasseFrmModRel, logica_.Modello().Caption, StileFinestra, x, y,
                      larghezza, altezza, proprietaria)) {
    return false;
  }
  dpi_ = DpiDi(Hwnd());
  txtVecchiarel_ = CreaControllo(Hwnd(), "EDIT", "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                                 IdFrmModRel::txtVecchiarel);
  cmdAgg_ = CreaControllo(Hwnd(), "BUTTON", logica_.Modello().CmdAgg.Caption,
                          WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IdFrmModRel::CmdAgg);
  carattere_ = CreaCarattere(dpi_);
  ImpostaCarattere(Hwnd(), static_cast<HFONT>(carattere_.get()));
  Posiziona(txtVecchiarel_, dpi_, 240, 240, 2640, 315);
  Posiziona(cmdAgg_, dpi_, 3000, 210, 1095, 375);
  Aggiorna();
  return true;
}

void FinestraFrmModRel::Aggiorna() {
  if (!Hwnd()) return;
  const ModelloFrmModRel& m = logica_.Modello();
  // Setting the text box's text is no edit by the person.
  inAggiornamento_ = true;
  ImpostaTesto(Hwnd(), m.Caption);
  ImpostaTesto(txtVecchiarel_, m.txtVecchiarel.Text);
  ImpostaAbilitato(txtVecchiarel_, m.txtVecchiarel.Abilitato);
  ImpostaTesto(cmdAgg_, m.CmdAgg.Caption);
  ImpostaAbilitato(cmdAgg_, m.CmdAgg.Abilitato);
  inAggiornamento_ = false;
}

bool FinestraFrmModRel::Chiusa() const { return !Hwnd() || chiusa_ || logica_.Modello().Scaricata; }

void FinestraFrmModRel::Comando(int id, int notifica) {
  if (id == IdFrmModRel::txtVecchiarel && notifica == EN_CHANGE && !inAggiornamento_) {
    logica_.Modello().txtVecchiarel.Text = TestoDi(txtVecchiarel_);
  } else if (id == IdFrmModRel::CmdAgg && notifica == BN_CLICKED) {
    try {
      logica_.CmdAgg_Click();
    } catch (...) {
      // The logic reports its own failures; a window procedure lets no error out.
    }
    Aggiorna();
  }
}

LRESULT FinestraFrmModRel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: Comando(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CLOSE:
      // The modal loop ends and its caller destroys the window.
      chiusa_ = true;
      return 0;
    default: return ::DefWindowProcA(Hwnd(), msg, wParam, lParam);
  }
}

void MostraFrmModRel(const Sessione& sessione, Win32Desktop& desktop, FinestraSetupPBD& principale,
                     const std::string& cartellaProgramma) {
  FrmModRel logica(sessione, desktop, cartellaProgramma);
  try {
    logica.Form_Load();
  } catch (...) {
    RegistraEccezione(sessione, "FrmModRel");
    return;
  }
  if (logica.Modello().Scaricata) return;
  FinestraFrmModRel finestra(sessione, logica);
  if (!finestra.Crea(principale.Hwnd())) return;
  EseguiModale(
      finestra.Hwnd(), desktop, [&finestra] { return finestra.Chiusa(); },
      [&principale] { principale.RiprendiAttivazione(); });
}

}  // namespace talvo::finestre
