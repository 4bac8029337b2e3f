// Printing through the spooler and a printer device context.
//
// How it works: the printer's own default settings are read (DocumentProperties) and given the
// job's orientation, a device context is made with them, the job's font is selected into it, and the
// text is cut into rows and pages by what the font's characters measure on that device. Owners
// release everything in reverse order: the document is aborted unless it ended, the old font is
// selected back before the job's font is deleted, and the font is deleted before the device context.
#include "Stampante.h"

#include <windows.h>
// After windows.h: the build leaves the spooler out of it.
#include <winspool.h>

#include <algorithm>
#include <cstring>

#include "Impaginazione.h"
#include "core/ErroreRuntime.h"
#include "raii/unique_any.h"

namespace talvo::finestre {

namespace {

void ChiudiStampante(HANDLE stampante) noexcept { ::ClosePrinter(stampante); }
using unique_hprinter = unique_any<HANDLE, ChiudiStampante>;

[[noreturn]] void ErroreDellaStampante() { throw ErroreRuntime(NumeroErrore::ErroreStampante); }

// Keeps a GDI object selected into a device context, and selects the one it replaced back.
class Selezione {
 public:
  Selezione(HDC dc, HGDIOBJ oggetto) : dc_(dc), precedente_(::SelectObject(dc, oggetto)) {
    if (!precedente_ || precedente_ == HGDI_ERROR) ErroreDellaStampante();
  }
  ~Selezione() { ::SelectObject(dc_, precedente_); }
  Selezione(const Selezione&) = delete;
  Selezione& operator=(const Selezione&) = delete;

 private:
  HDC dc_;
  HGDIOBJ precedente_;
};

// A started document: aborted when its owner goes before it ended.
class Documento {
 public:
  Documento(HDC dc, const std::string& nome) : dc_(dc) {
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = nome.c_str();
    if (::StartDocA(dc_, &info) <= 0) ErroreDellaStampante();
  }
  ~Documento() {
    if (!finito_) ::AbortDoc(dc_);
  }
  Documento(const Documento&) = delete;
  Documento& operator=(const Documento&) = delete;

  void Fine() {
    if (::EndDoc(dc_) <= 0) ErroreDellaStampante();
    finito_ = true;
  }

 private:
  HDC dc_;
  bool finito_ = false;
};

// The printer's default settings with the job's orientation.
std::vector<char> Impostazioni(HANDLE stampante, const std::string& nome, int orientamento) {
  char* nomeStampante = const_cast<char*>(nome.c_str());
  const LONG dimensione = ::DocumentPropertiesA(nullptr, stampante, nomeStampante, nullptr, nullptr, 0);
  if (dimensione < static_cast<LONG>(sizeof(DEVMODEA))) ErroreDellaStampante();
  std::vector<char> memoria(static_cast<std::size_t>(dimensione));
  auto* modo = reinterpret_cast<DEVMODEA*>(memoria.data());
  if (::DocumentPropertiesA(nullptr, stampante, nomeStampante, modo, nullptr, DM_OUT_BUFFER) != IDOK)
    ErroreDellaStampante();
  modo->dmFields |= DM_ORIENTATION;
  modo->dmOrientation = static_cast<short>(orientamento);
  // The driver checks the change against its other settings.
  if (::DocumentPropertiesA(nullptr, stampante, nomeStampante, modo, modo, DM_IN_BUFFER | DM_OUT_BUFFER) !=
      IDOK)
    ErroreDellaStampante();
  return memoria;
}

}  // namespace

std::vector<std::string> ElencoStampanti() {
  constexpr DWORD Quali = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD necessari = 0;
  DWORD quante = 0;
  std::vector<BYTE> memoria;
  // The list may grow between asking its size and reading it.
  for (int tentativo = 0; tentativo < 3; ++tentativo) {
    memoria.resize(std::max<DWORD>(necessari, 1));
    if (::EnumPrintersA(Quali, nullptr, 4, memoria.data(), static_cast<DWORD>(memoria.size()), &necessari,
                        &quante)) {
      std::vector<std::string> nomi;
      const auto* stampanti = reinterpret_cast<const PRINTER_INFO_4A*>(memoria.data());
      for (DWORD i = 0; i < quante; ++i) {
        if (stampanti[i].pPrinterName) nomi.emplace_back(stampanti[i].pPrinterName);
      }
      return nomi;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
  }
  ErroreDellaStampante();
}

std::string StampantePredefinita() {
  DWORD lunghezza = 0;
  ::GetDefaultPrinterA(nullptr, &lunghezza);
  if (lunghezza == 0) return {};
  std::string nome(lunghezza, '\0');
  if (!::GetDefaultPrinterA(nome.data(), &lunghezza)) return {};
  nome.resize(std::strlen(nome.c_str()));
  return nome;
}

void StampaDocumento(const std::string& stampante, const std::string& documento,
                     const LavoroDiStampa& lavoro) {
  if (stampante.empty()) ErroreDellaStampante();
  unique_hprinter spooler;
  if (!::OpenPrinterA(const_cast<char*>(stampante.c_str()), spooler.put(), nullptr)) ErroreDellaStampante();
  const std::vector<char> impostazioni = Impostazioni(spooler.get(), stampante, lavoro.Orientamento);

  const unique_hdc dc(::CreateDCA("WINSPOOL", stampante.c_str(), nullptr,
                                  reinterpret_cast<const DEVMODEA*>(impostazioni.data())));
  if (!dc) ErroreDellaStampante();
  LOGFONTA lf{};
  lf.lfHeight = -::MulDiv(lavoro.DimensioneCarattere, ::GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(lf.lfFaceName, lavoro.NomeCarattere.c_str(), LF_FACESIZE);
  const unique_hgdiobj carattere(::CreateFontIndirectA(&lf));
  if (!carattere) ErroreDellaStampante();
  const Selezione selezione(dc.get(), carattere.get());

  TEXTMETRICA metriche{};
  if (!::GetTextMetricsA(dc.get(), &metriche)) ErroreDellaStampante();
  const int altezzaRiga = std::max<int>(1, metriche.tmHeight + metriche.tmExternalLeading);
  // A quarter of an inch inside the printable area on every side: nothing is cut at the sheet's edge
  // when the printer renders the font a little wider than its metrics said.
  const int margineX = ::GetDeviceCaps(dc.get(), LOGPIXELSX) / 4;
  const int margineY = ::GetDeviceCaps(dc.get(), LOGPIXELSY) / 4;
  const int larghezza = ::GetDeviceCaps(dc.get(), HORZRES) - 2 * margineX;
  const int altezza = ::GetDeviceCaps(dc.get(), VERTRES) - 2 * margineY;
  if (larghezza <= 0 || altezza <= 0) ErroreDellaStampante();

  const std::vector<Pagina> pagine = Impagina(
      lavoro.Testo, static_cast<std::size_t>(std::max(1, altezza / altezzaRiga)), [&](std::string_view riga) {
        int stanno = 0;
        SIZE misura{};
        const int quanti = static_cast<int>(std::min<std::size_t>(riga.size(), 0x7FFFFFFF));
        if (!::GetTextExtentExPointA(dc.get(), riga.data(), quanti, larghezza, &stanno, nullptr, &misura))
          ErroreDellaStampante();
        return static_cast<std::size_t>(stanno);
      });

  Documento stampa(dc.get(), documento);
  for (const Pagina& pagina : pagine) {
    if (::StartPage(dc.get()) <= 0) ErroreDellaStampante();
    // Some drivers reset the device context at each page: the font is selected again.
    ::SelectObject(dc.get(), carattere.get());
    int y = margineY;
    for (const std::string& riga : pagina) {
      if (!riga.empty() && !::TextOutA(dc.get(), margineX, y, riga.data(), static_cast<int>(riga.size())))
        ErroreDellaStampante();
      y += altezzaRiga;
    }
    if (::EndPage(dc.get()) <= 0) ErroreDellaStampante();
  }
  stampa.Fine();
}

}  // namespace talvo::finestre
