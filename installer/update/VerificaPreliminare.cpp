// One pass over the plan: one attribute query per source (existence and size together), one open
// per file the run would rename, one folder search per absolute folder, one free-space query per
// drive. A file or folder named by several lines is tested once.
#include "VerificaPreliminare.h"

#include <windows.h>

#include <unordered_map>
#include <unordered_set>

#include "FileInUso.h"
#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/Log.h"
#include "core/OperazioniFile.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

namespace {

// The message box names at most this many faults; the log holds them all.
constexpr std::size_t DifettiNelMessaggio = 25;

class Controllo {
 public:
  explicit Controllo(const MisuraSpazioLibero& spazio) : spazio_(spazio) {}

  std::vector<Difetto> Esegui(const PianoAggiornamento& piano) && {
    if (!piano.Completo) Aggiungi(piano.Errore, piano.NumeroErrore);
    for (const VocePiano& voce : piano.Voci) Voce(voce);
    Spazio();
    return std::move(difetti_);
  }

 private:
  void Voce(const VocePiano& voce) {
    switch (voce.Operazione) {
      case OperazionePiano::Nessuna: return;
      case OperazionePiano::Rinomina:
        // The installed file is renamed and an earlier renamed-out one deleted: both must be free.
        Trattenuto(voce.Sorgente);
        Trattenuto(voce.Destinazione);
        return;
      case OperazionePiano::Sostituisce:
      case OperazionePiano::Copia:
      case OperazionePiano::CopiaArea:
      case OperazionePiano::Archivio: break;
    }
    WIN32_FILE_ATTRIBUTE_DATA dati{};
    if (!::GetFileAttributesExA(voce.Sorgente.c_str(), GetFileExInfoStandard, &dati) ||
        (dati.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      Aggiungi("Manca nella patch il file " + voce.Sorgente, NumeroErrore::FileNonTrovato);
    } else {
      Occupa(voce.Destinazione, (static_cast<std::uint64_t>(dati.nFileSizeHigh) << 32) | dati.nFileSizeLow);
    }
    if (voce.CartellaAssoluta && !cartelle_.Esiste(CartellaDi(voce.Destinazione))) {
      Aggiungi("Non esiste la cartella di destinazione del file " + voce.Destinazione,
               NumeroErrore::PercorsoNonTrovato);
      return;
    }
    Trattenuto(voce.Destinazione);
  }

  void Trattenuto(const std::string& percorso) {
    if (!aperti_.insert(Minuscolo(percorso)).second || !FileTrattenuto(percorso)) return;
    const std::string programmi = ProgrammiCheTrattengono(percorso);
    Aggiungi(
        (programmi.empty() ? "File in uso da un altro programma: " : "File in uso da " + programmi + ": ") +
            percorso,
        NumeroErrore::AutorizzazioneNegata);
  }

  // A destination written twice needs room for the larger of its two files only.
  void Occupa(const std::string& destinazione, std::uint64_t byte) {
    const std::string unita = UnitaDi(destinazione);
    if (unita.empty()) return;
    std::uint64_t& occupati = file_[Minuscolo(destinazione)];
    if (byte <= occupati) return;
    auto [voce, nuova] = indiceUnita_.try_emplace(Minuscolo(unita), unita_.size());
    if (nuova) unita_.push_back({unita, 0});
    unita_[voce->second].second += byte - occupati;
    occupati = byte;
  }

  void Spazio() {
    for (const auto& [unita, necessari] : unita_) {
      const std::optional<std::uint64_t> liberi = spazio_(unita);
      if (!liberi || *liberi >= necessari) continue;
      Aggiungi("Spazio insufficiente sul disco " + unita + ": servono " + std::to_string(necessari) +
                   " byte, liberi " + std::to_string(*liberi) + " byte",
               NumeroErrore::DiscoPieno);
    }
  }

  void Aggiungi(const std::string& testo, std::int32_t codice) {
    if (segnalati_.insert(testo).second) difetti_.push_back({testo, codice});
  }

  const MisuraSpazioLibero& spazio_;
  std::vector<Difetto> difetti_;
  std::unordered_set<std::string> segnalati_;
  std::unordered_set<std::string> aperti_;
  CartelleEsistenti cartelle_;
  std::unordered_map<std::string, std::uint64_t> file_;       // bytes each destination will hold
  std::vector<std::pair<std::string, std::uint64_t>> unita_;  // bytes needed on each drive, in order
  std::unordered_map<std::string, std::size_t> indiceUnita_;
};

}  // namespace

std::optional<std::uint64_t> SpazioLiberoDisco(const std::string& unita) {
  ULARGE_INTEGER liberi{};
  if (!::GetDiskFreeSpaceExA(unita.c_str(), &liberi, nullptr, nullptr)) return std::nullopt;
  return liberi.QuadPart;
}

std::string UnitaDi(const std::string& percorso) {
  if (percorso.size() >= 2 && percorso[1] == ':') return Maiuscolo(percorso.substr(0, 2)) + "\\";
  if (percorso.rfind("\\\\", 0) != 0) return {};
  const std::size_t server = percorso.find('\\', 2);
  if (server == std::string::npos) return percorso + "\\";
  const std::size_t condivisione = percorso.find('\\', server + 1);
  return condivisione == std::string::npos ? percorso + "\\" : percorso.substr(0, condivisione + 1);
}

std::vector<Difetto> VerificaPiano(const PianoAggiornamento& piano, const MisuraSpazioLibero& spazio) {
  return Controllo(spazio).Esegui(piano);
}

std::string TestoRifiuto(const std::vector<Difetto>& difetti) {
  std::string testo =
      "Aggiornamento non eseguito: nessun file è stato modificato.\r\n"
      "I controlli preliminari hanno trovato i seguenti problemi:\r\n";
  for (std::size_t i = 0; i < difetti.size() && i < DifettiNelMessaggio; ++i)
    testo += difetti[i].Testo + "\r\n";
  if (difetti.size() > DifettiNelMessaggio) {
    testo += "... e altri " + std::to_string(difetti.size() - DifettiNelMessaggio) + ", elencati nel log\r\n";
  }
  return testo + "Risolvere i problemi indicati e ripetere l'aggiornamento.";
}

std::vector<Difetto> VerificaPrimaDellAggiornamento(const Sessione& sessione, const std::string& radice,
                                                    const std::vector<StatoArea>& stati) {
  return VerificaPiano(PreparaPiano(sessione, radice, stati));
}

void RifiutaAggiornamento(const Sessione& sessione, Desktop& desktop, const std::vector<Difetto>& difetti) {
  for (const Difetto& difetto : difetti) {
    IgnoraErrori([&] { ScriviLog(sessione, "Verifica preliminare", difetto.Testo, difetto.Codice); });
  }
  desktop.Messaggio(IdMessaggio::VerificaFallita, TestoRifiuto(difetti), TitoloProgramma,
                    IconaMessaggio::Esclamazione, PulsantiMessaggio::Ok);
}

}  // namespace talvo
