// Zipova.dll: its class table, its registration identity and the four server exports. Late-bound
// callers reach the type library embedded in the module.
#include <initguid.h>

#include "Zipova.h"
#include "com/ServerExports.h"

namespace {

using namespace talvo::com;

const ClassEntry kClassi[] = {{&CLSID_Zipova, talvo::zipova::Zipova::Create}};

ServerIdentity Identita() {
  ClassIdentity zipova{CLSID_Zipova, L"ZipovaCOM.Zipova", L"ZipovaCOM.Zipova", L"", L"Apartment"};
  zipova.typeLibraryKey = true;
  return {{LIBID_ZipovaCOM, 2, 0, 0}, {zipova}};
}

}  // namespace

TALVO_COM_SERVER_EXPORTS(kClassi, Identita)
