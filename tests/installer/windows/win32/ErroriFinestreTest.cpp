// An error that escapes a window's handler is written to the installer log and goes no further.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "ConLogDiProva.h"
#include "ErroriFinestre.h"
#include "Finestra.h"
#include "core/ErroreRuntime.h"

namespace talvo::finestre {
namespace {

constexpr UINT MessaggioCheFallisce = WM_APP + 7;

// A window whose handler fails on one message, with a run-time error or any other exception.
class FinestraCheFallisce : public Finestra<FinestraCheFallisce> {
 public:
  explicit FinestraCheFallisce(const Sessione& sessione) : Finestra(sessione, "Prova") {
    // A message-only window: the test needs no screen.
    Crea(0, "TalvoProvaErrori", "prova", 0, 0, 0, 0, 0, HWND_MESSAGE);
  }
  ~FinestraCheFallisce() { Distruggi(); }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == MessaggioCheFallisce) {
      if (wParam == 0) throw ErroreRuntime(NumeroErrore::FileNonTrovato);
      throw std::runtime_error("guasto");
    }
    return ::DefWindowProcA(Hwnd(), msg, wParam, lParam);
  }
};

class ErroriFinestreTest : public test::ConLogDiProva {};

TEST_F(ErroriFinestreTest, TheWindowProcedureLogsWhatEscapesAHandler) {
  FinestraCheFallisce finestra(sessione);
  ASSERT_NE(finestra.Hwnd(), nullptr);
  ::SendMessageA(finestra.Hwnd(), MessaggioCheFallisce, 0, 0);
  ::SendMessageA(finestra.Hwnd(), MessaggioCheFallisce, 1, 0);
  EXPECT_EQ(Log(), (std::vector<std::string>{
                       "Funzione: Prova codice errore: 53 Descrizione: Impossibile trovare il file FALLITO",
                       "Funzione: Prova codice errore: 1 Descrizione: guasto FALLITO"}));

  // A second window of the same kind registers nothing again and still works.
  FinestraCheFallisce seconda(sessione);
  EXPECT_NE(seconda.Hwnd(), nullptr);
}

TEST_F(ErroriFinestreTest, NothingIsWrittenBeforeALogIsOpen) {
  sessione.NomeFileLog.clear();
  try {
    throw ErroreRuntime(NumeroErrore::AutorizzazioneNegata);
  } catch (...) {
    RegistraEccezione(sessione, "SetupPBD");
  }
  EXPECT_TRUE(Log().empty());
}

}  // namespace
}  // namespace talvo::finestre
