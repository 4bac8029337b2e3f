// Copying text to the clipboard.
#include "Appunti.h"

#include <cstring>

#include "core/ErroreRuntime.h"
#include "raii/unique_any.h"

namespace talvo::finestre {

namespace {

void ChiudiAppunti(bool) noexcept { ::CloseClipboard(); }
void LiberaMemoria(HGLOBAL memoria) noexcept { ::GlobalFree(memoria); }

// Holds the clipboard open; only `true` is ever held.
using AppuntiAperti = unique_any<bool, ChiudiAppunti>;
using unique_hglobal = unique_any<HGLOBAL, LiberaMemoria>;

}  // namespace

void CopiaTestoNegliAppunti(HWND proprietaria, const std::string& testo) {
  if (!::OpenClipboard(proprietaria)) SollevaUltimoErroreWin32();
  const AppuntiAperti aperti(true);
  if (!::EmptyClipboard()) SollevaUltimoErroreWin32();

  unique_hglobal memoria(::GlobalAlloc(GMEM_MOVEABLE, testo.size() + 1));
  if (!memoria) throw ErroreRuntime(NumeroErrore::MemoriaEsaurita);
  void* dati = ::GlobalLock(memoria.get());
  if (!dati) SollevaUltimoErroreWin32();
  std::memcpy(dati, testo.c_str(), testo.size() + 1);
  ::GlobalUnlock(memoria.get());
  if (!::SetClipboardData(CF_TEXT, memoria.get())) SollevaUltimoErroreWin32();
  // The clipboard owns the memory now.
  static_cast<void>(memoria.release());
}

}  // namespace talvo::finestre
