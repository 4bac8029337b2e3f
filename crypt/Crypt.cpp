// Members of the Crypt class.
#include "Crypt.h"

#include <olectl.h>

#include <string_view>

#include "CifraValore.h"
#include "NessunPuntoDiConnessione.h"

namespace talvo::cifrel {

HRESULT Crypt::OperazioneFile(BSTR input, BSTR output, Direzione direzione, CifEncryptError* pVar) noexcept {
  if (pVar == nullptr) return E_POINTER;
  if (password_.empty()) {
    *pVar = static_cast<CifEncryptError>(Esito::CifEncryptNoPwd);
    return S_OK;
  }
  try {
    ultimoEsito_ = CifraFile(chiave_, password_, input, output, direzione);
  } catch (...) {
    ultimoEsito_ = Esito::CifEncryptProviderError;
  }
  *pVar = static_cast<CifEncryptError>(ultimoEsito_);
  return S_OK;
}

STDMETHODIMP Crypt::EncryptFile(BSTR bsInputFileName, BSTR bsOutputFileName, CifEncryptError* pVar) noexcept {
  return OperazioneFile(bsInputFileName, bsOutputFileName, Direzione::Cifra, pVar);
}

STDMETHODIMP Crypt::DecryptFile(BSTR bsInputFileName, BSTR bsOutputFileName, CifEncryptError* pVar) noexcept {
  return OperazioneFile(bsInputFileName, bsOutputFileName, Direzione::Decifra, pVar);
}

STDMETHODIMP Crypt::get_Password(BSTR* pVal) noexcept {
  if (pVal == nullptr) return E_POINTER;
  *pVal = ::SysAllocStringLen(password_.data(), static_cast<UINT>(password_.size()));
  return *pVal ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP Crypt::put_Password(BSTR newVal) noexcept {
  // The password is the text up to its first NUL, as a NUL-terminated buffer keeps it, so that a
  // file encrypted elsewhere with such a password opens here. A password, once set, cannot be
  // cleared: an empty one, or one that starts with NUL, changes nothing.
  const std::wstring_view testo =
      newVal == nullptr ? std::wstring_view() : std::wstring_view(newVal, ::SysStringLen(newVal));
  const std::wstring_view password = testo.substr(0, testo.find(L'\0'));
  if (password.empty()) return S_OK;
  try {
    password_.assign(password);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  chiave_.DeriveKey(password_);
  return S_OK;
}

HRESULT Crypt::OperazioneValore(VARIANT* valore, Direzione direzione, VARIANT* risultato) noexcept {
  if (risultato == nullptr) return E_POINTER;
  try {
    CifraValore(chiave_, valore, risultato, direzione);
  } catch (...) {
    ::VariantClear(risultato);
    risultato->vt = VT_ERROR;
    risultato->scode = static_cast<SCODE>(Esito::CifEncryptProviderError);
  }
  return S_OK;
}

STDMETHODIMP Crypt::Encrypt(VARIANT* pVar, VARIANT* pOutVar) noexcept {
  return OperazioneValore(pVar, Direzione::Cifra, pOutVar);
}

STDMETHODIMP Crypt::Decrypt(VARIANT* pVar, VARIANT* pOutVar) noexcept {
  return OperazioneValore(pVar, Direzione::Decifra, pOutVar);
}

STDMETHODIMP Crypt::EnumConnectionPoints(IEnumConnectionPoints** ppEnum) noexcept {
  return NessunPuntoDiConnessione::Create(nullptr, IID_IEnumConnectionPoints,
                                          reinterpret_cast<void**>(ppEnum));
}

STDMETHODIMP Crypt::FindConnectionPoint(REFIID, IConnectionPoint** ppCP) noexcept {
  if (ppCP == nullptr) return E_POINTER;
  *ppCP = nullptr;
  return CONNECT_E_NOCONNECTION;
}

}  // namespace talvo::cifrel
