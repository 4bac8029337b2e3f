// The translation rules of class Syb: the reference dialect itself, so only catalogue queries and
// the zero date change. UTF-16 text in and out; none of these rules can fail on ordinary input.
#pragma once

#include <cstdint>

#include "common/Testo.h"

namespace talvo::translators::sybase {

// The catalogue rule for tipoQuery exactly "SELECT"; any other kind returns the statement unchanged.
Testo Traduci(Vista strquery, Vista tipoQuery);

// Catalogue queries name each table with its owner: when the statement holds "systable" (lower
// case), the owners' table joins the catalogue, each WHERE gains the join, the first table_name the owner.
Testo TraduciSystable(Vista text);

// The zero date becomes "null"; every other date comes back unchanged.
Testo FormattaData(Vista campoData);

// Error numbers are the reference dialect's own.
std::int32_t TraduciErr(std::int32_t numErrore);

}  // namespace talvo::translators::sybase
