// Vortan.dll: its class table, its registration identity and the four server exports.
#include <initguid.h>

#include "Ifmx.h"
#include "com/ServerExports.h"

namespace {

using namespace talvo::com;

const ClassEntry kClassi[] = {{&CLSID_Ifmx, talvo::translators::informix::Ifmx::Create}};

ServerIdentity Identita() {
  ClassIdentity ifmx{CLSID_Ifmx, L"Vortan.Ifmx", L"Vortan.Ifmx", L"", L"Apartment"};
  return {{LIBID_Vortan, 21, 0, 0x409}, {ifmx}};
}

}  // namespace

TALVO_COM_SERVER_EXPORTS(kClassi, Identita)
