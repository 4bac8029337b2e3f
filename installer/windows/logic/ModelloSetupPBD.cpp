// The main window's controls as they stand at design time.
#include "ModelloSetupPBD.h"

#include "core/ErroreRuntime.h"
#include "core/Sessione.h"

namespace talvo {

std::string ListaDiscesa::Testo() const {
  if (Selezione < 0 || static_cast<std::size_t>(Selezione) >= Voci.size()) return {};
  return Voci[static_cast<std::size_t>(Selezione)];
}

ModelloSetupPBD::ModelloSetupPBD() : Caption(TitoloProgramma) {
  static const char* const aree[Disposizione::NumeroRighe] = {
      "Alunni",       "Biblioteca", "Nuovo Bilancio", "Libri di testo", "Magazzino",
      "Retribuzioni", "Fiscale",    "Personale",      "OpenTALVO"};
  for (int i = 0; i < Disposizione::NumeroRighe; ++i)
    Righe[static_cast<std::size_t>(i)].LblArea.Caption = aree[i];
}

RigaArea& ModelloSetupPBD::Riga(int i) {
  if (i < 0 || i >= Disposizione::NumeroRighe) throw ErroreRuntime(NumeroErrore::IndiceFuoriIntervallo);
  return Righe[static_cast<std::size_t>(i)];
}

}  // namespace talvo
