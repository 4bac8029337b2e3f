// The rules of the component installation that need no copy: the extension filter, the regsvr32
// command line and the choice of the libraries' folder.
#include <gtest/gtest.h>

#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "components/FiltroFile.h"
#include "components/RigaRegsvr32.h"
#include "components/WDir3264.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {
namespace {

TEST(FiltroFile, TakesWholeEntriesOfTheListByTheExtensionAfterTheFirstDot) {
  struct Caso {
    const char* nome;
    const char* filtro;
    bool preso;
  };
  for (const Caso& caso : {
           Caso{"a.DLL", "dll_ocx_", true},  // the extension is lowered
           Caso{"a.ocx", "dll_ocx_", true},
           Caso{"a.exe", "dll_ocx_", false},
           Caso{"readme", "dll_ocx_", false},     // no dot: the whole name is the extension
           Caso{"x.dll.bak", "dll_ocx_", false},  // everything after the first dot
           Caso{"a.b.dll", "b.dll_", true},
           Caso{"a.ll", "dll_ocx_", false},  // a tail of an entry is not an entry
           Caso{"a.cx", "dll_ocx_", false},
           Caso{"a.dll_ocx", "dll_ocx_", false},  // nor are two entries together
           Caso{"config.prop", "prop_", true},
           Caso{"a.p", "prop_", false},
           Caso{"a.exe", "", true},  // an empty filter takes every file
           Caso{"readme", "", true},
       }) {
    SCOPED_TRACE(std::string(caso.nome) + " / " + caso.filtro);
    EXPECT_EQ(FileDelFiltro(caso.nome, caso.filtro), caso.preso);
  }
  EXPECT_EQ(EstensioneFile("a.B.Dll"), "b.dll");
  EXPECT_EQ(EstensioneFile("README"), "readme");
}

TEST(RigaRegsvr32, QuotesEachPathThatHoldsABlank) {
  EXPECT_EQ(RigaRegsvr32("C:\\WINDOWS\\SysWOW64\\", "C:\\WINDOWS\\SysWOW64\\x.ocx"),
            "C:\\WINDOWS\\SysWOW64\\regsvr32 C:\\WINDOWS\\SysWOW64\\x.ocx /s");
  EXPECT_EQ(RigaRegsvr32("C:\\Win Dows\\system32\\", "C:\\Win Dows\\system32\\x.ocx"),
            "\"C:\\Win Dows\\system32\\regsvr32\" \"C:\\Win Dows\\system32\\x.ocx\" /s");
  EXPECT_EQ(RigaRegsvr32("C:\\windows\\system32\\", "C:\\Program Files\\x.dll"),
            "C:\\windows\\system32\\regsvr32 \"C:\\Program Files\\x.dll\" /s");
}

TEST(WDir3264, SysWow64OnlyForTheX86BuildWhereItExists) {
  test::CartellaTemporanea windows;
  DatiAvvio avvio;
  avvio.CartellaWindows = SenzaBarraFinale(windows.Percorso());
  avvio.PercorsoWinDir = windows / "system32\\";

  // No SysWOW64 (32-bit Windows): the system folder for both builds.
  EXPECT_EQ(WDir3264(avvio, Architettura::X86), avvio.PercorsoWinDir);
  EXPECT_EQ(WDir3264(avvio, Architettura::X64), avvio.PercorsoWinDir);

  // 64-bit Windows: the x86 build installs 32-bit components into SysWOW64, the x64 build its
  // 64-bit ones into the native system folder.
  test::InstallazioneDiProva::CreaCartella(windows / "SysWOW64");
  EXPECT_EQ(WDir3264(avvio, Architettura::X86), avvio.CartellaWindows + "\\SysWOW64\\");
  EXPECT_EQ(WDir3264(avvio, Architettura::X64), avvio.PercorsoWinDir);
  EXPECT_EQ(WDir3264(avvio),
            sizeof(void*) == 8 ? avvio.PercorsoWinDir : avvio.CartellaWindows + "\\SysWOW64\\");
}

}  // namespace
}  // namespace talvo
