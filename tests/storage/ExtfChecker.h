#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The rules of DATEV's EXTF format for a Buchungsstapel, format version 13,
// written down a second time from the format description: no DATEV
// validator installs here, so the tests check every file against these.
namespace ExtfChecker {

// One field of a line as it stood in the file.
struct Field
{
    QString text;
    bool quoted = false;
};
using Line = QList<Field>;

// The lines of a file in Windows-1252, split at CRLF and ";", quotes
// resolved. Empty when the file is no such text.
QList<Line> parse(const QByteArray &bytes);

// Every rule the file breaks, one line each ("Zeile 3, Feld 10: …"); empty
// for a file DATEV takes without a finding.
QStringList findings(const QByteArray &bytes);

} // namespace ExtfChecker
