// Scripted answers and records of the fake Desktop.
#include "FakeDesktop.h"

#include <algorithm>

#include "core/ErroreRuntime.h"

namespace talvo::test {

void PrintTo(const MessaggioMostrato& messaggio, std::ostream* os) {
  *os << "{\"" << messaggio.Testo << "\", \"" << messaggio.Titolo << "\", icon "
      << static_cast<int>(messaggio.Icona) << ", buttons " << static_cast<int>(messaggio.Pulsanti) << "}";
}

RispostaMessaggio FakeDesktop::Messaggio(IdMessaggio id, const std::string& testo, const std::string& titolo,
                                         IconaMessaggio icona, PulsantiMessaggio pulsanti) {
  Messaggi.push_back({testo, titolo, icona, pulsanti});
  Identita.push_back(id);
  if (!Risposte.empty()) {
    const RispostaMessaggio risposta = Risposte.front();
    Risposte.pop_front();
    return risposta;
  }
  return pulsanti == PulsantiMessaggio::SiNo || pulsanti == PulsantiMessaggio::SiNoAnnulla
             ? RispostaMessaggio::Si
             : RispostaMessaggio::Ok;
}

void FakeDesktop::MostraModale(FinestraModale finestra) {
  FinestreMostrate.push_back(finestra);
  if (AllaFinestra) AllaFinestra(finestra);
}

void FakeDesktop::CopiaNegliAppunti(const std::string& testo) {
  if (ErroreAppunti != 0) throw ErroreRuntime(ErroreAppunti);
  Copie.push_back(testo);
}

void FakeDesktop::ImpostaStampanteCorrente(const std::string& nome) {
  if (std::find(StampantiInstallate.begin(), StampantiInstallate.end(), nome) != StampantiInstallate.end())
    StampanteCorrente = nome;
}

void FakeDesktop::Stampa(const LavoroDiStampa& lavoro) {
  if (ErroreStampa != 0) throw ErroreRuntime(ErroreStampa);
  Stampati.push_back({StampanteCorrente, lavoro});
}

}  // namespace talvo::test
