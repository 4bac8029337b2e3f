// One Zip of a folder through Zipova at level 6: loads Zipova.dll without registration (our
// zip32.dll beside it), recurses into the folder and prints the wall time, the process's CPU
// time and the archive's size. Usage: ZipovaBenchmark <Zipova.dll> <root folder> <name> <archive>
#include <windows.h>

#include <cstdio>

#include <initguid.h>

#include "ZipovaCOM.h"

namespace {

double Seconds(const FILETIME& ft) {
  return static_cast<double>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) /
         1e7;
}

struct Cpu {
  double user;
  double kernel;
};

Cpu CpuSeconds() {
  FILETIME created, ended, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
  return {Seconds(user), Seconds(kernel)};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: ZipovaBenchmark <Zipova.dll> <root folder> <name> <archive>\n");
    return 2;
  }
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HMODULE server = ::LoadLibraryW(argv[1]);
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto get = server ? reinterpret_cast<GetClassObject>(
                          reinterpret_cast<void*>(::GetProcAddress(server, "DllGetClassObject")))
                    : nullptr;
  IClassFactory* factory = nullptr;
  _Zipova* zipova = nullptr;
  if (!get || FAILED(get(CLSID_Zipova, IID_IClassFactory, reinterpret_cast<void**>(&factory))) ||
      FAILED(factory->CreateInstance(nullptr, IID__Zipova, reinterpret_cast<void**>(&zipova)))) {
    std::fprintf(stderr, "cannot create Zipova from %ls\n", argv[1]);
    return 1;
  }
  BSTR root = ::SysAllocString(argv[2]);
  BSTR name = ::SysAllocString(argv[3]);
  BSTR archive = ::SysAllocString(argv[4]);
  zipova->put_RootDir(root);
  zipova->put_ZipFileName(archive);
  zipova->put_RecurseSubdirectories(VARIANT_TRUE);
  zipova->put_CompressionLevel(6);
  zipova->put_Quiet(VARIANT_TRUE);
  short count = 0;
  zipova->AddFile(name, &count);
  ::DeleteFileW(argv[4]);

  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  const Cpu cpuBefore = CpuSeconds();
  ::QueryPerformanceCounter(&start);
  long result = -100;
  zipova->Zip(&result);
  ::QueryPerformanceCounter(&end);
  const Cpu cpuAfter = CpuSeconds();
  const double seconds =
      static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  ::GetFileAttributesExW(argv[4], GetFileExInfoStandard, &attributes);
  const unsigned long long size =
      (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
  std::printf("zipova: result %ld wall %.3f s cpu user %.3f s kernel %.3f s size %llu\n", result, seconds,
              cpuAfter.user - cpuBefore.user, cpuAfter.kernel - cpuBefore.kernel, size);

  zipova->Release();
  factory->Release();
  ::SysFreeString(root);
  ::SysFreeString(name);
  ::SysFreeString(archive);
  return result == 0 ? 0 : 1;
}
