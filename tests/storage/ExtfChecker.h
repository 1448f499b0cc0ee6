#pragma once

#include <QByteArray>
#include <QStringList>

// DATEV's EXTF rules for a Buchungsstapel, format version 13, written down a
// second time from the format description: no DATEV validator installs here.
namespace ExtfChecker {

// The fields of each line (Windows-1252, CRLF, ";", quotes resolved); empty
// when the bytes are no such text.
QList<QStringList> parse(const QByteArray &bytes);

// Every rule the file breaks ("Zeile 3, Feld 10: Belegdatum"); empty when
// DATEV takes it without a finding.
QStringList findings(const QByteArray &bytes);

} // namespace ExtfChecker
