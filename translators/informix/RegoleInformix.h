// The translation rules of class Ifmx: text in, text out, on UTF-16 statements. A rule that
// cannot apply to its input throws com::RunTimeError with the run-time number the caller sees.
#pragma once

#include <cstdint>

#include "common/Testo.h"

namespace talvo::translators {
class Uscita;
}

namespace talvo::translators::informix {

// The rules that build their result once write it into a destination (see Uscita); each also
// has a form that returns the result as a Testo.

// The statement for Informix: the kind is taken from the statement's first word when it is
// SELECT or CREATE, otherwise from tipoQuery ("SELECT", "EXTERNAL"; any other kind: unchanged).
void Traduci(Vista strQuery, Vista tipoQuery, Uscita& uscita);
Testo Traduci(Vista strQuery, Vista tipoQuery);

// The SELECT rules in their order: outer joins, substr, DATEFORMAT, catalogue. Each rule's
// trigger is looked for in the query as it came in; each rule works on the result of those before.
void TraduciSelect(Vista query, Uscita& uscita);
Testo TraduciSelect(Vista query);

// {oj ... LEFT OUTER JOIN ... ON ...} escapes become Informix OUTER tables, with the join
// conditions moved to the front of the WHERE clause.
void TraduciOuterJoin(Vista query, Uscita& uscita);
Testo TraduciOuterJoin(Vista query);

// substr(expression,start,length) becomes expression[start,start+length-1].
Testo TraduciSubstr(Vista text);
Testo ConvertiSubstr(Vista call);

// DATEFORMAT(date,format) becomes EXTEND(DATE(date),YEAR TO MONTH); the statement comes out in upper case.
Testo TraduciDateFormat(Vista text);

// Queries on the reference catalogue table become queries on the Informix one.
Testo TraduciSystable(Vista text);

// A global temporary table becomes an Informix temporary table.
Testo TraduciTempTable(Vista statement);

// A date literal in ISO order (or the zero date, or year || '-mm-dd') in day-first form.
Testo FormattaData(Vista campoData);

// The Informix error number for a reference-dialect one; 0 for a number without an equivalent.
std::int32_t TraduciErr(std::int32_t numErrore);

}  // namespace talvo::translators::informix
