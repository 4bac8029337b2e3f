// The passive mode's boxes close by themselves: while an object of this type lives, a message
// box of the calling thread is answered with its default button, and the log viewer is closed,
// once the time has run out.
#pragma once

#include <windows.h>

namespace talvo::finestre {

class ChiusuraAutomatica {
 public:
  explicit ChiusuraAutomatica(UINT millisecondi);
  ~ChiusuraAutomatica();
  ChiusuraAutomatica(const ChiusuraAutomatica&) = delete;
  ChiusuraAutomatica& operator=(const ChiusuraAutomatica&) = delete;

 private:
  UINT_PTR timer_;
};

// How long a box stays in the passive mode.
inline constexpr UINT DurataPassiva = 2000;

}  // namespace talvo::finestre
