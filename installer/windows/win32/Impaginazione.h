// How a text is laid out on printed pages: its lines, each cut into rows no wider than the page,
// and the rows into pages of a fixed number of rows. Measuring is left to the caller, so the same
// layout serves any font and device.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace talvo::finestre {

using Pagina = std::vector<std::string>;

// How many leading characters of the text fit in the page's width.
using CaratteriCheStanno = std::function<std::size_t(std::string_view testo)>;

// The text's lines (ended by CR LF, CR or LF; a last line without an end counts, an end at the very
// end adds no empty line) become rows: a line that does not fit goes on in the next row, at least
// one character per row. Rows go on the next page once a page holds `righePerPagina` (at least 1).
// A text without lines still gives one page, with no rows.
std::vector<Pagina> Impagina(const std::string& testo, std::size_t righePerPagina,
                             const CaratteriCheStanno& caratteriCheStanno);

}  // namespace talvo::finestre
