// Reference-dialect error numbers and the numbers Informix reports for the same conditions.
#include "RegoleInformix.h"

namespace talvo::translators::informix {
namespace {

struct Corrispondenza {
  std::int32_t riferimento;
  std::int32_t informix;
};

constexpr Corrispondenza kErrori[] = {
    {-196, -239}, {-194, -691}, {-193, -268}, {-141, -206}, {-121, -313}, {-111, -316}, {-110, -310},
};

}  // namespace

std::int32_t TraduciErr(std::int32_t numErrore) {
  for (const Corrispondenza& c : kErrori) {
    if (c.riferimento == numErrore) return c.informix;
  }
  return 0;
}

}  // namespace talvo::translators::informix
