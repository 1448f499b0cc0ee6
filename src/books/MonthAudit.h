#pragma once

#include "books/ChangeLog.h"
#include "editing/SheetLayout.h"
#include "storage/MonthContents.h"

#include <QString>

// What a load tells the user about a month file's integrity: the chain of the
// change log and the cash counts, the records against the log, and a close
// mark against the records and the chain's head.
namespace MonthAudit {

// The first break, if any.
struct Finding
{
    std::optional<ChangeLog::Break> logBreak;
    bool logMissing = false;    // stamped as logged, but the log table is gone
    bool countsMissing = false; // stamped as keeping counts, but the count table is gone
    bool closeBroken = false;   // closed, but records or log are no longer those of the close
};
Finding check(const MonthContents &month);
bool intact(const Finding &finding);

// One German message naming the first broken entry, for the file fileName;
// empty when the file is intact.
QString message(const QString &fileName, const MonthContents &month, const Finding &finding);
// The sentence of that message that names the break.
QString describe(const MonthContents &month, const Finding &finding);

// The name of a log entry's column, as the field is called ("Text", "Ausgaben").
QString columnName(int column);

// The column as the sheet heads it, an income column with its rate text
// ("Einnahmen 19 %"): rates are the month's rate texts as its file holds them.
QString headingName(int column, const modul::RateTexts &rates);
// A cell of a log entry for the reader: "(leer)" for an empty or blank cell,
// "—" for a cell that did not exist in that version.
QString shownCell(const ChangeLog::Cell &cell);
// The rate texts of a month file's rate row, the defaults where it has none.
modul::RateTexts rateTexts(const Records &records);

} // namespace MonthAudit
