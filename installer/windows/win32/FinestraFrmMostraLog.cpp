// The log viewer: a top-level window with a menu bar and one text box with both scroll bars, placed
// in twips as its model says.
#include "FinestraFrmMostraLog.h"

#include <utility>

#include "Controlli.h"
#include "Dpi.h"
#include "IdControlli.h"
#include "Modale.h"
#include "Win32Desktop.h"
#include "windows/logic/FrmMostraLog.h"

namespace talvo::finestre {

namespace {

// Posted to the window itself, so that the log is reloaded from the message loop and never inside
// the handler that activated the window.
constexpr UINT MessaggioAttivazione = WM_APP + 1;

constexpr DWORD StileFinestra = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD StileEstesoFinestra = WS_EX_CONTROLPARENT;
constexpr DWORD StileTesto = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                             ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL;

int Twips(int pixel, int dpi) { return ::MulDiv(pixel, 1440, dpi); }

// The menu bar "&Principale" with its three entries; the window destroys it with itself.
HMENU CreaMenu(const ModelloFrmMostraLog& m) {
  const HMENU barra = ::CreateMenu();
  const HMENU principale = ::CreatePopupMenu();
  if (!barra || !principale) {
    if (barra) ::DestroyMenu(barra);
    if (principale) ::DestroyMenu(principale);
    return nullptr;
  }
  ::AppendMenuA(principale, MF_STRING, IdFrmMostraLog::mnup3, m.mnup3.Caption.c_str());
  ::AppendMenuA(principale, MF_STRING, IdFrmMostraLog::mnup2, m.mnup2.Caption.c_str());
  ::AppendMenuA(principale, MF_STRING, IdFrmMostraLog::mnup4, m.mnup4.Caption.c_str());
  ::AppendMenuA(barra, MF_POPUP, reinterpret_cast<UINT_PTR>(principale), m.mnup.c_str());
  return barra;
}

}  // namespace

FinestraFrmMostraLog::FinestraFrmMostraLog(const Sessione& sessione, FrmMostraLog& logica)
    : Finestra(sessione, "FrmMostraLog"), sessione_(sessione), logica_(logica) {}

bool FinestraFrmMostraLog::Crea(HWND proprietaria) {
  const int dpi = DpiSchermo();
  logica_.Form_Load(Twips(::GetSystemMetrics(SM_CXSCREEN), dpi), Twips(::GetSystemMetrics(SM_CYSCREEN), dpi));
  const ModelloFrmMostraLog& m = logica_.Modello();
  if (!Finestra::Crea(StileEstesoFinestra, ClasseFrmMostraLog, m.Caption, StileFinestra,
                      Pixel(m.Finestra.Left, dpi), Pixel(m.Finestra.Top, dpi), Pixel(m.Finestra.Width, dpi),
                      Pixel(m.Finestra.Height, dpi), proprietaria)) {
    return false;
  }
  ::SetMenu(Hwnd(), CreaMenu(m));
  dpi_ = DpiDi(Hwnd());
  txtFile_ = CreaControllo(Hwnd(), "EDIT", "", StileTesto, IdFrmMostraLog::TxtFile);
  // A log is longer than the box's usual limit of 32 KB: 0 raises it to the largest the platform has.
  ::SendMessageA(txtFile_, EM_SETLIMITTEXT, 0, 0);
  carattere_ = CreaCarattere(dpi_);
  ImpostaCarattere(Hwnd(), static_cast<HFONT>(carattere_.get()));
  Posiziona(txtFile_, dpi_, m.PosizioneTxtFile.Left, m.PosizioneTxtFile.Top, m.PosizioneTxtFile.Width,
            m.PosizioneTxtFile.Height);
  Aggiorna();
  ::PostMessageA(Hwnd(), MessaggioAttivazione, 0, 0);
  return true;
}

void FinestraFrmMostraLog::Aggiorna() {
  if (!Hwnd()) return;
  const ModelloFrmMostraLog& m = logica_.Modello();
  ImpostaTesto(Hwnd(), m.Caption);
  ImpostaTesto(txtFile_, m.TxtFile.Text);
  ::SendMessageA(txtFile_, EM_SETMODIFY, FALSE, 0);
  ImpostaAbilitato(txtFile_, m.TxtFile.Abilitato);
  const HMENU menu = ::GetMenu(Hwnd());
  const std::pair<int, const VoceMenu*> voci[] = {{IdFrmMostraLog::mnup3, &m.mnup3},
                                                  {IdFrmMostraLog::mnup2, &m.mnup2},
                                                  {IdFrmMostraLog::mnup4, &m.mnup4}};
  for (const auto& [id, voce] : voci) {
    ::EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (voce->Abilitato ? MF_ENABLED : MF_GRAYED));
  }
}

bool FinestraFrmMostraLog::Chiusa() const { return !Hwnd() || chiusa_ || logica_.Modello().Scaricata; }

void FinestraFrmMostraLog::RiprendiAttivazione() {
  if (!Hwnd()) return;
  ritornoDaFinestra_ = true;
  ::SetActiveWindow(Hwnd());
  ritornoDaFinestra_ = false;
}

template <typename Gestore>
void FinestraFrmMostraLog::Gestisci(Gestore gestore) {
  try {
    gestore();
  } catch (...) {
    // A window procedure lets no error out; what the logic did not report itself is logged.
    RegistraEccezione(sessione_, "FrmMostraLog");
  }
  Aggiorna();
}

void FinestraFrmMostraLog::Attiva() {
  if (inAttivazione_) return;
  inAttivazione_ = true;
  Gestisci([this] { logica_.Form_Activate(); });
  inAttivazione_ = false;
}

void FinestraFrmMostraLog::LeggiTestoModificato() {
  if (::SendMessageA(txtFile_, EM_GETMODIFY, 0, 0)) {
    logica_.Modello().TxtFile.Text = TestoDi(txtFile_);
    ::SendMessageA(txtFile_, EM_SETMODIFY, FALSE, 0);
  }
}

void FinestraFrmMostraLog::Comando(int id) {
  switch (id) {
    case IdFrmMostraLog::mnup3:
      Gestisci([this] {
        LeggiTestoModificato();
        logica_.mnup3_Click();
      });
      break;
    case IdFrmMostraLog::mnup2:
      Gestisci([this] {
        LeggiTestoModificato();
        logica_.mnup2_Click();
      });
      break;
    case IdFrmMostraLog::mnup4: Gestisci([this] { logica_.mnup4_Click(); }); break;
    default: break;
  }
}

LRESULT FinestraFrmMostraLog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case MessaggioAttivazione: Attiva(); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && ritornoDaFinestra_)
        ::PostMessageA(Hwnd(), MessaggioAttivazione, 0, 0);
      break;
    case WM_SETFOCUS:
      // The text box takes the keyboard, so that the log scrolls with the keys at once.
      ::SetFocus(txtFile_);
      return 0;
    case WM_COMMAND:
      // Menu entries come with a zero notification and no control.
      if (HIWORD(wParam) == 0 && lParam == 0) Comando(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      // The close box unloads the window as "&Esci" does; the modal loop ends and its caller destroys
      // the window.
      chiusa_ = true;
      return 0;
    default: break;
  }
  return ::DefWindowProcA(Hwnd(), msg, wParam, lParam);
}

void MostraFrmMostraLog(const Sessione& sessione, Win32Desktop& desktop, HWND proprietaria,
                        const std::function<void()>& restituisci, FinestraFrmMostraLog*& aperta) {
  FrmMostraLog logica(sessione, desktop);
  FinestraFrmMostraLog finestra(sessione, logica);
  if (!finestra.Crea(proprietaria)) return;
  aperta = &finestra;
  EseguiModale(
      finestra.Hwnd(), desktop, [&finestra] { return finestra.Chiusa(); }, restituisci);
  aperta = nullptr;
}

}  // namespace talvo::finestre
