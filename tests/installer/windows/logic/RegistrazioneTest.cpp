// The load sequence installs the suite's own servers for real: copied into the system folder,
// registered by the regsvr32 it starts without waiting, then created by ProgID and called
// late-bound, as TALVO's programs call them.
#include <gtest/gtest.h>
#include <windows.h>
// The process list needs the types of windows.h first.
#include <tlhelp32.h>

#include <chrono>
#include <thread>

#include "DiscoC.h"
#include "FakeDesktop.h"
#include "FakeMachine.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "ServerTest.h"
#include "Win32Machine.h"
#include "com/ComPtr.h"
#include "core/Sessione.h"
#include "core/TestoAnsi.h"
#include "windows/logic/SetupPBD.h"

namespace talvo {
namespace {

using namespace std::chrono_literals;
using test::InvokeByName;

// The scripted machine of the other tests, except that processes start for real.
class MacchinaConProcessiVeri final : public Machine {
 public:
  explicit MacchinaConProcessiVeri(test::FakeMachine& finta) : finta_(finta) {}
  std::vector<std::string> RadiciDischi() override { return finta_.RadiciDischi(); }
  TipoDisco TipoDiDisco(const std::string& radice) override { return finta_.TipoDiDisco(radice); }
  std::string CartellaWindows() override { return finta_.CartellaWindows(); }
  std::string CartellaSistema() override { return finta_.CartellaSistema(); }
  std::string NomeUtente() override { return finta_.NomeUtente(); }
  bool UtenteAmministratore() override { return finta_.UtenteAmministratore(); }
  bool AccountDiSistema() override { return finta_.AccountDiSistema(); }
  bool AvviaNascosto(const std::string& rigaDiComando) override {
    finta_.ProcessiAvviati.push_back(rigaDiComando);
    return vera_.AvviaNascosto(rigaDiComando);
  }
  void AttendiDueSecondi() override {}

 private:
  test::FakeMachine& finta_;
  Win32Machine vera_;
};

std::string CartellaSistema() {
  char cartella[MAX_PATH] = {};
  ::GetSystemDirectoryA(cartella, MAX_PATH);
  return cartella;
}

bool Regsvr32InCorso() {
  const unique_hfile istantanea = make_hfile(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!istantanea) return false;
  PROCESSENTRY32 processo{};
  processo.dwSize = sizeof processo;
  for (BOOL ok = ::Process32First(istantanea.get(), &processo); ok;
       ok = ::Process32Next(istantanea.get(), &processo)) {
    if (::lstrcmpiA(processo.szExeFile, "regsvr32.exe") == 0) return true;
  }
  return false;
}

// Creates the class by ProgID once the registration has made it known; null after the time runs out.
com::ComPtr<IDispatch> CreaQuandoRegistrata(const wchar_t* progId) {
  const auto limite = std::chrono::steady_clock::now() + 60s;
  com::ComPtr<IDispatch> oggetto;
  while (std::chrono::steady_clock::now() < limite) {
    CLSID clsid{};
    if (SUCCEEDED(::CLSIDFromProgID(progId, &clsid)) &&
        SUCCEEDED(
            ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, oggetto.put_void()))) {
      return oggetto;
    }
    std::this_thread::sleep_for(100ms);
  }
  return oggetto;
}

class RegistrazioneTest : public test::DiscoC {
 protected:
  void SetUp() override {
    DiscoC::SetUp();
    for (const char* percorso : {"C:\\TalvoProva.log", "C:\\TALVO", "C:\\OpenTalvo"}) Traccia(percorso);
    finta.Sistema = CartellaSistema();
    for (const char* nome : {"Vortan.dll", "Selvan.dll"}) {
      copie.push_back(finta.Sistema + "\\" + nome);
      ASSERT_FALSE(test::EsisteFile(copie.back())) << "a copy of an earlier run is left in the system folder";
    }
  }

  void TearDown() override {
    // The registrations started by the load may still be running: let them end first.
    const auto limite = std::chrono::steady_clock::now() + 60s;
    while (Regsvr32InCorso() && std::chrono::steady_clock::now() < limite) std::this_thread::sleep_for(100ms);
    // Other tests share the prefix's registry: leave it and the system folder as they were.
    for (const std::string& copia : copie) {
      if (!test::EsisteFile(copia)) continue;
      test::Regsvr32(WideDaAnsi(copia), true);
      EXPECT_TRUE(::DeleteFileA(copia.c_str())) << copia;
    }
    DiscoC::TearDown();
  }

  test::InstallazioneDiProva installazione;
  test::FakeDesktop desktop;
  test::FakeMachine finta;
  std::vector<std::string> copie;
};

TEST_F(RegistrazioneTest, TheLoadCopiesAndRegistersTheServersOfThePatch) {
  installazione.CreaPatch(std::string(test::SetupPBDStandard) + "DLL=SI\r\n");
  test::InstallazioneDiProva::CreaOpenTalvo("C:\\");
  test::InstallazioneDiProva::CreaCartella(installazione.Patch("DLL"));
  for (const auto& [server, nome] :
       {std::pair{TALVO_SERVER_Vortan, "Vortan.dll"}, std::pair{TALVO_SERVER_Selvan, "Selvan.dll"}}) {
    const std::wstring copia = WideDaAnsi(installazione.Patch(std::string("DLL\\") + nome));
    ASSERT_TRUE(::CopyFileW(test::WindowsPath(server).c_str(), copia.c_str(), FALSE)) << nome;
  }

  {
    MacchinaConProcessiVeri machine(finta);
    Sessione sessione;
    SetupPBD finestra(sessione, desktop, machine, installazione.CartellaPatch());
    ASSERT_TRUE(finestra.Form_Load());
  }
  // Only the release warning: nothing failed.
  EXPECT_EQ(desktop.Messaggi.size(), 1u) << desktop.Messaggi.back().Testo;
  ASSERT_EQ(finta.ProcessiAvviati.size(), 2u);
  for (const std::string& copia : copie) {
    EXPECT_TRUE(test::EsisteFile(copia));
    const std::string riga = finta.Sistema + "\\regsvr32 " + copia + " /s";
    EXPECT_TRUE(finta.ProcessiAvviati[0] == riga || finta.ProcessiAvviati[1] == riga) << riga;
  }

  test::Apartment apartment;
  {
    com::ComPtr<IDispatch> ifmx = CreaQuandoRegistrata(L"Vortan.Ifmx");
    ASSERT_TRUE(ifmx) << "Vortan.Ifmx was not registered";
    test::Invocation tradotta = InvokeByName(
        ifmx.get(), L"Traduci",
        {test::BstrArgument(L"SELECT a.x, b.y FROM {oj a LEFT OUTER JOIN b ON a.k = b.k} WHERE a.z = 1"),
         test::BstrArgument(L"")});
    ASSERT_EQ(tradotta.hr, S_OK);
    ASSERT_EQ(tradotta.result.get().vt, VT_BSTR);
    EXPECT_STREQ(tradotta.result.get().bstrVal,
                 L"SELECT a.x, b.y FROM a  ,  OUTER b  WHERE a.k = b.k AND a.z = 1");

    com::ComPtr<IDispatch> syb = CreaQuandoRegistrata(L"Selvan.Syb");
    ASSERT_TRUE(syb) << "Selvan.Syb was not registered";
    test::Invocation sybase =
        InvokeByName(syb.get(), L"Traduci", {test::BstrArgument(L"SELECT 1"), test::BstrArgument(L"")});
    EXPECT_EQ(sybase.hr, S_OK);
    EXPECT_EQ(sybase.result.get().vt, VT_BSTR);
  }
  ::CoFreeUnusedLibrariesEx(0, 0);
}

}  // namespace
}  // namespace talvo
