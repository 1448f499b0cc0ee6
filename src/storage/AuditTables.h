#pragma once

#include <QString>

// The tables a month file keeps beside its journal: the change log, the
// close mark and the cash counts. Barlog writes a month file whole and never
// alters one in place, so triggers refuse every UPDATE and DELETE on all of
// them: a change made with a database tool has to go out of its way.
namespace AuditTables {

QString logTable();   // "Protokoll"
QString closeTable(); // "Abschluss"
QString countTable(); // "Kassenzaehlung"
QString linkTable();  // "Vormonat"

// The column of a count that holds the pieces of denomination i ("Euro500", …, "Cent1").
QString denominationColumn(int index);

// The statements that create the tables, after the journal's; and those
// that create and drop the triggers that keep every table, the journal's
// too, from being changed in place.
QString createSql();
QString createTriggersSql();
QString dropTriggersSql();

// INSERT statements with one parameter per column, in the column order:
// Nr, Zeit, Zeile, Spalte, Alt, Neu, Hash; and Zeit, Buchungen, Protokoll;
// and Nr, Zeit, GezaehltVon, Bemerkung, Buchbestand, Gezaehlt, Differenz,
// the fifteen denominations, Hash.
QString insertLogSql();
QString insertCloseSql();
QString insertCountSql();
QString selectLogSql(bool lastOnly);
QString selectCountSql(bool lastOnly);
// Copy the log and the counts of the attached database "alt" into the main
// one. Where both tables have the same columns in the same order, the rows
// go over as SQLite stores them, without being taken apart and put together
// again; otherwise column by column.
QString copyLogSql(bool sameColumns);
QString copyCountsSql(bool sameColumns);
QString selectCloseSql();
// Monat, Nr, Hash of the month before's chain head.
QString insertLinkSql();
QString selectLinkSql();

} // namespace AuditTables
