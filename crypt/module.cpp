// Cifrel.dll: its class table, its registration identity and the four server exports. Late-bound
// callers reach the type library through the registry.
#include <initguid.h>

#include "Crypt.h"
#include "IdentitaCifrel.h"
#include "com/ServerExports.h"
#include "com/TypeInfo.h"

namespace {

using namespace talvo::com;

// Late-bound callers reach the type library through the registry; the choice is made before the
// first object exists, outside DllMain.
HRESULT CreaCrypt(IUnknown* outer, REFIID riid, void** ppv) noexcept {
  UseRegisteredTypeLibrary({LIBID_CIFRELLib, 1, 0, 0});
  return talvo::cifrel::Crypt::Create(outer, riid, ppv);
}

const ClassEntry kClassi[] = {{&CLSID_Crypt, CreaCrypt}};

}  // namespace

TALVO_COM_SERVER_EXPORTS(kClassi, talvo::cifrel::IdentitaCifrel)
