// Cutting a text into printed rows and pages, with a fixed-pitch measure of four characters a row.
#include "Impaginazione.h"

#include <gtest/gtest.h>

namespace talvo::finestre {
namespace {

std::size_t QuattroPerRiga(std::string_view testo) { return std::min<std::size_t>(testo.size(), 4); }

TEST(ImpaginazioneTest, LinesWrapAtTheWidthAndRowsGoOnOnTheNextPage) {
  struct Caso {
    const char* nome;
    std::string testo;
    std::size_t righePerPagina;
    std::vector<Pagina> atteso;
  };
  const Caso casi[] = {
      {"empty text: one empty page", "", 3, {{}}},
      {"one line with its end", "abc\r\n", 3, {{"abc"}}},
      {"last line without its end", "abc\r\nde", 3, {{"abc", "de"}}},
      {"LF and CR alone end lines too", "a\nb\rc", 3, {{"a", "b", "c"}}},
      {"an empty line is a row", "a\r\n\r\nb\r\n", 3, {{"a", "", "b"}}},
      {"a long line wraps", "abcdefghij\r\n", 3, {{"abcd", "efgh", "ij"}}},
      {"a line exactly as wide as the page", "abcd\r\nef", 3, {{"abcd", "ef"}}},
      {"rows that do not fit go on the next page",
       "1\r\n2\r\n3\r\n4\r\n5\r\n",
       2,
       {{"1", "2"}, {"3", "4"}, {"5"}}},
      {"a wrapped line goes on on the next page", "12\r\nabcdefg\r\nz", 2, {{"12", "abcd"}, {"efg", "z"}}},
      {"a full last page opens no empty one", "1\r\n2\r\n", 2, {{"1", "2"}}},
      {"no room at all still gives one row a page", "ab\r\ncd", 0, {{"ab"}, {"cd"}}},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.nome);
    EXPECT_EQ(Impagina(caso.testo, caso.righePerPagina, QuattroPerRiga), caso.atteso);
  }
}

TEST(ImpaginazioneTest, ACharacterWiderThanThePageStillMovesOn) {
  const auto nessuno = [](std::string_view) { return std::size_t{0}; };
  EXPECT_EQ(Impagina("abc", 10, nessuno), (std::vector<Pagina>{{"a", "b", "c"}}));
}

}  // namespace
}  // namespace talvo::finestre
