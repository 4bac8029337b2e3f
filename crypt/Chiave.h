// The provider context and the RC4 key derived from a password, as one object owns them.
//
// How it works: the provider is acquired once, at construction, from the key container
// "DSXCifEncrypt" of the Base provider; DeriveKey replaces the key with one derived from the MD5
// hash of the password's UTF-16LE bytes. A given password always yields the same key.
#pragma once

#include <string>

#include "CryptoHandles.h"

namespace talvo::cifrel {

// Diagnostic hook of the component; the text is discarded.
inline void TraceStep(const char* /*testo*/) noexcept {}

class Chiave {
 public:
  Chiave() { AcquireProvider("DSXCifEncrypt"); }

  bool HaProvider() const noexcept { return static_cast<bool>(prov_); }
  bool HaChiave() const noexcept { return static_cast<bool>(key_); }
  HCRYPTKEY Handle() const noexcept { return key_.get(); }

  // Replaces the key with one derived from the password; false (and no key) when that fails.
  bool DeriveKey(const std::wstring& password);

 private:
  bool AcquireProvider(const char* contenitore);

  // The key is destroyed before the provider it belongs to.
  unique_hcryptprov prov_;
  unique_hcryptkey key_;
};

}  // namespace talvo::cifrel
