// The command line's switches, and the quiet Desktop's answers and records over a real log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConLogDiProva.h"
#include "DesktopSilenzioso.h"
#include "RigaDiComando.h"

namespace talvo {
namespace {

using finestre::LeggiRigaDiComando;
using finestre::Modalita;

struct CasoRiga {
  std::vector<std::string> argomenti;
  Modalita modalita;
  bool verifica;
  bool aiuto;
  const char* sconosciuto;
};

TEST(RigaDiComando, ReadsTheSwitchesWithoutRegardToCaseOrPrefix) {
  const CasoRiga casi[] = {
      {{}, Modalita::Interattiva, false, false, ""},
      {{"/quiet"}, Modalita::Silenziosa, false, false, ""},
      {{"-QUIET"}, Modalita::Silenziosa, false, false, ""},
      {{"/Passive"}, Modalita::Passiva, false, false, ""},
      {{"/passive", "/quiet"}, Modalita::Silenziosa, false, false, ""},
      {{"/check"}, Modalita::Interattiva, true, false, ""},
      {{"/quiet", "/check"}, Modalita::Silenziosa, true, false, ""},
      {{"/?"}, Modalita::Interattiva, false, true, ""},
      {{"/quiet", "/nuovo", "altro"}, Modalita::Silenziosa, false, false, "/nuovo"},
      {{"quiet"}, Modalita::Interattiva, false, false, "quiet"},
      {{"/"}, Modalita::Interattiva, false, false, "/"},
  };
  for (const CasoRiga& caso : casi) {
    const finestre::RigaDiComando riga = LeggiRigaDiComando(caso.argomenti);
    const std::string nome = caso.argomenti.empty() ? "(none)" : caso.argomenti[0];
    EXPECT_EQ(riga.modalita, caso.modalita) << nome;
    EXPECT_EQ(riga.Verifica, caso.verifica) << nome;
    EXPECT_EQ(riga.Aiuto, caso.aiuto) << nome;
    EXPECT_EQ(riga.Sconosciuto, caso.sconosciuto) << nome;
    EXPECT_EQ(riga.SenzaFinestre(), caso.modalita == Modalita::Silenziosa || caso.verifica) << nome;
  }
}

class DesktopSilenziosoTest : public test::ConLogDiProva {
 protected:
  std::vector<std::string> errori;
  DesktopSilenzioso desktop{sessione, [this](const std::string& testo) { errori.push_back(testo); }};
};

TEST_F(DesktopSilenziosoTest, AnswersEachBoxWithItsDefaultAndLogsItsTextOnOneLine) {
  struct Caso {
    PulsantiMessaggio pulsanti;
    RispostaMessaggio risposta;
  };
  for (const Caso& caso : {Caso{PulsantiMessaggio::Ok, RispostaMessaggio::Ok},
                           Caso{PulsantiMessaggio::OkAnnulla, RispostaMessaggio::Ok},
                           Caso{PulsantiMessaggio::SiNo, RispostaMessaggio::Si},
                           Caso{PulsantiMessaggio::SiNoAnnulla, RispostaMessaggio::Si}}) {
    EXPECT_EQ(desktop.Messaggio(IdMessaggio::AvvisoRelease, "Prima\r\n\r\n\tSeconda ", "titolo",
                                IconaMessaggio::Domanda, caso.pulsanti),
              caso.risposta);
  }
  EXPECT_EQ(Log(),
            std::vector<std::string>(4, "Funzione: Modalità silenziosa Descrizione: Prima Seconda  AVVISO"));
  EXPECT_TRUE(errori.empty());
  EXPECT_FALSE(desktop.FinestraRichiesta());
}

TEST_F(DesktopSilenziosoTest, BeforeTheLogExistsTheTextGoesToStandardError) {
  sessione.NomeFileLog.clear();
  desktop.Messaggio(IdMessaggio::FileLogNonIndicato, "Nessun log", "t", IconaMessaggio::Nessuna,
                    PulsantiMessaggio::Ok);
  EXPECT_EQ(errori, std::vector<std::string>{"Modalità silenziosa: Nessun log\r\n"});
}

TEST_F(DesktopSilenziosoTest, AnyRequestForAWindowIsAFailureThatIsLoggedAndRemembered) {
  desktop.DoEvents();
  desktop.ImpostaPuntatoreMouse(PuntatoreMouse::Clessidra);
  EXPECT_TRUE(desktop.Stampanti().empty());
  EXPECT_FALSE(desktop.FinestraRichiesta());

  desktop.MostraModale(FinestraModale::MostraLog);
  EXPECT_TRUE(desktop.FinestraRichiesta());
  desktop.CopiaNegliAppunti("x");
  desktop.Stampa({});
  EXPECT_EQ(Log(),
            (std::vector<std::string>{
                "Funzione: Modalità silenziosa codice errore: 1603 Descrizione: Richiesta non eseguibile "
                "senza finestre: visualizzazione del log FALLITO",
                "Funzione: Modalità silenziosa codice errore: 1603 Descrizione: Richiesta non eseguibile "
                "senza finestre: copia negli appunti FALLITO",
                "Funzione: Modalità silenziosa codice errore: 1603 Descrizione: Richiesta non eseguibile "
                "senza finestre: stampa FALLITO"}));
}

}  // namespace
}  // namespace talvo
