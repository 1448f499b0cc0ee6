#pragma once

#include "editing/SheetLayout.h"
#include "storage/JournalTable.h"

class FlexGridStore;

// Copying the journal sheet to records and back. Record i is sheet row i + 1:
// the rate texts and month label, then the carry-over row and the entry rows
// up to the last one that holds an entry. The heading row 0 is never stored,
// nor are the empty rows after the last entry.
namespace SheetRecords {

// Every row below the headings up to the last entry, ten fields each; an
// empty cell becomes " ".
Records fromSheet(const FlexGridStore &sheet);

// One line per text too long for its field, e.g. "Zeile 7, Spalte Text:
// höchstens 40 Zeichen". "Zeile" is the sheet row (record index + 1), the
// column is named by its field.
QStringList lengthProblems(const Records &records);

// Replaces rows 1 and below by the records; the row count becomes the record
// count + 2, at least the start-up layout's 5, and the rows after the records
// are empty. A stored " " or NULL
// shows as empty, fields past the sheet's last column are ignored, and cells
// beyond a short record's fields are emptied, so nothing of the previous
// month survives. A month without records loads as start-up lays the sheet
// out: the given rate texts in row 1, "Übertrag" in row 2, rows 3 and 4 empty.
void load(FlexGridStore &sheet, const Records &records, const modul::RateTexts &rates);

} // namespace SheetRecords
