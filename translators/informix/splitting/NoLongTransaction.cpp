// The entry of the long-transaction splitter: counts the rows concerned, finds their rowid
// bounds and hands the split to FrazionaTabella or FrazionaTabellaXupdate.
#include "NoLongTransaction.h"

#include "FrazionaTabella.h"
#include "Split.h"
#include "SqlText.h"

namespace talvo::translators::informix {
namespace {

// A number the query must give; a null (no rows at all) is run-time error 94.
std::int64_t Required(const Number& value) {
  if (!value) throw com::RunTimeError(com::RunTimeNumber::InvalidUseOfNull);
  return *value;
}

// The split of the rows a filter selects, or nothing when they are few enough for one statement.
std::optional<Split> SplitFor(DatabaseConnection& db, const std::u16string& from, std::int32_t dimMax) {
  const std::int64_t count = Required(db.Query(u"SELECT COUNT(*) FROM " + from, 1)[0]);
  if (count <= dimMax) return std::nullopt;
  const std::vector<Number> bounds = db.Query(u"SELECT MAX(rowid), MIN(rowid) FROM " + from, 2);
  const std::int32_t rowidMin = Long32(Required(bounds[1]));
  const std::int32_t rowidMax = Long32(Required(bounds[0]));
  return SplitRange(count, dimMax, rowidMin, rowidMax);
}

}  // namespace

bool NoLongTransaction(DatabaseConnection& db, std::u16string_view Tabella, long DimMaxTabella,
                       std::u16string_view TipoQuery, const ColumnSource& CampoDaAllineare,
                       std::u16string_view ValoreNew, std::u16string_view ValoreOld) noexcept {
  try {
    const std::u16string table(Tabella);
    const std::int32_t dimMax = static_cast<std::int32_t>(DimMaxTabella);
    if (TipoQuery == u"DELETE") {
      if (const std::optional<Split> split = SplitFor(db, table, dimMax)) {
        FrazionaTabella(db, Tabella, *split);
      }
    } else if (TipoQuery == u"UPDATE") {
      const std::u16string campo = CampoDaAllineare();
      const std::u16string from = table + u" WHERE " + ConditionOn(campo, ValoreOld);
      if (const std::optional<Split> split = SplitFor(db, from, dimMax)) {
        FrazionaTabellaXupdate(db, Tabella, *split, campo, ValoreNew, ValoreOld);
      }
    }
    return true;
  } catch (...) {
    // Every failure, a failed report included, is the false result; the user sees nothing more.
    return false;
  }
}

}  // namespace talvo::translators::informix
