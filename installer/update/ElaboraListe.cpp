// Each list has a code (its folder in the patch), a condition under the installation root and a
// mode of RinomiaeCopia; a line names a file (field 0) and its folder under the root (field 1).
#include "ElaboraListe.h"

#include <vector>

#include "RinomiaeCopia.h"
#include "core/ErroreRuntime.h"
#include "core/FileTesto.h"
#include "core/OperazioniFile.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

namespace {

enum class Condizione { File, Cartella, Sempre };

struct ListaFissa {
  const char* codice;
  Condizione condizione;
  const char* percorso;  // under the installation root
  ModoCopia modo;
};

constexpr ListaFissa ListeFisse[] = {
    {"ATT", Condizione::File, "app\\att\\PRG\\BIN\\a_att.exe", ModoCopia::Sostituisci},
    {"BAR", Condizione::File, "app\\bar\\PRG\\BIN\\a_bar.exe", ModoCopia::Sostituisci},
    {"CNV", Condizione::File, "app\\cnv\\PRG\\BIN\\a_cnv.exe", ModoCopia::Sostituisci},
    {"SEC", Condizione::File, "app\\sec\\PRG\\BIN\\a_sec.exe", ModoCopia::Sostituisci},
    {"SQL", Condizione::Cartella, "\\SYS\\SQL\\", ModoCopia::Nuovi},
    {"EXT", Condizione::Cartella, "\\SYS\\EXT", ModoCopia::Nuovi},
    {"RIN", Condizione::Sempre, "", ModoCopia::Rinomina},
};

bool CondizioneVera(const ListaFissa& lista, const std::string& radice) {
  switch (lista.condizione) {
    case Condizione::File: return EsisteFile(radice + lista.percorso);
    case Condizione::Cartella: return EsisteCartella(radice + lista.percorso);
    case Condizione::Sempre: return true;
  }
  return false;
}

// Field 0 and field 1 of a line, as written; a line without "|" is run-time error 9.
std::pair<std::string, std::string> Campi(const std::string& riga) {
  const std::size_t primo = riga.find('|');
  if (primo == std::string::npos) throw ErroreRuntime(NumeroErrore::IndiceFuoriIntervallo);
  const std::size_t secondo = riga.find('|', primo + 1);
  return {riga.substr(0, primo),
          riga.substr(primo + 1, secondo == std::string::npos ? std::string::npos : secondo - primo - 1)};
}

bool ElaboraLista(Sessione& sessione, Desktop& desktop, const std::string& radice, const ListaFissa& lista) {
  const std::string cartella = sessione.PercorsoPatch + lista.codice + "\\";
  const std::vector<std::string> righe = LeggiRighe(cartella + "Lista" + lista.codice + ".txt");
  for (const std::string& riga : righe) {
    if (Trim(riga).empty()) continue;
    const auto [nome, sottocartella] = Campi(riga);
    if (!CondizioneVera(lista, radice)) continue;
    const std::string destinazione = radice + sottocartella + nome;
    const bool fatto = lista.modo == ModoCopia::Rinomina
                           ? RinomiaeCopia(sessione, desktop, destinazione, nome, lista.modo)
                           : RinomiaeCopia(sessione, desktop, cartella + nome, destinazione, lista.modo);
    if (!fatto) return false;
  }
  return true;
}

}  // namespace

bool ElaboraListe(Sessione& sessione, Desktop& desktop, const std::string& radice) {
  try {
    for (const ListaFissa& lista : ListeFisse) {
      if (!ElaboraLista(sessione, desktop, radice, lista)) return false;
    }
    return true;
  } catch (const ErroreRuntime&) {
    return false;
  }
}

}  // namespace talvo
