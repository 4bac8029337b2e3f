// Cifrel.dll: its class table, its registration identity and the four server exports. Late-bound
// callers reach the type library through the registry.
#include <initguid.h>

#include "Crypt.h"
#include "IdentitaCifrel.h"
#include "com/ServerExports.h"
#include "com/TypeInfo.h"

namespace {

using namespace talvo::com;

const ClassEntry kClassi[] = {{&CLSID_Crypt, talvo::cifrel::Crypt::Create}};

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) UseRegisteredTypeLibrary({LIBID_CIFRELLib, 1, 0, 0});
  return TRUE;
}

TALVO_COM_SERVER_EXPORTS(kClassi, talvo::cifrel::IdentitaCifrel)
