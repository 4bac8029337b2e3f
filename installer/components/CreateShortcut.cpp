// The shortcut through the shell's link object (IShellLinkA) saved with IPersistFile.
#include "CreateShortcut.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include "com/ComPtr.h"
#include "core/OperazioniFile.h"
#include "core/Testo.h"
#include "core/TestoAnsi.h"

namespace talvo {

namespace {

// COM for the calling thread while the shortcut is made; a thread that already has it keeps it.
class ComPerIlThread {
 public:
  ComPerIlThread() : esito_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComPerIlThread() {
    if (SUCCEEDED(esito_)) ::CoUninitialize();
  }
  ComPerIlThread(const ComPerIlThread&) = delete;
  ComPerIlThread& operator=(const ComPerIlThread&) = delete;

 private:
  HRESULT esito_;
};

}  // namespace

std::string CartellaCollegamentoCheck(bool tuttiGliUtenti) {
  char programmi[MAX_PATH] = {};
  const int cartella = tuttiGliUtenti ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS;
  if (FAILED(::SHGetFolderPathA(nullptr, cartella, nullptr, SHGFP_TYPE_CURRENT, programmi))) return "";
  return std::string(programmi) + "\\TALVO CHECK";
}

void CreateShortcut(const std::string& pathexe, bool tuttiGliUtenti) {
  ComPerIlThread com;
  const std::string cartella = CartellaCollegamentoCheck(tuttiGliUtenti);
  if (cartella.empty()) return;
  // An existing folder makes the creation fail, which is what a second run expects.
  CreaCartella_nothrow(cartella);

  com::ComPtr<IShellLinkA> collegamento;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                collegamento.put_void()))) {
    return;
  }
  // One normalised path, whatever blanks or trailing backslash the folder was given with.
  const std::string cartellaProgramma = ConBarraFinale(pathexe);
  const std::string programma = cartellaProgramma + "Talvocheck.exe";
  collegamento->SetDescription("TALVO CHECK");
  collegamento->SetIconLocation(programma.c_str(), 0);
  collegamento->SetPath(programma.c_str());
  collegamento->SetWorkingDirectory(cartellaProgramma.c_str());

  com::ComPtr<IPersistFile> file;
  if (FAILED(collegamento.As(file))) return;
  file->Save(WideDaAnsi(cartella + "\\TALVO CHECK.lnk").c_str(), TRUE);
}

}  // namespace talvo
