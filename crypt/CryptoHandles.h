// Owners for CryptoAPI handles: a provider context, a key and a hash object.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include "raii/unique_any.h"

namespace talvo::cifrel {

namespace detail {
inline void release_context(HCRYPTPROV p) noexcept { ::CryptReleaseContext(p, 0); }
inline void destroy_key(HCRYPTKEY k) noexcept { ::CryptDestroyKey(k); }
inline void destroy_hash(HCRYPTHASH h) noexcept { ::CryptDestroyHash(h); }
}  // namespace detail

using unique_hcryptprov = unique_any<HCRYPTPROV, detail::release_context>;
using unique_hcryptkey = unique_any<HCRYPTKEY, detail::destroy_key>;
using unique_hcrypthash = unique_any<HCRYPTHASH, detail::destroy_hash>;

}  // namespace talvo::cifrel
