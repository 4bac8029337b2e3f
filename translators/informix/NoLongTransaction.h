// The splitting of long deletes and updates into bounded pieces, reached from Ifmx.NoLongTransaction.
// The arguments arrive as the caller passed them; every failure becomes a false result.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace talvo::translators::informix {

// The caller's arguments, borrowed for the length of the call.
struct RichiestaNoLongTransaction {
  BSTR Tabella;
  LONG DimMaxTabella;
  BSTR TipoQuery;
  IDispatch* CampiDaAllineare;  // collection of column names, indexed from 1 by I
  SHORT I;
  BSTR ValoreNew;
  BSTR ValoreOld;
};

// Runs the split on the calling thread's connection to the data source TALVO; the result is true
// (-1) when the work is done or not needed, false (0) on any failure. Always S_OK.
HRESULT NoLongTransaction(const RichiestaNoLongTransaction& richiesta, VARIANT_BOOL* result) noexcept;

}  // namespace talvo::translators::informix
