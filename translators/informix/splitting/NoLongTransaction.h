// NoLongTransaction of class Ifmx: deletes every row of a table, or replaces one value of one
// column throughout it, as bounded pieces of rowids when the rows concerned are more than
// DimMaxTabella; with fewer rows it does nothing and leaves the statement to the caller.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "database/DatabaseConnection.h"

namespace talvo::translators::informix {

// The column to change, read only for an update: CampiDaAllineare(I) of the caller's collection.
// It throws com::RunTimeError when the collection has no such entry.
using ColumnSource = std::function<std::u16string()>;

// True when the work is done or not needed; false when the connection, the count or bounds
// query, the column or an error report failed. Nothing escapes.
bool NoLongTransaction(DatabaseConnection& db, std::u16string_view Tabella, long DimMaxTabella,
                       std::u16string_view TipoQuery, const ColumnSource& CampoDaAllineare,
                       std::u16string_view ValoreNew, std::u16string_view ValoreOld) noexcept;

}  // namespace talvo::translators::informix
