// The folder that receives the patch's libraries and holds the regsvr32 that registers them.
#pragma once

#include <string>

namespace talvo {

struct DatiAvvio;

// The architecture the installer was built for.
enum class Architettura { X86, X64 };
inline constexpr Architettura ArchitetturaProgramma =
    sizeof(void*) == 8 ? Architettura::X64 : Architettura::X86;

// With a trailing backslash. A 32-bit installer on 64-bit Windows installs into the Windows
// folder's SysWOW64, so that its libraries are registered as 32-bit components; elsewhere, and
// always for a 64-bit installer, the native system folder (PercorsoWinDir) is used: a 64-bit
// library belongs there, and SysWOW64 may exist without a regsvr32 in it.
std::string WDir3264(const DatiAvvio& avvio, Architettura architettura = ArchitetturaProgramma);

}  // namespace talvo
