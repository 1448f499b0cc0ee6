#pragma once

#include "storage/MonthContents.h"

#include <QString>

// The line a print-out carries so that a signed paper copy pins the file's
// state: the month's chain head as 16 hex digits, labelled "Prüfsumme", and
// for a closed month the close's fingerprint of its records.
namespace Checksum {

// The first 16 hex digits of a 64-digit hash.
QByteArray shortHash(const QByteArray &hash);

// "Prüfsumme 0123456789abcdef" or, closed,
// "Prüfsumme 0123456789abcdef · Abschluss vom 01.04.2026 fedcba9876543210";
// empty for a month without a chain (no file, or none kept yet).
QString printLine(const MonthContents &file);
// The same for the month file at path; empty when it is missing or unreadable.
QString printLine(const QString &path);

// The year overview's line: one Prüfsumme over the chain heads of the
// year's months, each with its label; empty when no month has a chain.
QString yearLine(const QString &programFolder, int year);

} // namespace Checksum
