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

// How many connections to TALVO the library holds open, over all threads: a diagnostic export, so
// that a caller (the tests) can see that none is left once the library may be unloaded.
extern "C" LONG WINAPI OpenConnectionCount() noexcept {
  return static_cast<LONG>(talvo::translators::informix::ThreadConnection::OpenCount());
}
