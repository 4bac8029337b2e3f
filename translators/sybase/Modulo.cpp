// Selvan.dll: its class table, its registration identity and the four server exports.
#include <initguid.h>

#include "IdentitaSelvan.h"
#include "Syb.h"
#include "com/ServerExports.h"

namespace {

const talvo::com::ClassEntry kClassi[] = {{&CLSID_Syb, talvo::translators::sybase::Syb::Create}};

}  // namespace

TALVO_COM_SERVER_EXPORTS(kClassi, talvo::translators::sybase::IdentitaSelvan)
