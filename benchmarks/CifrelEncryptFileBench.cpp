// Throughput of Cifrel's EncryptFile on one file: loads the server without registration, sets
// the password and times one call. Usage: CifrelBenchmark <Cifrel.dll> <password> <input> <output>
#include <windows.h>

#include <cstdio>
#include <string>

#include <initguid.h>

#include "Cifrel.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: CifrelBenchmark <Cifrel.dll> <password> <input> <output>\n");
    return 2;
  }
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HMODULE server = ::LoadLibraryW(argv[1]);
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto get = server ? reinterpret_cast<GetClassObject>(
                          reinterpret_cast<void*>(::GetProcAddress(server, "DllGetClassObject")))
                    : nullptr;
  IClassFactory* factory = nullptr;
  ICrypt* crypt = nullptr;
  if (!get || FAILED(get(CLSID_Crypt, IID_IClassFactory, reinterpret_cast<void**>(&factory))) ||
      FAILED(factory->CreateInstance(nullptr, IID_ICrypt, reinterpret_cast<void**>(&crypt)))) {
    std::fprintf(stderr, "cannot create Crypt from %ls\n", argv[1]);
    return 1;
  }
  BSTR password = ::SysAllocString(argv[2]);
  BSTR input = ::SysAllocString(argv[3]);
  BSTR output = ::SysAllocString(argv[4]);
  crypt->put_Password(password);

  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  ::GetFileAttributesExW(argv[3], GetFileExInfoStandard, &attributes);
  const double bytes = static_cast<double>(attributes.nFileSizeLow) +
                       static_cast<double>(attributes.nFileSizeHigh) * 4294967296.0;

  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  CifEncryptError result = CifEncryptSuccess;
  crypt->EncryptFile(input, output, &result);
  ::QueryPerformanceCounter(&end);
  const double seconds =
      static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("EncryptFile: result %ld, %.0f bytes in %.3f s, %.1f MB/s\n", static_cast<long>(result), bytes,
              seconds, bytes / seconds / 1e6);

  ::SysFreeString(password);
  ::SysFreeString(input);
  ::SysFreeString(output);
  crypt->Release();
  factory->Release();
  return result == CifEncryptSuccess ? 0 : 1;
}
