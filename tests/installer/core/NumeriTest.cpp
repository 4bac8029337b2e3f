// Numbers read from texts without regard to the machine's locale.
#include <gtest/gtest.h>

#include "core/ErroreRuntime.h"
#include "core/Numeri.h"

namespace talvo {
namespace {

TEST(NumeriTest, ValTakesTheLeadingNumber) {
  struct Caso {
    const char* testo;
    double valore;
  };
  for (const Caso& caso :
       {Caso{"2013", 2013}, Caso{" 2 0 1 3", 2013}, Caso{"3|x", 3}, Caso{"10b", 10}, Caso{"2.5.1", 2.5},
        Caso{"abc", 0}, Caso{"", 0}, Caso{"-4", -4}, Caso{".5", 0.5}}) {
    EXPECT_DOUBLE_EQ(Val(caso.testo), caso.valore) << caso.testo;
  }
}

TEST(NumeriTest, WholeNumbersRoundHalvesToEven) {
  struct Caso {
    const char* testo;
    int valore;
  };
  for (const Caso& caso : {Caso{"3", 3}, Caso{" 3 ", 3}, Caso{"2.5", 2}, Caso{"3.5", 4}, Caso{"-1.5", -2},
                           Caso{"0", 0}, Caso{"32767", 32767}}) {
    EXPECT_EQ(InteroDaTesto(caso.testo), caso.valore) << caso.testo;
  }
  EXPECT_EQ(ArrotondaLong(201302.5), 201302);
  EXPECT_EQ(ArrotondaLong(201303.5), 201304);
}

TEST(NumeriTest, TextsThatAreNotNumbersAreErrors) {
  struct Caso {
    const char* testo;
    int errore;
  };
  for (const Caso& caso :
       {Caso{"abc", NumeroErrore::TipoNonCorrispondente}, Caso{"", NumeroErrore::TipoNonCorrispondente},
        Caso{"3 a", NumeroErrore::TipoNonCorrispondente}, Caso{"Errore", NumeroErrore::TipoNonCorrispondente},
        Caso{"40000", NumeroErrore::Overflow}}) {
    try {
      InteroDaTesto(caso.testo);
      ADD_FAILURE() << caso.testo;
    } catch (const ErroreRuntime& e) {
      EXPECT_EQ(e.Numero(), caso.errore) << caso.testo;
    }
  }
  EXPECT_THROW(ArrotondaLong(3e10), ErroreRuntime);
  EXPECT_EQ(TestoNumero(201302), "201302");
  EXPECT_EQ(TestoNumero(201302.5), "201302.5");
}

}  // namespace
}  // namespace talvo
