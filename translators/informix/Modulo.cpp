// Vortan.dll: its class table, its registration identity and the four server exports.
#include <initguid.h>

#include "IdentitaVortan.h"
#include "Ifmx.h"
#include "com/ServerExports.h"

namespace {

const talvo::com::ClassEntry kClassi[] = {{&CLSID_Ifmx, talvo::translators::informix::Ifmx::Create}};

}  // namespace

TALVO_COM_SERVER_EXPORTS(kClassi, talvo::translators::informix::IdentitaVortan)
