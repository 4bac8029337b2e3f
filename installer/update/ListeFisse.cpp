// The table of the fixed lists; a line names a file (field 0) and its folder under the root
// (field 1), further fields being ignored.
#include "ListeFisse.h"

#include <utility>

#include "core/ErroreRuntime.h"
#include "core/OperazioniFile.h"
#include "core/Sessione.h"

namespace talvo {

namespace {

// Field 0 and field 1 of a line, as written; a line without "|" is run-time error 9.
std::pair<std::string, std::string> Campi(const std::string& riga) {
  const std::size_t primo = riga.find('|');
  if (primo == std::string::npos) throw ErroreRuntime(NumeroErrore::IndiceFuoriIntervallo);
  const std::size_t secondo = riga.find('|', primo + 1);
  return {riga.substr(0, primo),
          riga.substr(primo + 1, secondo == std::string::npos ? std::string::npos : secondo - primo - 1)};
}

}  // namespace

const std::vector<ListaFissa>& ListeFisse() {
  static const std::vector<ListaFissa> liste = {
      {"ATT", CondizioneLista::File, "app\\att\\PRG\\BIN\\a_att.exe", ModoCopia::Sostituisci},
      {"BAR", CondizioneLista::File, "app\\bar\\PRG\\BIN\\a_bar.exe", ModoCopia::Sostituisci},
      {"CNV", CondizioneLista::File, "app\\cnv\\PRG\\BIN\\a_cnv.exe", ModoCopia::Sostituisci},
      {"SEC", CondizioneLista::File, "app\\sec\\PRG\\BIN\\a_sec.exe", ModoCopia::Sostituisci},
      {"SQL", CondizioneLista::Cartella, "\\SYS\\SQL\\", ModoCopia::Nuovi},
      {"EXT", CondizioneLista::Cartella, "\\SYS\\EXT", ModoCopia::Nuovi},
      {"RIN", CondizioneLista::Sempre, "", ModoCopia::Rinomina},
  };
  return liste;
}

std::string CartellaListaFissa(const Sessione& sessione, const ListaFissa& lista) {
  return sessione.PercorsoPatch + lista.Codice + "\\";
}

std::string FileListaFissa(const Sessione& sessione, const ListaFissa& lista) {
  return CartellaListaFissa(sessione, lista) + "Lista" + lista.Codice + ".txt";
}

bool CondizioneVera(const ListaFissa& lista, const std::string& radice) {
  switch (lista.Condizione) {
    case CondizioneLista::File: return EsisteFile(radice + lista.Percorso);
    case CondizioneLista::Cartella: return EsisteCartella(radice + lista.Percorso);
    case CondizioneLista::Sempre: return true;
  }
  return false;
}

PercorsiRigaFissa PercorsiRiga(const Sessione& sessione, const std::string& radice, const ListaFissa& lista,
                               const std::string& riga) {
  const auto [nome, sottocartella] = Campi(riga);
  const std::string destinazione = radice + sottocartella + nome;
  if (lista.Modo == ModoCopia::Rinomina) return {destinazione, nome};
  return {CartellaListaFissa(sessione, lista) + nome, destinazione};
}

}  // namespace talvo
