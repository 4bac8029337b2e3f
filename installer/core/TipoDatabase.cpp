// The driver description of the data source, and for Sybase the local database file, from the
// current user's ODBC entries.
#include "TipoDatabase.h"

#include <windows.h>

#include "Log.h"
#include "Registro.h"
#include "Sessione.h"
#include "Testo.h"

namespace talvo {

namespace {

// The Sybase releases told apart by the driver description, each with its two caption texts.
struct ReleaseSybase {
  const char* traccia;
  const char* rete;
  const char* locale;
};
constexpr ReleaseSybase ReleasesSybase[] = {
    {"7.0", " *** SYBASE 7 ( RETE ) ***", " *** SYBASE 7 ( LOCALE ) ***"},
    {"8.0", " *** SYBASE 8 ( RETE ) ***", " *** SYBASE 8 ( LOCALE ) ***"},
};

}  // namespace

void RilevaTipoDatabase(const Sessione& sessione, std::string& caption) {
  // Each value is read once: every kind is tested on the same description.
  const std::string driver =
      LeggiRegistro(HKEY_CURRENT_USER, "Software\\ODBC\\ODBC.INI\\ODBC Data Sources", "TALVO");
  const bool locale =
      !LeggiRegistro(HKEY_CURRENT_USER, "software\\odbc\\odbc.ini\\talvo", "DatabaseFile").empty();
  bool trovato = false;
  for (const ReleaseSybase& sybase : ReleasesSybase) {
    if (driver.find(sybase.traccia) == std::string::npos) continue;
    caption += locale ? sybase.locale : sybase.rete;
    trovato = true;
  }
  if (Maiuscolo(driver).find("INFORMIX") != std::string::npos) {
    caption += " *** INFORMIX ***";
    trovato = true;
  }
  if (!trovato) {
    ScriviLog(
        sessione, "ODBCREGEDIT",
        "Non è stata trovata la scheda ODBC che consente il rilevamento della tipologia della base dati "
        "installata",
        CodiceLog::Avviso);
  }
}

}  // namespace talvo
