// Selvan.dll: its class table, its registration identity and the four server exports.
#include <initguid.h>

#include "Syb.h"
#include "com/ServerExports.h"

namespace {

using namespace talvo::com;

const ClassEntry kClassi[] = {{&CLSID_Syb, talvo::translators::sybase::Syb::Create}};

ServerIdentity Identita() {
  ClassIdentity syb{CLSID_Syb, L"Selvan.Syb", L"Selvan.Syb", L"", L"Apartment"};
  return {{LIBID_Selvan, 7, 0, 0x409}, {syb}};
}

}  // namespace

TALVO_COM_SERVER_EXPORTS(kClassi, Identita)
