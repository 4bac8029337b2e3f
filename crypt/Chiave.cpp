// Provider acquisition with the key-set fallbacks, and key derivation from the password.
#include "Chiave.h"

namespace talvo::cifrel {

namespace {
constexpr const char* NomeProvider = MS_DEF_PROV_A;  // "Microsoft Base Cryptographic Provider v1.0"
}

bool Chiave::AcquireProvider(const char* contenitore) {
  if (prov_) return true;
  const auto prova = [&](DWORD flag) {
    HCRYPTPROV h = 0;
    if (!::CryptAcquireContextA(&h, contenitore, NomeProvider, PROV_RSA_FULL, flag)) return false;
    prov_.reset(h);
    return true;
  };
  if (prova(0)) {
    TraceStep("A cryptographic provider has been acquired. \n");
    return true;
  }
  // The user's container is created when missing; the machine key set is the last resort, first
  // to create the container there, then to open it.
  if (::GetLastError() == static_cast<DWORD>(NTE_BAD_KEYSET) && prova(CRYPT_NEWKEYSET)) return true;
  if (prova(CRYPT_MACHINE_KEYSET | CRYPT_NEWKEYSET)) return true;
  return prova(CRYPT_MACHINE_KEYSET);
}

bool Chiave::DeriveKey(const std::wstring& password) {
  key_.reset();
  if (!prov_) return false;
  HCRYPTHASH h = 0;
  if (!::CryptCreateHash(prov_.get(), CALG_MD5, 0, 0, &h)) return false;
  const unique_hcrypthash hash(h);
  TraceStep("A hash object has been created. \n");
  // The UTF-16 code units, little-endian, without the terminating NUL.
  if (!::CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(password.data()),
                       static_cast<DWORD>(password.size() * sizeof(wchar_t)), 0)) {
    return false;
  }
  TraceStep("The password has been added to the hash. \n");
  HCRYPTKEY k = 0;
  if (!::CryptDeriveKey(prov_.get(), CALG_RC4, hash.get(), 0, &k)) return false;
  key_.reset(k);
  TraceStep("An encryption key is derived from the password hash. \n");
  return true;
}

}  // namespace talvo::cifrel
