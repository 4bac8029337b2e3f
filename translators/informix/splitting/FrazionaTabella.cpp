// The delete splitter.
#include "FrazionaTabella.h"

#include <string>

#include "GestioneErrore.h"
#include "SqlText.h"

namespace talvo::translators::informix {

void FrazionaTabella(DatabaseConnection& db, std::u16string_view Tabella, const Split& split) {
  const std::u16string table(Tabella);
  std::u16string sql;  // the statement being run, for the report
  try {
    for (std::int32_t i = 1; i <= split.NumPezzi; ++i) {
      sql.clear();
      const std::optional<Piece> piece = PieceOf(split, i);
      if (!piece) break;
      const std::u16string range = RowidRange(piece->lo, piece->hi);
      sql = u"SELECT COUNT(*) FROM " + table + range;
      const std::int64_t count = db.Query(sql, 1)[0].value_or(0);
      if (count > split.DimMax && CanSplitAgain(split, *piece)) {
        sql.clear();
        FrazionaTabella(db, Tabella, SplitRange(count, split.DimMax, piece->lo, piece->hi));
      } else {
        sql = u"DELETE FROM " + table + range;
        db.Execute(sql);
      }
    }
  } catch (const DatabaseError& e) {
    Report(u"Funzione 'FrazionaTabella':", e.FirstEntry().text + u"Istruzione sql: " + sql,
           static_cast<double>(e.FirstEntry().number));
  } catch (const com::RunTimeError& e) {
    Report(u"Funzione 'FrazionaTabella':", e.Description(), e.Number());
  }
}

}  // namespace talvo::translators::informix
