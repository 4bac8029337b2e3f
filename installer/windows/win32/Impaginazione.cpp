// Cutting a text into rows and pages.
#include "Impaginazione.h"

#include <algorithm>

namespace talvo::finestre {

namespace {

// Adds one line's rows to the pages, opening a new page whenever the last one is full.
void AggiungiRiga(std::string_view riga, std::size_t righePerPagina, const CaratteriCheStanno& misura,
                  std::vector<Pagina>& pagine) {
  do {
    const std::size_t stanno = std::min(riga.size(), std::max<std::size_t>(1, misura(riga)));
    if (pagine.back().size() >= righePerPagina) pagine.emplace_back();
    pagine.back().emplace_back(riga.substr(0, stanno));
    riga.remove_prefix(stanno);
  } while (!riga.empty());
}

}  // namespace

std::vector<Pagina> Impagina(const std::string& testo, std::size_t righePerPagina,
                             const CaratteriCheStanno& caratteriCheStanno) {
  righePerPagina = std::max<std::size_t>(1, righePerPagina);
  std::vector<Pagina> pagine(1);
  const std::string_view tutto(testo);
  std::size_t inizio = 0;
  while (inizio < tutto.size()) {
    const std::size_t fine = tutto.find_first_of("\r\n", inizio);
    const std::size_t lunghezza = (fine == std::string_view::npos ? tutto.size() : fine) - inizio;
    AggiungiRiga(tutto.substr(inizio, lunghezza), righePerPagina, caratteriCheStanno, pagine);
    if (fine == std::string_view::npos) break;
    inizio = fine + (tutto.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
  }
  return pagine;
}

}  // namespace talvo::finestre
