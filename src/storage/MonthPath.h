#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Where a month lives: <program folder>/<year>/<year>-<month>.mdb, from the
// texts of the year and month selectors as the user left them.
struct MonthPath
{
    QString path;    // the joined path, also when refused, for showing
    QString problem; // why the texts cannot name a month file; empty if they can

    bool ok() const { return problem.isEmpty(); }
};

// Only a year of four digits and a month from 01 to 12 name a month file; a
// month of one digit is completed ("7" is "07"). Anything else gives the
// problem, and no file may be written for it.
// Exports of the month lie beside its file under another extension
// ("2026-03.pdf").
MonthPath monthFilePath(const QString &programFolder, const QString &year, const QString &month,
                        const QString &extension = QStringLiteral(".mdb"));

// The first day of the month that the selector texts name: a year of four
// digits and a month from 1 to 12. Exports that check dates need one.
std::optional<QDate> selectedMonth(const QString &year, const QString &month);
// The message when they name none.
QString noMonthMessage(const QString &year, const QString &month);
// The same for the year alone.
std::optional<int> selectedYear(const QString &year);
QString noYearMessage(const QString &year);

// "2021-03", the label written into the sheet after a load.
QString monthLabel(const QString &year, const QString &month);

// The month selector's text as files and labels use it: a lone digit from 1
// to 9 gets its leading zero ("7" gives "07"); anything else stays.
QString completedMonth(const QString &month);

// The question before a save replaces an existing month file, line breaks as CR LF.
QString replaceQuestion(const QString &year, const QString &month);

// Month and year selector texts taken from a chosen file's name: upper-cased,
// every ".MDB" removed, the last two characters are the month and the first
// four the year ("2021-03.mdb" gives "03" and "2021").
struct MonthYear
{
    QString month;
    QString year;
};
MonthYear monthYearFromFileName(const QString &fileName);
