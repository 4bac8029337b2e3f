// The update splitter.
#include <string>

#include "FrazionaTabella.h"
#include "GestioneErrore.h"
#include "RegoleInformix.h"
#include "RootLog.h"
#include "SqlText.h"

namespace talvo::translators::informix {
namespace {

constexpr char16_t kHeading[] = u"Ricarico sub 'FrazionaTabellaXupdate':";

// The server's numbers for a duplicate row and for a locked row: such a piece is skipped quietly.
bool SkippedQuietly(long number) { return number == TraduciErr(-196) || number == TraduciErr(-193); }

// Logs a piece that the server refused and reports it unless it is skipped quietly.
void HandleServerFailure(const EngineError& entry, const std::u16string& sql) {
  const std::u16string line = kHeading + DecimalText(entry.number) + u"," + entry.text + u"," + sql;
  try {
    AppendRootLogLine(u"errUP3.log", line);
  } catch (const com::RunTimeError& e) {
    throw ReportFailure(e);
  }
  if (SkippedQuietly(entry.number)) return;
  Report(line, entry.text + u"Istruzione sql: " + sql, static_cast<double>(entry.number));
}

}  // namespace

void FrazionaTabellaXupdate(DatabaseConnection& db, std::u16string_view Tabella, const Split& split,
                            std::u16string_view Campo, std::u16string_view ValoreNew,
                            std::u16string_view ValoreOld) {
  const std::u16string table(Tabella);
  const std::u16string condition = u" AND " + ConditionOn(Campo, ValoreOld);
  const std::u16string assignment = u" SET " + std::u16string(Campo) + u" = " + QuotedValue(ValoreNew);
  for (std::int32_t i = 1; i <= split.NumPezzi; ++i) {
    std::u16string sql;
    try {
      const std::optional<Piece> piece = PieceOf(split, i);
      if (!piece) break;
      const std::u16string where = RowidRange(piece->lo, piece->hi) + condition;
      sql = u"SELECT COUNT(*) FROM " + table + where;
      const std::int64_t count = db.Query(sql, 1)[0].value_or(0);
      if (count > split.DimMax && CanSplitAgain(split, *piece)) {
        sql.clear();
        FrazionaTabellaXupdate(db, Tabella, SplitRange(count, split.DimMax, piece->lo, piece->hi), Campo,
                               ValoreNew, ValoreOld);
      } else {
        sql = u"UPDATE " + table + assignment + where;
        db.Execute(sql);
      }
    } catch (const DatabaseError& e) {
      HandleServerFailure(e.FirstEntry(), sql);
    } catch (const com::RunTimeError& e) {
      Report(kHeading, e.Description(), e.Number());
    }
  }
}

}  // namespace talvo::translators::informix
