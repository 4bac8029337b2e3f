// The archive folder and its two copies.
#include "ArchivioPre1996.h"

#include "ErroreRuntime.h"
#include "Log.h"
#include "OperazioniFile.h"

namespace talvo {

namespace {
constexpr const char* Cartella = "c:\\pre1996";
constexpr const char* Copia = CopiaArchivioPre1996;
constexpr const char* CopiaPrecedente = "c:\\pre1996\\cong.mdb.old";
}  // namespace

bool GestionePre1996(const Sessione& sessione, const std::string& fileNuovo) {
  try {
    if (!EsisteCartella(Cartella)) {
      CreaCartella(Cartella);
      ScriviLog(sessione, "GestionePre1996", "Non era presente la cartella C:\\pre1996, è stata creata",
                CodiceLog::Ok);
    }
    if (EsisteFile(CopiaPrecedente)) EliminaFile(CopiaPrecedente);
    if (EsisteFile(Copia)) Rinomina(Copia, CopiaPrecedente);
    CopiaSovrascrivendo(fileNuovo, Copia);
    return true;
  } catch (const ErroreRuntime& e) {
    IgnoraErrori([&] { ScriviLog(sessione, "GestionePre1996", e.Descrizione(), e.Numero()); });
    return false;
  }
}

}  // namespace talvo
