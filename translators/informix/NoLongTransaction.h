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

// Answers E_NOTIMPL (with a false result) until the database connection the splitting runs on exists.
HRESULT NoLongTransaction(const RichiestaNoLongTransaction& richiesta, VARIANT_BOOL* result) noexcept;

}  // namespace talvo::translators::informix
