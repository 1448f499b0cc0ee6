#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

// The layout of a month file: one table of ten text fields, one record per
// sheet row below the headings, field i holding sheet column i.
namespace JournalTable {

struct Field
{
    const char16_t *name;
    int maxLength; // in characters
};

inline constexpr std::array<Field, 10> fields{{
    {u"Einnahmen1", 25},
    {u"Einnahmen2", 25},
    {u"Einnahmen3", 30},
    {u"Ausgaben", 30},
    {u"Bestand", 30},
    {u"Konto", 30},
    {u"Beleg", 30},
    {u"Datum", 32},
    {u"Text", 40},
    {u"leer", 30},
}};
inline constexpr int fieldCount = static_cast<int>(fields.size());

QString tableName(); // "Journal"
QString fieldName(int index);

// Stamped into every month file so that it is told apart from any other
// SQLite file, and so that a later layout can be recognised.
// - Version 1: the journal alone.
// - Version 2: the journal, the change log ("Protokoll") and the close mark
//   ("Abschluss").
// - Version 3: as version 2, and the cash counts ("Kassenzaehlung"), which
//   are links of the change log's chain. A program that knows version 2
//   would drop them with its next save; it refuses any version above its
//   own, so it refuses a version 3 file.
// - Version 4: as version 3, and the link to the month before ("Vormonat":
//   its label, the number and hash of its chain head). The first link of
//   the month's chain hashes that head instead of the 64 zeros a chain
//   without it starts from. A program that knows version 3 would find the
//   first entry's hash wrong and drop the link with its next save; it
//   refuses the file. Its saves log no cell a new row is made with as the
//   blank (an entry with no old text and the blank as new text), which
//   earlier saves logged: in the log's replay a cell no entry wrote is
//   empty, so that a record may hold the blank, NULL or nothing there. A
//   log begun by an earlier version keeps its entries of such cells and is
//   checked by the same rule.
// Files of every version load; a save always writes the newest version.
// The tables a file holds are read whatever its stamp says: a lowered
// stamp must not hide a log from its check.
inline constexpr std::int32_t applicationId = 0x42524C47; // "BRLG"
inline constexpr int userVersion = 4;
inline constexpr int firstLoggedVersion = 2;
inline constexpr int firstCountedVersion = 3;

// An empty sheet cell is stored as one blank, since the table takes no empty text.
QString blankCell();

// The text the start-up layout puts into the carry-over row's text column.
QString carryOverText(); // "Übertrag"

// A name as an SQL identifier in double quotes; it never reaches SQL any other way.
QString quoteIdentifier(const QString &name);

// CREATE TABLE for the journal: lengths checked in characters, NULL allowed,
// the empty text refused. Each check is named after its field so that a
// failure can say which field it was.
QString createTableSql();

// Characters as the database counts them: a surrogate pair is one.
int characterCount(const QString &text);

} // namespace JournalTable

// One stored record, field by field; a null QString is a NULL value.
using Record = QStringList;
using Records = std::vector<Record>;
