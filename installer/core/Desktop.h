// The Desktop port: everything a person sees or answers. The installer's logic talks to the
// screen only through it, so that tests can answer and record what a person would.
#pragma once

#include <string>
#include <vector>

namespace talvo {

// Which question or notice a message box is. A policy other than a person (the unattended modes)
// answers and records boxes by this identity, never by their text.
enum class IdMessaggio {
  DescrizionePatchMancante,  // the patch has no SetupPBD.ini (the error box, then the notice)
  FileLogNonIndicato,        // SetupPBD.ini names no log file
  LogNonCreato,              // the log file could not be started
  AvvisoRelease,             // the release warning: OK to go on, Cancel to end
  UtenteNonAmministratore,   // Yes to go on, No to end
  TalvoMinisteriale,         // the installation is the ministerial one
  ErroreRicercaOpenTalvo,
  OpenTalvoNonRilevato,
  OtvIniMancante,
  OpenTalvoNonCompatibile,
  ReleaseNonCompatibile,
  DescrizioneAreeIncompleta,
  DescrizionePatchIllegibile,
  ErroreComponente,  // a step of the component installation failed
  ErroreListaFissa,  // a file of a fixed list could not be replaced or renamed
  RipristinoInCorso,
  AggiornamentoRiuscito,
  AggiornamentoIncompleto,  // the run ended with areas not updated
  RiavviaSetup,             // the release editor wrote a new release
  ErroreMostraLog,
  ErroreStampa,
  StampanteNonScelta,
  GiaInEsecuzione,       // another SetupTalvo is running
  VerificaFallita,       // the checks before the run refused it
  GiornaleRipristinato,  // a journal left by an interrupted run was played back
  Aiuto,                 // the command line's switches and exit codes
};

enum class IconaMessaggio { Nessuna, Critico, Domanda, Esclamazione, Informazione };
enum class PulsantiMessaggio { Ok, OkAnnulla, SiNo, SiNoAnnulla };
enum class RispostaMessaggio { Ok, Annulla, Si, No };
enum class PuntatoreMouse { Predefinito, Clessidra };

// The installer's secondary windows that are shown modally.
enum class FinestraModale { MostraLog, Stampa, ModificaRelease };

// Orientation values of a print job, as printers number them.
namespace Orientamento {
constexpr int Verticale = 1;
constexpr int Orizzontale = 2;
}  // namespace Orientamento

// One document for the current printer: its page orientation, the font of the whole text, and the
// text itself, lines ended by CR LF.
struct LavoroDiStampa {
  int Orientamento = Orientamento::Verticale;
  int DimensioneCarattere = 10;  // in points
  std::string NomeCarattere;
  std::string Testo;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // A modal message box; returns the button the person pressed.
  virtual RispostaMessaggio Messaggio(IdMessaggio id, const std::string& testo, const std::string& titolo,
                                      IconaMessaggio icona, PulsantiMessaggio pulsanti) = 0;
  // Shows one of the secondary windows modally and returns when it is closed.
  virtual void MostraModale(FinestraModale finestra) = 0;
  // Lets pending window events run, so that windows repaint during long loops.
  virtual void DoEvents() = 0;
  virtual void ImpostaPuntatoreMouse(PuntatoreMouse puntatore) = 0;

  // Empties the clipboard and puts the text on it. Throws ErroreRuntime when the clipboard cannot
  // be taken or filled.
  virtual void CopiaNegliAppunti(const std::string& testo) = 0;
  // The names of the installed printers, in the order the platform lists them.
  virtual std::vector<std::string> Stampanti() = 0;
  // Makes the installed printer of that name the current printer; an unknown name leaves the
  // current printer as it is.
  virtual void ImpostaStampanteCorrente(const std::string& nome) = 0;
  // Prints the job on the current printer as one document. Throws ErroreRuntime (the printer error)
  // when nothing could be printed or the document failed half-way; a failed document is aborted.
  virtual void Stampa(const LavoroDiStampa& lavoro) = 0;
};

}  // namespace talvo
