// The error message box: its text, icon, buttons and title.
#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "core/MostraErrore.h"

namespace talvo {
namespace {

TEST(MostraErrore, BuildsItsTextFromWhatIsGiven) {
  struct Caso {
    std::string descrizione;
    int codice;
    std::string testo;
  };
  const Caso casi[] = {
      {"", 0, "Si \xE8 verificato un errore \r\n"},
      {"Disco pieno", 0, "Si è verificato un errore \r\nDescrizione: Disco pieno\r\n"},
      {"", 53, "Si è verificato un errore \r\nCodice: 53\r\n"},
      {"File mancante", -7, "Si è verificato un errore \r\nDescrizione: File mancante\r\nCodice: -7\r\n"},
  };
  for (const Caso& caso : casi) {
    test::FakeDesktop desktop;
    MostraErrore(desktop, IdMessaggio::ErroreStampa, caso.descrizione, caso.codice);
    ASSERT_EQ(desktop.Messaggi.size(), 1u);
    const test::MessaggioMostrato& m = desktop.Messaggi[0];
    EXPECT_EQ(m.Testo, caso.testo);
    EXPECT_EQ(m.Titolo, "SetupTalvo");
    EXPECT_EQ(m.Icona, IconaMessaggio::Critico);
    EXPECT_EQ(m.Pulsanti, PulsantiMessaggio::Ok);
  }
}

}  // namespace
}  // namespace talvo
