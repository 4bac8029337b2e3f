// A fixture for procedures that write the installer log: a fresh session whose log is
// C:\TalvoProva.log, empty for the test and removed after it.
#pragma once

#include <string>
#include <vector>

#include "DiscoC.h"
#include "core/Sessione.h"

namespace talvo::test {

class ConLogDiProva : public DiscoC {
 protected:
  static constexpr const char* FileLog = "C:\\TalvoProva.log";

  Sessione sessione;

  void SetUp() override;
  // The log's lines without their date-and-time prefix.
  std::vector<std::string> Log() const;
  // Empties the log again.
  void SvuotaLog() const;
};

}  // namespace talvo::test
