// The driver description of the data source, and for Sybase the local database file, from the
// current user's ODBC entries.
#include "TipoDatabase.h"

#include <windows.h>

#include "Log.h"
#include "Registro.h"
#include "Testo.h"

namespace talvo {

namespace {

std::string DescrizioneDriver() {
  return LeggiRegistro(HKEY_CURRENT_USER, "Software\\ODBC\\ODBC.INI\\ODBC Data Sources", "TALVO");
}

bool DatabaseLocale() {
  return !LeggiRegistro(HKEY_CURRENT_USER, "software\\odbc\\odbc.ini\\talvo", "DatabaseFile").empty();
}

}  // namespace

void RilevaTipoDatabase(std::string& caption) {
  bool trovato = false;
  if (DescrizioneDriver().find("7.0") != std::string::npos) {
    caption += DatabaseLocale() ? " *** SYBASE 7 ( LOCALE ) ***" : " *** SYBASE 7 ( RETE ) ***";
    trovato = true;
  }
  if (DescrizioneDriver().find("8.0") != std::string::npos) {
    caption += DatabaseLocale() ? " *** SYBASE 8 ( LOCALE ) ***" : " *** SYBASE 8 ( RETE ) ***";
    trovato = true;
  }
  if (Maiuscolo(DescrizioneDriver()).find("INFORMIX") != std::string::npos) {
    caption += " *** INFORMIX ***";
    trovato = true;
  }
  if (!trovato) {
    ScriviLog("ODBCREGEDIT",
              "Non è stata trovata la scheda ODBC che consente il rilevamento della tipologia della base dati "
              "installata",
              CodiceLog::Avviso);
  }
}

}  // namespace talvo
