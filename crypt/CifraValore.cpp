// Byte images of automation values, the parts of them that are enciphered, and the string path
// through the printable cipher text.
#include "CifraValore.h"

#include <cstring>
#include <string>

#include "TestoCifrato.h"
#include "com/SafeArrayAccess.h"

namespace talvo::cifrel {

namespace {

// Reads n bytes at p, where p is the value's own storage or what its reference points to.
std::vector<std::uint8_t> Byte(const void* p, std::size_t n) {
  const auto* inizio = static_cast<const std::uint8_t*>(p);
  return std::vector<std::uint8_t>(inizio, inizio + n);
}

const VARIANT& Riferito(const VARIANT& valore) {
  const VARIANT* v = &valore;
  // A variable passed by reference arrives as a reference to the variant that holds it.
  for (int livello = 0; livello < 4 && v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal != nullptr; ++livello) {
    v = v->pvarVal;
  }
  return *v;
}

void RisultatoErrore(VARIANT* risultato, Esito esito) {
  risultato->vt = VT_ERROR;
  risultato->scode = static_cast<SCODE>(esito);
}

void StringaVuota(VARIANT* risultato) {
  risultato->vt = VT_BSTR;
  risultato->bstrVal = ::SysAllocString(L"");
}

void StringaRisultato(VARIANT* risultato, const std::wstring& testo) {
  // The text ends at its first NUL code unit.
  const std::size_t fine = testo.find(L'\0');
  const std::wstring parte = fine == std::wstring::npos ? testo : testo.substr(0, fine);
  risultato->vt = VT_BSTR;
  risultato->bstrVal = ::SysAllocStringLen(parte.data(), static_cast<UINT>(parte.size()));
  if (risultato->bstrVal == nullptr) RisultatoErrore(risultato, Esito::CifEncryptProviderError);
}

bool Applica(HCRYPTKEY chiave, Direzione direzione, std::uint8_t* dati, DWORD lunghezza) {
  DWORD n = lunghezza;
  return direzione == Direzione::Cifra ? ::CryptEncrypt(chiave, 0, TRUE, 0, dati, &n, lunghezza) != FALSE
                                       : ::CryptDecrypt(chiave, 0, TRUE, 0, dati, &n) != FALSE;
}

std::wstring CodeUnit(const Immagine& immagine) {
  std::wstring testo(immagine.byte.size() / 2, L'\0');
  std::memcpy(testo.data(), immagine.byte.data(), testo.size() * 2);
  return testo;
}

void CifraStringa(HCRYPTKEY chiave, const Immagine& immagine, VARIANT* risultato) {
  const std::wstring testo = CodeUnit(immagine);
  bool stretto = true;
  for (wchar_t unita : testo) stretto = stretto && unita <= 254;
  std::vector<std::uint8_t> payload;
  if (stretto) {
    for (wchar_t unita : testo) payload.push_back(static_cast<std::uint8_t>(unita));
  } else {
    payload = immagine.byte;
  }
  if (!Applica(chiave, Direzione::Cifra, payload.data(), static_cast<DWORD>(payload.size()))) {
    RisultatoErrore(risultato, Esito::CifEncryptProviderError);
    return;
  }
  StringaRisultato(risultato, EncodeCipherText(payload, stretto));
}

void DecifraStringa(HCRYPTKEY chiave, const Immagine& immagine, VARIANT* risultato) {
  const std::wstring testo = CodeUnit(immagine);
  for (wchar_t unita : testo) {
    if (unita >= 255) return RisultatoErrore(risultato, Esito::CifEncryptFormatInvalid);
  }
  TestoDecodificato decodificato = DecodeCipherText(testo);
  std::vector<std::uint8_t>& payload = decodificato.payload;
  if (!payload.empty() &&
      !Applica(chiave, Direzione::Decifra, payload.data(), static_cast<DWORD>(payload.size()))) {
    return RisultatoErrore(risultato, Esito::CifEncryptProviderError);
  }
  std::wstring chiaro;
  if (decodificato.stretto) {
    for (std::uint8_t byte : payload) chiaro.push_back(static_cast<wchar_t>(byte));
  } else {
    chiaro.resize(payload.size() / 2);  // an odd last byte is ignored
    std::memcpy(chiaro.data(), payload.data(), chiaro.size() * 2);
  }
  StringaRisultato(risultato, chiaro);
}

}  // namespace

std::optional<Immagine> VariantToBytes(const VARIANT& valore) {
  const VARIANT& v = Riferito(valore);
  const bool perRiferimento = (v.vt & VT_BYREF) != 0;
  Immagine immagine;
  immagine.tipo = static_cast<VARTYPE>(v.vt & ~VT_BYREF);
  const auto dati = [&](const void* diretto, const void* riferito) {
    return perRiferimento ? riferito : diretto;
  };
  switch (immagine.tipo) {
    case VT_UI1: immagine.byte = Byte(dati(&v.bVal, v.pbVal), 1); break;
    case VT_I2:
    case VT_UI2: immagine.byte = Byte(dati(&v.iVal, v.piVal), 2); break;
    case VT_I4:
    case VT_R4:
    case VT_UI4: immagine.byte = Byte(dati(&v.lVal, v.plVal), 4); break;
    case VT_R8:
    case VT_DATE:
    case VT_CY: immagine.byte = Byte(dati(&v.dblVal, v.pdblVal), 8); break;
    case VT_DECIMAL:
      // Held directly, the decimal overlays the variant, so its reserved bytes hold the type.
      immagine.byte =
          Byte(perRiferimento ? static_cast<const void*>(v.pdecVal) : static_cast<const void*>(&v), 16);
      break;
    case VT_BSTR: {
      const BSTR testo = perRiferimento ? *v.pbstrVal : v.bstrVal;
      if (testo == nullptr) return std::nullopt;
      immagine.byte = Byte(testo, std::wcslen(testo) * 2);
      break;
    }
    case VT_ARRAY | VT_UI1: {
      SAFEARRAY* array = perRiferimento ? *v.pparray : v.parray;
      if (array == nullptr || ::SafeArrayGetDim(array) != 1) return std::nullopt;
      LONG inferiore = 0;
      LONG superiore = -1;
      if (FAILED(::SafeArrayGetLBound(array, 1, &inferiore)) ||
          FAILED(::SafeArrayGetUBound(array, 1, &superiore)))
        return std::nullopt;
      immagine.limiteInferiore = inferiore;
      // The lock is released however this scope is left, a failed allocation included.
      com::SafeArrayAccess accesso;
      if (FAILED(accesso.Access(array))) return std::nullopt;
      const long long conteggio = static_cast<long long>(superiore) - inferiore + 1;
      immagine.byte = Byte(accesso.Data(), conteggio > 0 ? static_cast<std::size_t>(conteggio) : 0);
      break;
    }
    default: return std::nullopt;
  }
  return immagine;
}

HRESULT BytesToVariant(const Immagine& immagine, VARIANT* risultato) {
  ::VariantInit(risultato);
  switch (immagine.tipo) {
    case VT_DECIMAL:
      std::memcpy(reinterpret_cast<std::uint8_t*>(&risultato->decVal) + 2, immagine.byte.data() + 2, 14);
      risultato->vt = VT_DECIMAL;
      return S_OK;
    case VT_BSTR:
      risultato->bstrVal = ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(immagine.byte.data()),
                                               static_cast<UINT>(immagine.byte.size() / 2));
      if (risultato->bstrVal == nullptr) return E_OUTOFMEMORY;
      risultato->vt = VT_BSTR;
      return S_OK;
    case VT_ARRAY | VT_UI1: {
      SAFEARRAYBOUND limite{static_cast<ULONG>(immagine.byte.size()), immagine.limiteInferiore};
      SAFEARRAY* array = ::SafeArrayCreate(VT_UI1, 1, &limite);
      if (array == nullptr) return E_OUTOFMEMORY;
      {
        com::SafeArrayAccess accesso;
        const HRESULT hr = accesso.Access(array);
        if (FAILED(hr)) {
          ::SafeArrayDestroy(array);
          return hr;
        }
        if (!immagine.byte.empty()) std::memcpy(accesso.Data(), immagine.byte.data(), immagine.byte.size());
      }
      risultato->vt = VT_ARRAY | VT_UI1;
      risultato->parray = array;
      return S_OK;
    }
    default:
      // Numbers, dates and currency: the bytes are the value itself.
      std::memcpy(&risultato->llVal, immagine.byte.data(), immagine.byte.size());
      risultato->vt = immagine.tipo;
      return S_OK;
  }
}

void CifraValore(Chiave& chiave, const VARIANT* valore, VARIANT* risultato, Direzione direzione) {
  ::VariantInit(risultato);
  if (!chiave.HaChiave()) return RisultatoErrore(risultato, Esito::CifEncryptNoPwd);
  std::optional<Immagine> immagine = valore ? VariantToBytes(*valore) : std::nullopt;
  if (!immagine || immagine->byte.empty()) {
    const VARTYPE tipo = valore ? Riferito(*valore).vt : static_cast<VARTYPE>(VT_EMPTY);
    if ((tipo & ~(VT_BYREF | VT_ARRAY)) == VT_BSTR) return StringaVuota(risultato);
    return RisultatoErrore(risultato, Esito::CifEncryptFormatInvalid);
  }
  if (immagine->tipo == VT_BSTR) {
    return direzione == Direzione::Cifra ? CifraStringa(chiave.Handle(), *immagine, risultato)
                                         : DecifraStringa(chiave.Handle(), *immagine, risultato);
  }
  // Decimals keep their reserved bytes, scale and sign; dates their two top bytes.
  std::size_t inizio = 0;
  std::size_t fine = immagine->byte.size();
  if (immagine->tipo == VT_DECIMAL) inizio = 4;
  if (immagine->tipo == VT_DATE) fine = 6;
  if (!Applica(chiave.Handle(), direzione, immagine->byte.data() + inizio,
               static_cast<DWORD>(fine - inizio))) {
    return RisultatoErrore(risultato, Esito::CifEncryptProviderError);
  }
  if (FAILED(BytesToVariant(*immagine, risultato)))
    RisultatoErrore(risultato, Esito::CifEncryptProviderError);
}

}  // namespace talvo::cifrel
