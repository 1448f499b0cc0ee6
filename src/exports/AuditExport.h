#pragma once

#include "exports/AuditYear.h"
#include "exports/ZipArchive.h"
#include "storage/ShopData.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// "Daten für die Betriebsprüfung": a year of the cash book as the tax
// audit's data package (index.xml, its DTD and five CSV tables, see
// Gdpdu::Table), in one ZIP file. The tables:
// - the cash book: every row with an entry, and each month's carry-over row;
// - the change log, every entry;
// - the month closes;
// - the cash counts, every denomination;
// - the carry-overs between months.
// Open months are marked as such; months without a log, and months that
// could not be read whole or were changed outside Barlog, are exported with
// what they hold and named in the cash book's Description.
namespace AuditExport {

// The files of the package, index.xml first. created dates the package.
std::vector<ZipArchive::Entry> files(const AuditYear::Year &year, const ShopData &shop, const QDateTime &created);

// "Betriebsprüfung 2026.zip"
QString fileName(int year);

// The question when months of the year are still open.
QString openMonthsQuestion(int year, const QStringList &open);
// The message when the year folder holds no month file.
QString nothingMessage(int year);
// What the user learns once the file at path is written.
QString doneMessage(const QString &path, const AuditYear::Year &year, const ShopData &shop);

} // namespace AuditExport
