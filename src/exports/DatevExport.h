#pragma once

#include "exports/DatevSettings.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QStringList>

#include <vector>

class FlexGridStore;

// The cash book as a DATEV "Buchungsstapel" (EXTF, format 700, category 21,
// format version 13), the form tax advisers import:
// - Windows-1252, ";" between fields, texts in quotes with inner quotes
//   doubled, CRLF; the header line, then the 125 column headings.
// - Each income cell is a booking of its gross amount, S, account = cash,
//   counter-account = its column's revenue account, no tax key (the revenue
//   accounts carry their tax).
// - Each expense is a booking, H, counter-account = the expense account
//   with the expense tax key. A negative amount books the other side.
// - A row whose Konto holds an account number of the books' length books
//   its amounts to that counter-account instead, with no tax key; digits of
//   another length are refused, naming the row, and free text books as an
//   empty Konto.
// - Belegdatum is TTMM of the date cell, Belegfeld 1 the receipt number in
//   the characters DATEV allows (at most 36), Buchungstext the text column
//   cut to 60 characters.
namespace DatevExport {

// One month's sheet with the month its dates must lie in.
struct MonthSheet
{
    const FlexGridStore *sheet = nullptr;
    int year = 0;
    int month = 0;
};

// The span the batch covers, and its label in the header.
struct Period
{
    QDate from;
    QDate to;
    QString label;
};
Period monthPeriod(int year, int month);
Period yearPeriod(int year);

struct Result
{
    QByteArray bytes;            // the file; empty when refused
    QString refusal;             // why nothing may be written: the message the user sees
    QStringList unrepresentable; // characters written as "?", each once
    int bookings = 0;

    bool ok() const { return refusal.isEmpty(); }
};

// Checks every month before anything is written: a row with an amount needs
// a date that lies in its month and a Konto that is not digits of the wrong length,
// and the settings must name the adviser and the client. created is the time stamp of the header.
Result write(const DatevSettings &settings, const Period &period, const std::vector<MonthSheet> &months,
             const QDateTime &created);

// The characters Belegfeld 1 keeps of a receipt number, at most 36.
QString belegfeld(const QString &receipt);

} // namespace DatevExport
