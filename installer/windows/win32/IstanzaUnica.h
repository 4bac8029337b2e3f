// One SetupTalvo at a time on the machine: two runs would copy into the same installation and
// back each other's files up.
#pragma once

#include "raii/unique_any.h"

namespace talvo::finestre {

class IstanzaUnica {
 public:
  // Takes the machine-wide mutex of the installer, held until this object goes.
  IstanzaUnica();

  // Another SetupTalvo held the mutex first: this one must end without touching anything.
  bool AltraInEsecuzione() const { return altra_; }

 private:
  unique_handle mutex_;
  bool altra_ = false;
};

}  // namespace talvo::finestre
