// A fixture for procedures that write the installer log: the process-wide state reset, and an
// empty log C:\TalvoProva.log open for the test and removed after it.
#pragma once

#include <string>
#include <vector>

#include "DiscoC.h"

namespace talvo::test {

class ConLogDiProva : public DiscoC {
 protected:
  static constexpr const char* FileLog = "C:\\TalvoProva.log";

  void SetUp() override;
  // The log's lines without their date-and-time prefix.
  std::vector<std::string> Log() const;
  // Empties the log again.
  void SvuotaLog() const;
};

}  // namespace talvo::test
