// The regsvr32 command line, quoted where a blank would split it.
#include "RigaRegsvr32.h"

namespace talvo {

namespace {

std::string TraVirgoletteSeServe(const std::string& percorso) {
  return percorso.find(' ') == std::string::npos ? percorso : "\"" + percorso + "\"";
}

}  // namespace

std::string RigaRegsvr32(const std::string& wDir, const std::string& libreria) {
  return TraVirgoletteSeServe(wDir + "regsvr32") + " " + TraVirgoletteSeServe(libreria) + " /s";
}

}  // namespace talvo
