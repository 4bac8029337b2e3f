// The wait window: placed and sized in twips from the screen's top-left corner.
#include "FinestraFrmAttendere.h"

#include <utility>

#include "Controlli.h"
#include "Dpi.h"
#include "IdControlli.h"
#include "Win32Desktop.h"

namespace talvo::finestre {

namespace {
constexpr DWORD StileFinestra = WS_POPUP | WS_CAPTION;
constexpr int TopLabel = 360;
constexpr int AltezzaLabel = 255;
}  // namespace

FinestraFrmAttendere::FinestraFrmAttendere(const Sessione& sessione, const ModelloFrmAttendere& modello)
    : Finestra(sessione, "frmAttendere"), modello_(modello) {}

void FinestraFrmAttendere::Aggiorna() {
  if (!modello_.Visibile) {
    Distruggi();
    return;
  }
  if (!Hwnd()) Crea();
  if (!Hwnd()) return;
  ImpostaTesto(Hwnd(), modello_.Caption);
  ImpostaTesto(label1_, modello_.Label1.Caption);
  ImpostaVisibile(label1_, modello_.Label1.Visibile);
  Disponi();
  if (!::IsWindowVisible(Hwnd())) ::ShowWindow(Hwnd(), SW_SHOW);
  ::UpdateWindow(Hwnd());
}

void FinestraFrmAttendere::Crea() {
  const int dpi = DpiSchermo();
  if (!Finestra::Crea(WS_EX_TOOLWINDOW, ClasseFrmAttendere, modello_.Caption, StileFinestra,
                      Pixel(modello_.Left, dpi), Pixel(modello_.Top, dpi), Pixel(modello_.Larghezza, dpi),
                      Pixel(modello_.Altezza, dpi), nullptr)) {
    return;
  }
  dpi_ = DpiDi(Hwnd());
  label1_ = CreaControllo(Hwnd(), "STATIC", modello_.Label1.Caption, WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                          IdFrmAttendere::Label1);
  AggiornaCarattere();
}

void FinestraFrmAttendere::AggiornaCarattere() {
  // The label takes the new font before the old one is deleted.
  unique_hgdiobj carattere = CreaCarattere(dpi_);
  ImpostaCarattere(Hwnd(), static_cast<HFONT>(carattere.get()));
  carattere_ = std::move(carattere);
}

void FinestraFrmAttendere::Disponi() {
  ::SetWindowPos(Hwnd(), nullptr, Pixel(modello_.Left, dpi_), Pixel(modello_.Top, dpi_),
                 Pixel(modello_.Larghezza, dpi_), Pixel(modello_.Altezza, dpi_),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  Posiziona(label1_, dpi_, modello_.LeftLabel, TopLabel, modello_.LarghezzaLabel, AltezzaLabel);
}

LRESULT FinestraFrmAttendere::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KILLFOCUS:
      // The load keeps the thread busy: when another window takes the focus, repaint and let
      // pending events run so the text stays visible. Those events may take the focus again.
      if (!inPerditaFuoco_) {
        inPerditaFuoco_ = true;
        ::RedrawWindow(Hwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ElaboraMessaggiInAttesa();
        inPerditaFuoco_ = false;
      }
      return 0;
    case WM_DPICHANGED:
      dpi_ = HIWORD(wParam);
      AggiornaCarattere();
      Disponi();
      return 0;
    default: return ::DefWindowProcA(Hwnd(), msg, wParam, lParam);
  }
}

}  // namespace talvo::finestre
