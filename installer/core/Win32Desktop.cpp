// Message boxes, event pumping, mouse pointer, clipboard and printing through the Win32 API.
#include "Win32Desktop.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <memory>

#include "ErroreRuntime.h"
#include "raii/unique_any.h"

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

[[noreturn]] void ErroreDiStampa() { throw ErroreRuntime(NumeroErrore::ErroreStampante); }

struct ChiudiStampante {
  void operator()(HANDLE h) const noexcept { ::ClosePrinter(h); }
};
using unique_printer = std::unique_ptr<void, ChiudiStampante>;

std::string StampantePredefinita() {
  DWORD dimensione = 0;
  ::GetDefaultPrinterA(nullptr, &dimensione);
  if (dimensione == 0) return {};
  std::string nome(dimensione, '\0');
  if (!::GetDefaultPrinterA(nome.data(), &dimensione)) return {};
  nome.resize(std::strlen(nome.c_str()));
  return nome;
}

// The printer's own settings, turned to the orientation asked for.
std::vector<char> ImpostazioniDispositivo(const std::string& stampante, int orientamento) {
  HANDLE h = nullptr;
  if (!::OpenPrinterA(const_cast<char*>(stampante.c_str()), &h, nullptr)) ErroreDiStampa();
  const unique_printer printer(h);
  const LONG dimensione =
      ::DocumentPropertiesA(nullptr, h, const_cast<char*>(stampante.c_str()), nullptr, nullptr, 0);
  if (dimensione <= 0) ErroreDiStampa();
  std::vector<char> dati(static_cast<std::size_t>(dimensione));
  auto* modo = reinterpret_cast<DEVMODEA*>(dati.data());
  if (::DocumentPropertiesA(nullptr, h, const_cast<char*>(stampante.c_str()), modo, nullptr, DM_OUT_BUFFER) !=
      IDOK) {
    ErroreDiStampa();
  }
  modo->dmFields |= DM_ORIENTATION;
  modo->dmOrientation = static_cast<short>(orientamento == 2 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
  if (::DocumentPropertiesA(nullptr, h, const_cast<char*>(stampante.c_str()), modo, modo,
                            DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK) {
    ErroreDiStampa();
  }
  return dati;
}

}  // namespace

RispostaMessaggio Win32Desktop::Messaggio(const std::string& testo, const std::string& titolo,
                                          IconaMessaggio icona, PulsantiMessaggio pulsanti) {
  PrimaDiMostrare();
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
  if (!::OpenClipboard(static_cast<HWND>(proprietaria_)))
    throw ErroreRuntime(NumeroErrore::AutorizzazioneNegata);
  ::EmptyClipboard();
  if (HGLOBAL memoria = ::GlobalAlloc(GMEM_MOVEABLE, testo.size() + 1)) {
    std::memcpy(::GlobalLock(memoria), testo.c_str(), testo.size() + 1);
    ::GlobalUnlock(memoria);
    // On success the clipboard owns the memory.
    if (::SetClipboardData(CF_TEXT, memoria) == nullptr) ::GlobalFree(memoria);
  }
  ::CloseClipboard();
}

std::vector<std::string> Win32Desktop::Stampanti() {
  const DWORD flag = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD necessari = 0;
  DWORD quante = 0;
  ::EnumPrintersA(flag, nullptr, 4, nullptr, 0, &necessari, &quante);
  std::vector<std::string> nomi;
  if (necessari == 0) return nomi;
  std::vector<BYTE> dati(necessari);
  if (!::EnumPrintersA(flag, nullptr, 4, dati.data(), necessari, &necessari, &quante)) return nomi;
  const auto* info = reinterpret_cast<const PRINTER_INFO_4A*>(dati.data());
  for (DWORD i = 0; i < quante; ++i) nomi.emplace_back(info[i].pPrinterName);
  return nomi;
}

void Win32Desktop::ImpostaStampanteCorrente(const std::string& nome) {
  for (const std::string& stampante : Stampanti()) {
    if (stampante == nome) {
      stampanteCorrente_ = nome;
      return;
    }
  }
}

void Win32Desktop::Stampa(const LavoroDiStampa& lavoro) {
  const std::string stampante = stampanteCorrente_.empty() ? StampantePredefinita() : stampanteCorrente_;
  if (stampante.empty()) ErroreDiStampa();
  const std::vector<char> impostazioni = ImpostazioniDispositivo(stampante, lavoro.Orientamento);
  const unique_hdc dc(::CreateDCA("WINSPOOL", stampante.c_str(), nullptr,
                                  reinterpret_cast<const DEVMODEA*>(impostazioni.data())));
  if (!dc) ErroreDiStampa();

  const int altezza = -::MulDiv(lavoro.DimensioneCarattere, ::GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
  const unique_hgdiobj carattere(::CreateFontA(
      altezza, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, lavoro.NomeCarattere.c_str()));
  DOCINFOA documento{};
  documento.cbSize = sizeof documento;
  documento.lpszDocName = "SetupTalvo";
  if (::StartDocA(dc.get(), &documento) <= 0) ErroreDiStampa();

  TEXTMETRICA metriche{};
  const int altezzaPagina = ::GetDeviceCaps(dc.get(), VERTRES);
  int y = 0;
  bool paginaAperta = false;
  std::size_t inizio = 0;
  // One document for the whole text; a page ends where the next line would not fit.
  while (inizio <= lavoro.Testo.size()) {
    std::size_t fine = lavoro.Testo.find("\r\n", inizio);
    if (fine == std::string::npos) fine = lavoro.Testo.size();
    if (!paginaAperta) {
      if (::StartPage(dc.get()) <= 0) ErroreDiStampa();
      ::SelectObject(dc.get(), carattere.get());
      ::GetTextMetricsA(dc.get(), &metriche);
      paginaAperta = true;
      y = 0;
    }
    ::TextOutA(dc.get(), 0, y, lavoro.Testo.data() + inizio, static_cast<int>(fine - inizio));
    y += metriche.tmHeight + metriche.tmExternalLeading;
    if (y + metriche.tmHeight > altezzaPagina) {
      ::EndPage(dc.get());
      paginaAperta = false;
    }
    inizio = fine + 2;
  }
  if (paginaAperta) ::EndPage(dc.get());
  if (::EndDoc(dc.get()) <= 0) ErroreDiStampa();
}

}  // namespace talvo
