#pragma once

#include <QString>

// The tables a month file keeps beside its journal: the change log and the
// close mark. Barlog writes a month file whole and never alters one in
// place, so triggers refuse every UPDATE and DELETE on all three tables: a
// change made with a database tool has to go out of its way.
namespace AuditTables {

QString logTable();   // "Protokoll"
QString closeTable(); // "Abschluss"

// The statements that create both tables and the triggers, after the journal.
QString createSql();

// INSERT statements with one parameter per column, in the column order:
// Nr, Zeit, Zeile, Spalte, Alt, Neu, Hash; and Zeit, Buchungen, Protokoll.
QString insertLogSql();
QString insertCloseSql();
QString selectLogSql(bool lastOnly);
// Copies the log of the attached database "alt" into the main one.
QString copyLogSql();
QString selectCloseSql();

} // namespace AuditTables
