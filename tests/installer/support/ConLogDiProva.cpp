// The log fixture over the real file in the root of C:.
#include "ConLogDiProva.h"

#include "FileDiProva.h"
#include "InstallazioneDiProva.h"

namespace talvo::test {

void ConLogDiProva::SetUp() {
  DiscoC::SetUp();
  sessione = Sessione{};
  Traccia(FileLog);
  sessione.NomeFileLog = "TalvoProva.log";
  SvuotaLog();
}

std::vector<std::string> ConLogDiProva::Log() const { return RigheLog(FileLog); }

void ConLogDiProva::SvuotaLog() const { ScriviFile(FileLog, ""); }

}  // namespace talvo::test
