// Prints a text file on a named printer as the printer window does (landscape, Courier New 7 pt),
// through the Desktop port's Win32 implementation; used by tools/print-test.sh against a real
// printer. Prints the installed printers first. Exit code 0 when the job was handed to the printer.
#include <cstdio>
#include <string>

#include "Win32Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/FileTesto.h"
#include "windows/logic/FrmStampa.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: StampaReale <printer> <text file>\n");
    return 2;
  }
  const std::string stampante = argv[1];
  try {
    talvo::Win32Desktop desktop;
    bool trovata = false;
    for (const std::string& nome : desktop.Stampanti()) {
      std::printf("printer: %s\n", nome.c_str());
      trovata = trovata || nome == stampante;
    }
    if (!trovata) {
      std::fprintf(stderr, "StampaReale: no printer named %s\n", stampante.c_str());
      return 1;
    }
    desktop.ImpostaStampanteCorrente(stampante);
    talvo::LavoroDiStampa lavoro;
    lavoro.Orientamento = talvo::OrientamentoStampa;
    lavoro.DimensioneCarattere = talvo::DimensioneCarattereStampa;
    lavoro.NomeCarattere = talvo::NomeCarattereStampa;
    lavoro.Testo = talvo::LeggiTesto(argv[2]);
    desktop.Stampa(lavoro);
  } catch (const talvo::ErroreRuntime& e) {
    std::fprintf(stderr, "StampaReale: %s (%d)\n", e.Descrizione().c_str(), e.Numero());
    return 1;
  }
  std::printf("printed\n");
  return 0;
}
