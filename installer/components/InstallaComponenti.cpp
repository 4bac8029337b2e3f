// The eight steps of the component installation, each logged at its start and end.
#include "InstallaComponenti.h"

#include <string>

#include "CopiaFileDir.h"
#include "CreaDir.h"
#include "CreateShortcut.h"
#include "WDir3264.h"
#include "core/Desktop.h"
#include "core/ErroreRuntime.h"
#include "core/Ini.h"
#include "core/Log.h"
#include "core/Machine.h"
#include "core/OperazioniFile.h"
#include "core/Sessione.h"

namespace talvo {

namespace {

constexpr const char* Nessuna = "";
constexpr const char* Registra = "regsvr32";
constexpr const char* UnaCartella = "F";
constexpr const char* ConSottocartelle = "R";

constexpr const char* CartellaCheck = "c:\\talvocheck\\";
constexpr const char* CartellaCorvane = "C:\\Corvane\\";

// The steps' shared means: the session, the two ports and the payload's folder.
class Installazione {
 public:
  Installazione(const Sessione& sessione, Desktop& desktop, Machine& machine)
      : sessione_(sessione), desktop_(desktop), machine_(machine) {}

  // False when a step reported an error.
  bool Esegui() {
    if (Attivo("DLL")) Librerie();
    CartellaEsami();
    if (Attivo("CHECKTALVO")) ProgrammaCheck();
    if (Attivo("CORVANE")) Corvane();
    if (Attivo("JAVAxTALVO")) Java();
    CartellaIscrizioni();
    if (Attivo("PLUMANE") && sessione_.OTVTrovato) Plumane();
    if (Attivo("7zipxTALVO")) SetteZip();
    return !inErrore_;
  }

 private:
  const Sessione& sessione_;
  Desktop& desktop_;
  Machine& machine_;
  bool inErrore_ = false;

  bool Attivo(const char* chiave) const {
    return LeggiIni(sessione_.FileSetupPBD(), "INSTALLA", chiave) == "SI";
  }

  // A folder of the patch, such as "DLL\" for the patch's DLL folder.
  std::string Payload(const std::string& cartella) const { return sessione_.PercorsoPatch + cartella; }

  bool DriveTrovato() const { return sessione_.Avvio.DriveTalvo.size() > 2; }

  void Log(const std::string& testo) const {
    // A log line that cannot be written does not stop the start-up.
    IgnoraErrori([&] { ScriviLogAvvio(sessione_, testo); });
  }

  void Errore(const std::string& testo) {
    inErrore_ = true;
    desktop_.Messaggio(IdMessaggio::ErroreComponente, testo, "Installazione Talvo", IconaMessaggio::Critico,
                       PulsantiMessaggio::Ok);
  }

  int Copia(const std::string& sorgente, const std::string& destinazione, const char* filtro,
            const char* azione, const std::string& wDir, const char* modo) const {
    int copiati = 0;
    IgnoraErrori([&] {
      copiati =
          CopiaFileDir(sessione_, desktop_, machine_, sorgente, destinazione, filtro, azione, wDir, modo);
    });
    return copiati;
  }

  int CopiaSemplice(const std::string& sorgente, const std::string& destinazione, const char* modo) const {
    return Copia(sorgente, destinazione, Nessuna, Nessuna, Nessuna, modo);
  }

  static void Crea(std::string cartella) {
    IgnoraErrori([&] { CreaDir(cartella); });
  }

  void Librerie() {
    Log("Copia e registrazione delle DLL - inizio");
    const std::string wDir = WDir3264(sessione_.Avvio);
    Log("Copia e registrazione delle DLL - WDir3264: " + wDir);
    const int copiati = Copia(Payload("DLL\\"), wDir, "dll_ocx_", Registra, wDir, UnaCartella);
    if (copiati == 0) Errore("Errore: file dll o ocx non copiati/registrati");
    Log("Copia e registrazione delle DLL - fine - nFileCopiati: " + std::to_string(copiati));
  }

  void CartellaEsami() {
    Log("Cartella ESAMI - inizio");
    if (DriveTrovato()) Crea(sessione_.Avvio.DriveTalvo + "TALVO\\APP\\ALU\\PRG\\Esami");
    Log("Cartella ESAMI - fine");
  }

  void ProgrammaCheck() {
    Log("CHECK TALVO - inizio");
    const int copiati = CopiaSemplice(Payload("CheckTalvo\\"), CartellaCheck, UnaCartella);
    if (copiati == 0) Errore("Errore: file CheckTalvo non copiati");
    Log("CHECK TALVO - nFileCopiati: " + std::to_string(copiati));
    // The header file and the export folder are extras: their failures go unreported.
    CopiaSovrascrivendo_nothrow(Payload("CheckTalvo\\cktlvhdr.dat"), "C:\\cktlvhdr.dat");
    Crea(std::string(CartellaCheck) + "EXP");
    IgnoraErrori([&] { CreateShortcut(CartellaCheck, machine_.AccountDiSistema()); });
    Log("CHECK TALVO - fine");
  }

  void Corvane() {
    Log("CORVANE - inizio");
    const std::string configurazione = std::string(CartellaCorvane) + "configurazione\\";
    int copiati = CopiaSemplice(Payload("Corvane\\"), CartellaCorvane, UnaCartella);
    copiati += CopiaSemplice(Payload("Corvane\\lib\\"), std::string(CartellaCorvane) + "lib\\", UnaCartella);
    Crea(configurazione);
    // An installed configuration holds the site's own settings: it is never overwritten.
    if (!EsisteFile(configurazione + "config.prop")) {
      copiati +=
          Copia(Payload("Corvane\\configurazione\\"), configurazione, "prop_", Nessuna, Nessuna, UnaCartella);
    }
    if (copiati == 0) Errore("Errore: file Corvane non copiati");
    Log("CORVANE - fine - nFileCopiati: " + std::to_string(copiati));
  }

  void Java() {
    Log("JAVAxTALVO - inizio");
    const int copiati =
        CopiaSemplice(Payload("Corvane\\jre"), std::string(CartellaCorvane) + "jre", ConSottocartelle);
    if (copiati == 0) Errore("Errore: Java x talvo non installato");
    Log("JAVAxTALVO - fine - nFileCopiati: " + std::to_string(copiati));
  }

  void CartellaIscrizioni() {
    if (!DriveTrovato()) return;
    Log("ISCRIZIONI - inizio");
    Crea(sessione_.Avvio.DriveTalvo + "TALVO\\APP\\ALU\\PRG\\ISCRIZIONI");
    Log("ISCRIZIONI - fine");
  }

  void Plumane() {
    Log("PLUMANE - inizio");
    const std::string plumane = sessione_.CartellaOpenTalvo + "Plumane\\";
    int copiati = CopiaSemplice(Payload("Plumane\\"), plumane, UnaCartella);
    if (copiati == 0) Errore("Errore: file Plumane non copiati");
    Crea(plumane + "docvalutazioni\\");
    copiati += CopiaSemplice(Payload("Plumane\\REPORT\\"), plumane + "REPORT\\", UnaCartella);
    if (copiati == 0) Errore("Errore: file Plumane\\REPORT non copiati");
    Log("PLUMANE - fine - nFileCopiati: " + std::to_string(copiati));
  }

  void SetteZip() {
    Log("7zipxTALVO - inizio");
    const int copiati =
        CopiaSemplice(Payload("Corvane\\7-Zip"), std::string(CartellaCorvane) + "7-Zip", ConSottocartelle);
    if (copiati == 0) Errore("Errore: 7-Zip x talvo non installato");
    Log("7zipxTALVO - fine - nFileCopiati: " + std::to_string(copiati));
  }
};

}  // namespace

bool InstallaComponenti(const Sessione& sessione, Desktop& desktop, Machine& machine) {
  return Installazione(sessione, desktop, machine).Esegui();
}

}  // namespace talvo
