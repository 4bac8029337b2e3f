// The program the crash tests kill: it runs the update of the test installation in the given
// folder, or plays back the journal, as the installer would, and ends with the outcome. Where
// TALVO_PUNTO_CRASH names a point, the process ends itself there instead.
//   AggiornamentoInterrotto <folder> aggiorna|riproduci
#include <string>

#include "AggiornamentoDiProva.h"
#include "FakeDesktop.h"
#include "update/Aggiornamento.h"
#include "update/RiproduzioneGiornale.h"

namespace {

using namespace talvo;

class RigheMute final : public OsservatoreAggiornamento {
 public:
  void EventiInAttesa() override {}
  void Occupato(bool) override {}
  void StatoRiga(int, StatoArea) override {}
  void EsitoRiga(int, bool) override {}
  void AggiornaDisabilitato() override {}
  void DischiDisabilitati() override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string cartella = std::string(argv[1]) + "\\";
  const std::string comando = argv[2];
  Sessione sessione;
  test::PreparaSessione(sessione, cartella);
  test::FakeDesktop desktop;
  if (comando == "aggiorna") {
    RigheMute righe;
    const EsitoAggiornamento esito =
        Aggiorna(sessione, desktop, righe, test::RadiceDiProva(cartella), test::StatiDiProva());
    return esito == EsitoAggiornamento::Completo ? 0 : 1;
  }
  if (comando == "riproduci") return static_cast<int>(RiproduciGiornale(sessione, desktop));
  return 2;
}
