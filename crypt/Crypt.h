// The Crypt class: a password, the key derived from it, and the file and value operations that
// use that key. Every member answers S_OK and reports its outcome in its out value.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <string>

#include "Chiave.h"
#include "CifEncryptError.h"
#include "CifraFile.h"
#include "Cifrel.h"
#include "com/Dispatch.h"
#include "com/Object.h"

namespace talvo::cifrel {

class Crypt final : public com::Object<Crypt, com::Dispatch<ICrypt>, IConnectionPointContainer> {
 public:
  static constexpr bool kAggregatable = true;

  static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv) noexcept {
    return Object::Create(outer, riid, ppv);
  }

  // ICrypt
  STDMETHODIMP EncryptFile(BSTR bsInputFileName, BSTR bsOutputFileName,
                           CifEncryptError* pVar) noexcept override;
  STDMETHODIMP DecryptFile(BSTR bsInputFileName, BSTR bsOutputFileName,
                           CifEncryptError* pVar) noexcept override;
  STDMETHODIMP get_Password(BSTR* pVal) noexcept override;
  STDMETHODIMP put_Password(BSTR newVal) noexcept override;
  STDMETHODIMP Encrypt(VARIANT* pVar, VARIANT* pOutVar) noexcept override;
  STDMETHODIMP Decrypt(VARIANT* pVar, VARIANT* pOutVar) noexcept override;

  // IConnectionPointContainer: the class has no connection points and fires no events.
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** ppEnum) noexcept override;
  STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) noexcept override;

 private:
  HRESULT OperazioneFile(BSTR input, BSTR output, Direzione direzione, CifEncryptError* pVar) noexcept;
  HRESULT OperazioneValore(VARIANT* valore, Direzione direzione, VARIANT* risultato) noexcept;

  // The password is kept whole, whatever its length.
  std::wstring password_;
  Chiave chiave_;
  Esito ultimoEsito_ = Esito::CifEncryptSuccess;
};

}  // namespace talvo::cifrel
