// Date and time as texts in the system's general date format.
#pragma once

#include <string>

namespace talvo {

// An automation date (days since 30 December 1899, time as the fraction) as the platform's general
// date format: short date, a blank, long time; the time part alone is dropped at exactly midnight.
std::string FormattaDataGenerale(double data);

// The current local time as an automation date, to the second.
double DataOraCorrente();

}  // namespace talvo
