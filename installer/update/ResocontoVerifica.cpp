// The report is the plan and its faults in words; the log gets every line, the faults with the
// code of the error the run would have met.
#include "ResocontoVerifica.h"

#include "PianoAggiornamento.h"
#include "VerificaPreliminare.h"
#include "core/ErroreRuntime.h"
#include "core/Log.h"
#include "core/Sessione.h"
#include "core/Testo.h"

namespace talvo {

namespace {

std::string RigaFile(const VocePiano& voce) {
  const std::string lista = "lista " + voce.Lista;
  const std::string area = "area " + voce.Lista;
  std::string origine;
  switch (voce.Operazione) {
    case OperazionePiano::Sostituisce: origine = lista + ", sostituzione"; break;
    case OperazionePiano::Copia: origine = lista + ", copia"; break;
    case OperazionePiano::Rinomina: origine = lista + ", rinomina"; break;
    case OperazionePiano::CopiaArea: origine = area; break;
    case OperazionePiano::Archivio: origine = area + ", archivio"; break;
    case OperazionePiano::Nessuna:
      return "File: " + voce.Sorgente + " -> nessuna destinazione, non copiato (" + area + ")";
  }
  return "File: " + voce.Sorgente + " -> " + voce.Destinazione + " (" + origine + ")";
}

class Resoconto {
 public:
  explicit Resoconto(const Sessione& sessione) : sessione_(sessione) {}

  void Riga(const std::string& testo, std::int32_t codice = CodiceLog::Ok) {
    resoconto_.Righe.push_back(testo);
    IgnoraErrori([&] { ScriviLog(sessione_, "Verifica aggiornamento", testo, codice); });
  }

  ResocontoVerifica Chiudi(bool applicabile) && {
    resoconto_.Applicabile = applicabile;
    Riga(applicabile ? "Esito: aggiornamento applicabile" : "Esito: aggiornamento non applicabile",
         applicabile ? CodiceLog::Ok : CodiceLog::Fallito);
    return std::move(resoconto_);
  }

 private:
  const Sessione& sessione_;
  ResocontoVerifica resoconto_;
};

}  // namespace

ResocontoVerifica VerificaAggiornamento(const Sessione& sessione, const std::string& radice,
                                        const std::vector<StatoArea>& stati) {
  const PianoAggiornamento piano = PreparaPiano(sessione, radice, stati);
  const std::vector<Difetto> difetti = VerificaPiano(piano);

  Resoconto resoconto(sessione);
  resoconto.Riga("Installazione: " + radice);
  for (const VocePiano& voce : piano.Voci) resoconto.Riga(RigaFile(voce));
  for (std::size_t i = 0; i < piano.Stati.size(); ++i) {
    const std::string nome = i < sessione.Aree.size() ? sessione.Aree[i].NomeArea : std::to_string(i);
    std::string riga = "Area " + Maiuscolo(nome) + ": " + TestoStatoArea(piano.Stati[i]);
    if (piano.Completo && AreaDaAggiornare(piano.Stati[i])) {
      riga += piano.Righe[i] > 0 ? ", " + std::to_string(piano.Righe[i]) + " file"
                                 : std::string(", ") + TestoStatoArea(StatoArea::SenzaAggiornamenti);
    }
    resoconto.Riga(riga);
  }
  resoconto.Riga(piano.Release.empty() ? "Nessuna release da registrare: " + sessione.NuovaVersione
                                       : "Release da registrare: " + piano.Release);
  for (const Difetto& difetto : difetti) resoconto.Riga("Problema: " + difetto.Testo, difetto.Codice);
  return std::move(resoconto).Chiudi(difetti.empty());
}

}  // namespace talvo
