// Vortan.dll: its class table, its registration identity and the four server exports.
#include <initguid.h>

#include "IdentitaVortan.h"
#include "Ifmx.h"
#include "com/ServerExports.h"
#include "database/ThreadConnection.h"

namespace {

const talvo::com::ClassEntry kClassi[] = {{&CLSID_Ifmx, talvo::translators::informix::Ifmx::Create}};

// The threads' connections to TALVO are closed when the library may be unloaded, outside the
// loader lock.
void ChiudiConnessioni() noexcept { talvo::translators::informix::ThreadConnection::CloseAll(); }

}  // namespace

TALVO_COM_SERVER_EXPORTS_RELEASING(kClassi, talvo::translators::informix::IdentitaVortan, ChiudiConnessioni)
