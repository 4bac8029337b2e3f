// The two splitting procedures: deletes and updates of a table run piece by piece over a split
// of its rowids, each piece counted first and cut again while it holds more than DimMax rows.
#pragma once

#include <string_view>

#include "Split.h"
#include "database/DatabaseConnection.h"

namespace talvo::translators::informix {

// Deletes the rows of every piece. The first failure is reported and ends this level; a calling
// level goes on with its next piece. Pieces already deleted stay deleted.
void FrazionaTabella(DatabaseConnection& db, std::u16string_view Tabella, const Split& split);

// Sets Campo to ValoreNew in every row of every piece where it holds ValoreOld. A failing piece
// is logged in errUP3.log and, unless the server called it a duplicate or a locked row, reported;
// the next piece runs in any case.
void FrazionaTabellaXupdate(DatabaseConnection& db, std::u16string_view Tabella, const Split& split,
                            std::u16string_view Campo, std::u16string_view ValoreNew,
                            std::u16string_view ValoreOld);

}  // namespace talvo::translators::informix
