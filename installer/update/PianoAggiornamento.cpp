// The plan follows the run step by step through the same functions (ListeFisse, RinomiaeCopiaAgisce,
// DestinazioniAree, AreaDaAggiornare), testing the disk where the run would change it.
#include "PianoAggiornamento.h"

#include <algorithm>

#include "DestinazioneArea.h"
#include "ListeFisse.h"
#include "RinomiaeCopia.h"
#include "core/ErroreRuntime.h"
#include "core/FileTesto.h"
#include "core/MarcaturaVersione.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

namespace {

OperazionePiano OperazioneLista(ModoCopia modo) {
  switch (modo) {
    case ModoCopia::Sostituisci: return OperazionePiano::Sostituisce;
    case ModoCopia::Nuovi: return OperazionePiano::Copia;
    case ModoCopia::Rinomina: return OperazionePiano::Rinomina;
  }
  return OperazionePiano::Nessuna;
}

OperazionePiano OperazioneArea(TipoDestinazione tipo) {
  switch (tipo) {
    case TipoDestinazione::Copia: return OperazionePiano::CopiaArea;
    case TipoDestinazione::Archivio: return OperazionePiano::Archivio;
    case TipoDestinazione::Nessuna: return OperazionePiano::Nessuna;
  }
  return OperazionePiano::Nessuna;
}

class Pianificazione {
 public:
  Pianificazione(const Sessione& sessione, const std::string& radice, const std::vector<StatoArea>& stati)
      : sessione_(sessione), radice_(radice), destinazioni_(sessione, radice) {
    // Areas the window had no row for were never shown as installed.
    piano_.Stati = stati;
    piano_.Stati.resize(static_cast<std::size_t>(std::max<std::int16_t>(sessione.NumeroAree, 0)),
                        StatoArea::NonInstallata);
    piano_.Righe.assign(piano_.Stati.size(), 0);
    if (ReleaseDaRegistrare(sessione.NuovaVersione)) piano_.Release = PrimaDellaBarra(sessione.NuovaVersione);
  }

  PianoAggiornamento Prepara() && {
    for (const ListaFissa& lista : ListeFisse()) {
      if (!PianificaLista(lista)) return std::move(piano_);
    }
    for (std::size_t i = 0; i < piano_.Stati.size(); ++i) {
      if (AreaDaAggiornare(piano_.Stati[i]) && !PianificaArea(static_cast<std::int16_t>(i))) break;
    }
    return std::move(piano_);
  }

 private:
  bool PianificaLista(const ListaFissa& lista) {
    const std::string file = FileListaFissa(sessione_, lista);
    std::vector<std::string> righe;
    if (!Leggi(file, righe)) return false;
    for (const std::string& riga : righe) {
      if (Trim(riga).empty()) continue;
      PercorsiRigaFissa percorsi;
      try {
        percorsi = PercorsiRiga(sessione_, radice_, lista, riga);
      } catch (const ErroreRuntime& e) {
        return Fallisce("Riga senza separatore \"|\" nel file " + file + ": " + riga, e.Numero());
      }
      if (!CondizioneVera(lista, radice_) ||
          !RinomiaeCopiaAgisce(percorsi.Primo, percorsi.Secondo, lista.Modo))
        continue;
      const bool rinomina = lista.Modo == ModoCopia::Rinomina;
      piano_.Voci.push_back({OperazioneLista(lista.Modo), lista.Codice, -1, percorsi.Primo,
                             rinomina ? NomeRinominato(percorsi.Primo) : percorsi.Secondo, false});
    }
    return true;
  }

  bool PianificaArea(std::int16_t i) {
    Area area;
    try {
      area = sessione_.AreaN(i);
    } catch (const ErroreRuntime& e) {
      return Fallisce("Area " + std::to_string(i) + " non descritta nella patch", e.Numero());
    }
    const std::string file = area.DirectoryArea + area.ListaScriptArea;
    std::vector<std::string> righe;
    if (!Leggi(file, righe)) return false;
    for (const std::string& riga : righe) {
      if (Trim(riga).empty()) continue;
      ++piano_.Righe[static_cast<std::size_t>(i)];
      DestinazioneRiga destinazione;
      try {
        destinazione = destinazioni_.Risolvi(riga, i);
      } catch (const ErroreRuntime& e) {
        return Fallisce("Riga non valida nel file " + file + ": " + riga, e.Numero());
      }
      piano_.Voci.push_back({OperazioneArea(destinazione.Tipo), area.NomeArea, i, destinazione.Sorgente,
                             destinazione.Destinazione, destinazione.Assoluta});
    }
    return true;
  }

  bool Leggi(const std::string& file, std::vector<std::string>& righe) {
    try {
      righe = LeggiRighe(file);
      return true;
    } catch (const ErroreRuntime& e) {
      return Fallisce("Impossibile aprire il file " + file, e.Numero());
    }
  }

  bool Fallisce(std::string errore, int numero) {
    piano_.Completo = false;
    piano_.Errore = std::move(errore);
    piano_.NumeroErrore = numero;
    return false;
  }

  const Sessione& sessione_;
  const std::string& radice_;
  DestinazioniAree destinazioni_;
  PianoAggiornamento piano_;
};

}  // namespace

PianoAggiornamento PreparaPiano(const Sessione& sessione, const std::string& radice,
                                const std::vector<StatoArea>& stati) {
  return Pianificazione(sessione, radice, stati).Prepara();
}

}  // namespace talvo
