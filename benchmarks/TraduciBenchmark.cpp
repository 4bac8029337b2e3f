// Measures Ifmx.Traduci as callers reach it: calls per second on an outer-join statement through
// the vtable and through IDispatch, against a floor timed in the same run (the test server's
// Echo, a trivial method that returns a new BSTR, on the same statement) in alternating rounds,
// and the time to translate SELECTs of growing length full of substr calls, to show how the cost
// grows.
//   TraduciBenchmark.exe [path of Vortan.dll, by default the one built with it]
#include <windows.h>

#include <initguid.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Vortan.h"
#ifdef TALVO_ECHO_DLL
#include "ComTestServer.h"
#endif
#include "com/ComPtr.h"
#include "com/Dispatch.h"
#include "raii/unique_any.h"

namespace {

using talvo::unique_bstr;
using talvo::com::ComPtr;

const wchar_t kOuterJoin[] = L"SELECT a.x, b.y FROM {oj a LEFT OUTER JOIN b ON a.k = b.k} WHERE a.z = 1";

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs call() repeatedly for about `seconds` and returns the calls per second.
template <typename Call>
double CallsPerSecond(Call&& call, double seconds = 1.0) {
  for (int i = 0; i < 1000; ++i) call();  // warm-up
  long long calls = 0;
  const double start = Seconds();
  double elapsed = 0;
  do {
    for (int i = 0; i < 1000; ++i) call();
    calls += 1000;
    elapsed = Seconds() - start;
  } while (elapsed < seconds);
  return static_cast<double>(calls) / elapsed;
}

// The best calls per second of each of two calls timed in alternating rounds, so that the other
// work on a shared machine weighs on both alike and a quiet moment serves both.
struct Pair {
  double first = 0;
  double second = 0;
};
template <typename First, typename Second>
Pair Alternating(First&& first, Second&& second) {
  constexpr int kRounds = 6;
  Pair best;
  for (int round = 0; round < kRounds; ++round) {
    best.first = std::max(best.first, CallsPerSecond(first, 0.25));
    best.second = std::max(best.second, CallsPerSecond(second, 0.25));
  }
  return best;
}

// A SELECT of exactly `length` characters holding `calls` substr calls, padded in its WHERE clause.
std::wstring StatementWithSubstr(int calls, std::size_t length) {
  std::wstring query = L"SELECT ";
  for (int i = 0; i < calls; ++i) {
    wchar_t call[64];
    ::wsprintfW(call, L"%ssubstr(campo_%05d,%d,%d)", i ? L", " : L"", i, 1 + i % 20, 1 + i % 9);
    query += call;
  }
  query += L" FROM alunni WHERE nota = '";
  if (query.size() + 1 < length) query.append(length - query.size() - 1, L'x');
  query += L"'";
  return query;
}

void Fail(const char* what, HRESULT hr) {
  std::printf("%s failed: 0x%08lX\n", what, static_cast<unsigned long>(hr));
  std::exit(1);
}

// The Windows path of a file the build names by its host path (the host's root is drive Z:).
std::wstring HostPath(const char* path) {
  std::wstring result = L"Z:";
  for (const char* c = path; *c; ++c) result += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  return result;
}

// The class factory of clsid in a server loaded by path.
ComPtr<IClassFactory> Factory(HMODULE server, REFCLSID clsid) {
  auto getClassObject = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(::GetProcAddress(server, "DllGetClassObject")));
  if (!getClassObject) Fail("GetProcAddress(DllGetClassObject)", E_FAIL);
  ComPtr<IClassFactory> factory;
  HRESULT hr = getClassObject(clsid, IID_IClassFactory, factory.put_void());
  if (FAILED(hr)) Fail("DllGetClassObject", hr);
  return factory;
}

// A call of a method through IDispatch::Invoke with its DISPID kept; the arguments in their
// declared order.
class InvokeCall {
 public:
  InvokeCall(IDispatch* dispatch, const wchar_t* method, const std::vector<BSTR>& arguments)
      : dispatch_(dispatch), args_(arguments.size()) {
    std::wstring name = method;
    LPOLESTR names[] = {name.data()};
    HRESULT hr = dispatch->GetIDsOfNames(talvo::com::kNoInterface, names, 1, 0, &id_);
    if (FAILED(hr)) Fail("GetIDsOfNames", hr);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
      V_VT(&args_[arguments.size() - 1 - i]) = VT_BSTR;  // last argument first
      V_BSTR(&args_[arguments.size() - 1 - i]) = arguments[i];
    }
  }
  void operator()() {
    DISPPARAMS params{args_.data(), nullptr, static_cast<UINT>(args_.size()), 0};
    talvo::unique_variant result;
    if (FAILED(dispatch_->Invoke(id_, talvo::com::kNoInterface, 0, DISPATCH_METHOD, &params, result.put(),
                                 nullptr, nullptr))) {
      Fail("Invoke", E_FAIL);
    }
  }

 private:
  IDispatch* dispatch_;
  DISPID id_ = 0;
  std::vector<VARIANT> args_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring path = HostPath(TALVO_VORTAN_DLL);
  if (argc > 1) path = argv[1];
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  {
    talvo::unique_hmodule server(::LoadLibraryW(path.c_str()));
    if (!server) {
      std::printf("cannot load %ls\n", path.c_str());
      return 1;
    }
    ComPtr<IClassFactory> factory = Factory(server.get(), CLSID_Ifmx);
    HRESULT hr = S_OK;
    ComPtr<_Ifmx> ifmx;
    hr = factory->CreateInstance(nullptr, IID__Ifmx, ifmx.put_void());
    if (FAILED(hr)) Fail("CreateInstance", hr);
    ComPtr<IDispatch> dispatch;
    ifmx.As(dispatch);

    unique_bstr query(::SysAllocString(kOuterJoin)), kind(::SysAllocString(L"SELECT"));
    auto traduci = [&] {
      BSTR out = nullptr;
      if (FAILED(ifmx->Traduci(query.get(), kind.get(), &out))) Fail("Traduci", E_FAIL);
      ::SysFreeString(out);
    };
    InvokeCall traduciLate(dispatch.get(), L"Traduci", {query.get(), kind.get()});
    std::wstring name = L"Traduci";
    LPOLESTR names[] = {name.data()};
    const double byName = CallsPerSecond([&] {
      DISPID each = 0;
      dispatch->GetIDsOfNames(talvo::com::kNoInterface, names, 1, 0, &each);
      traduciLate();
    });

#ifdef TALVO_ECHO_DLL
    // The floor: a trivial method that copies the same statement into a new BSTR.
    talvo::unique_hmodule echoServer(::LoadLibraryW(HostPath(TALVO_ECHO_DLL).c_str()));
    if (!echoServer) Fail("LoadLibrary(ComTestServer)", E_FAIL);
    ComPtr<IClassFactory> echoFactory = Factory(echoServer.get(), CLSID_Echo);
    ComPtr<_Echo> echo;
    hr = echoFactory->CreateInstance(nullptr, IID__Echo, echo.put_void());
    if (FAILED(hr)) Fail("CreateInstance(Echo)", hr);
    ComPtr<IDispatch> echoDispatch;
    echo.As(echoDispatch);
    auto echoVtable = [&] {
      BSTR out = nullptr;
      if (FAILED(echo->Echo(query.get(), &out))) Fail("Echo", E_FAIL);
      ::SysFreeString(out);
    };
    InvokeCall echoLate(echoDispatch.get(), L"Echo", {query.get()});
    const Pair vtable = Alternating(traduci, echoVtable);
    const Pair late = Alternating(traduciLate, echoLate);
    std::printf(
        "Ifmx.Traduci on the first worked outer-join statement, against the floor (the test server's\n"
        "Echo on the same statement, a trivial method returning a new BSTR); best of alternating rounds:\n");
    std::printf("  %-32s %12s %12s %10s\n", "", "Traduci/s", "Echo/s", "ratio");
    std::printf("  %-32s %12.0f %12.0f %10.2f\n", "vtable", vtable.first, vtable.second,
                vtable.second / vtable.first);
    std::printf("  %-32s %12.0f %12.0f %10.2f\n", "IDispatch::Invoke (DISPID kept)", late.first, late.second,
                late.second / late.first);
    std::printf("  %-32s %12.0f\n", "GetIDsOfNames + Invoke", byName);
    std::printf("Traduci cost in floor calls: vtable %.2f, IDispatch %.2f\n", vtable.second / vtable.first,
                late.second / late.first);
    echoDispatch.reset();
    echo.reset();
    echoFactory.reset();
#else
    std::printf("Ifmx.Traduci on the first worked outer-join statement:\n");
    std::printf("  vtable                          %10.0f calls/s\n", CallsPerSecond(traduci));
    std::printf("  IDispatch::Invoke (DISPID kept) %10.0f calls/s\n", CallsPerSecond(traduciLate));
    std::printf("  GetIDsOfNames + Invoke          %10.0f calls/s\n", byName);
#endif

    std::printf("\nIfmx.Traduci on SELECTs full of substr calls (best of 50 runs, through the vtable):\n");
    std::printf("  %8s %8s %12s %14s\n", "chars", "calls", "ms", "ns per char");
    const struct {
      int calls;
      std::size_t length;
    } sizes[] = {{125, 3750}, {250, 7500}, {500, 15000}, {750, 22500}, {1000, 30000}};
    for (const auto& size : sizes) {
      const std::wstring text = StatementWithSubstr(size.calls, size.length);
      unique_bstr statement(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
      std::vector<double> runs;
      for (int run = 0; run < 50; ++run) {
        BSTR out = nullptr;
        const double start = Seconds();
        hr = ifmx->Traduci(statement.get(), kind.get(), &out);
        runs.push_back(Seconds() - start);
        if (FAILED(hr)) Fail("Traduci (substr)", hr);
        ::SysFreeString(out);
      }
      const double best = *std::min_element(runs.begin(), runs.end());
      std::printf("  %8zu %8d %12.3f %14.1f\n", text.size(), size.calls, best * 1e3,
                  best * 1e9 / static_cast<double>(text.size()));
    }
  }
  ::CoUninitialize();
  return 0;
}
