// Throughput of Cifrel's EncryptFile on one file, and the ceiling it is measured against: the
// same provider's RC4 (Base provider, key derived from the MD5 of the password's UTF-16LE bytes)
// enciphering a buffer of the file's size in memory, in large calls, timed here in the same run,
// in alternating rounds.
// Usage: CifrelBenchmark <Cifrel.dll> <password> <input> <output>
#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <initguid.h>

#include "Cifrel.h"
#include "com/ComPtr.h"
#include "raii/unique_any.h"

namespace {

using talvo::unique_bstr;
using talvo::com::ComPtr;

double Seconds() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void ReleaseContext(HCRYPTPROV p) noexcept { ::CryptReleaseContext(p, 0); }
void DestroyKey(HCRYPTKEY k) noexcept { ::CryptDestroyKey(k); }
void DestroyHash(HCRYPTHASH h) noexcept { ::CryptDestroyHash(h); }
using Provider = talvo::unique_any<HCRYPTPROV, ReleaseContext>;
using Key = talvo::unique_any<HCRYPTKEY, DestroyKey>;
using Hash = talvo::unique_any<HCRYPTHASH, DestroyHash>;

// Seconds that CryptEncrypt takes over `bytes` bytes in memory, in calls of 1 MiB; negative on failure.
double InMemoryCeiling(const std::wstring& password, std::size_t bytes) {
  HCRYPTPROV p = 0;
  if (!::CryptAcquireContextW(&p, nullptr, MS_DEF_PROV_W, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return -1;
  const Provider provider(p);
  HCRYPTHASH h = 0;
  if (!::CryptCreateHash(provider.get(), CALG_MD5, 0, 0, &h)) return -1;
  const Hash hash(h);
  if (!::CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(password.data()),
                       static_cast<DWORD>(password.size() * sizeof(wchar_t)), 0)) {
    return -1;
  }
  HCRYPTKEY k = 0;
  if (!::CryptDeriveKey(provider.get(), CALG_RC4, hash.get(), 0, &k)) return -1;
  const Key key(k);
  std::vector<BYTE> buffer(bytes, 0x5A);
  constexpr std::size_t kCall = 1 << 20;
  const double start = Seconds();
  for (std::size_t done = 0; done < bytes;) {
    const DWORD n = static_cast<DWORD>(bytes - done < kCall ? bytes - done : kCall);
    DWORD length = n;
    if (!::CryptEncrypt(key.get(), 0, done + n >= bytes, 0, buffer.data() + done, &length, n)) return -1;
    done += n;
  }
  return Seconds() - start;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: CifrelBenchmark <Cifrel.dll> <password> <input> <output>\n");
    return 2;
  }
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int status = 1;
  {
    const talvo::unique_hmodule server(::LoadLibraryW(argv[1]));
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto get = server ? reinterpret_cast<GetClassObject>(
                            reinterpret_cast<void*>(::GetProcAddress(server.get(), "DllGetClassObject")))
                      : nullptr;
    ComPtr<IClassFactory> factory;
    ComPtr<ICrypt> crypt;
    if (!get || FAILED(get(CLSID_Crypt, IID_IClassFactory, factory.put_void())) ||
        FAILED(factory->CreateInstance(nullptr, IID_ICrypt, crypt.put_void()))) {
      std::fprintf(stderr, "cannot create Crypt from %ls\n", argv[1]);
      return 1;
    }
    const unique_bstr password(::SysAllocString(argv[2]));
    const unique_bstr input(::SysAllocString(argv[3]));
    const unique_bstr output(::SysAllocString(argv[4]));
    crypt->put_Password(password.get());

    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ::GetFileAttributesExW(argv[3], GetFileExInfoStandard, &attributes);
    const unsigned long long size =
        (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    const double bytes = static_cast<double>(size);

    // Rounds alternate the file and the ceiling, so that the other work on a shared machine weighs
    // on both alike; the best of each is compared.
    constexpr int kRounds = 3;
    CifEncryptError result = CifEncryptSuccess;
    double bestFile = 0, bestCeiling = 0;
    for (int round = 1; round <= kRounds; ++round) {
      const double start = Seconds();
      crypt->EncryptFile(input.get(), output.get(), &result);
      const double seconds = Seconds() - start;
      const double fileRate = bytes / seconds / 1e6;
      std::printf("round %d: EncryptFile: result %ld, %.0f bytes in %.3f s, %.1f MB/s\n", round,
                  static_cast<long>(result), bytes, seconds, fileRate);
      const double ceiling = InMemoryCeiling(argv[2], static_cast<std::size_t>(size));
      if (ceiling <= 0) {
        std::fprintf(stderr, "the in-memory CryptEncrypt could not run\n");
        return 1;
      }
      const double ceilingRate = bytes / ceiling / 1e6;
      std::printf("round %d: CryptEncrypt in memory (1 MiB calls): %.3f s, %.1f MB/s; ratio %.2f\n", round,
                  ceiling, ceilingRate, fileRate / ceilingRate);
      bestFile = std::max(bestFile, fileRate);
      bestCeiling = std::max(bestCeiling, ceilingRate);
      if (result != CifEncryptSuccess) break;
    }
    std::printf("EncryptFile / in-memory CryptEncrypt (best of %d rounds each): %.1f / %.1f MB/s = %.2f\n",
                kRounds, bestFile, bestCeiling, bestFile / bestCeiling);
    status = result == CifEncryptSuccess ? 0 : 1;
  }
  ::CoUninitialize();
  return status;
}
