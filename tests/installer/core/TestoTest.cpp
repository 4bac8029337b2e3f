// Text helpers: case mapping of the ANSI code page's letters, the same on every machine.
#include <gtest/gtest.h>

#include "core/Testo.h"

namespace talvo {
namespace {

TEST(Testo, CaseMappingCoversAccentedLettersAndLeavesTheRestAlone) {
  struct Caso {
    const char* testo;
    const char* minuscolo;
    const char* maiuscolo;
  };
  for (const Caso& caso : {Caso{"Alunni", "alunni", "ALUNNI"}, Caso{"", "", ""},
                           Caso{"ÀÈÉÌÒÙ àèéìòù", "àèéìòù àèéìòù", "ÀÈÉÌÒÙ ÀÈÉÌÒÙ"},
                           Caso{"C:\\TALVO\\SYS 1/2|x", "c:\\talvo\\sys 1/2|x", "C:\\TALVO\\SYS 1/2|X"}}) {
    EXPECT_EQ(Minuscolo(caso.testo), caso.minuscolo) << caso.testo;
    EXPECT_EQ(Maiuscolo(caso.testo), caso.maiuscolo) << caso.testo;
  }
}

}  // namespace
}  // namespace talvo
