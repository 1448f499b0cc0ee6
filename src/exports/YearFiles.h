#pragma once

#include "editing/MonthTotals.h"
#include "platform/FlexGridStore.h"

#include <QString>

#include <array>

// The twelve month files of a year folder, each read into a sheet and
// recalculated as the main window would show it after "Laden". The
// program's own files and the Windows program's read alike.
namespace YearFiles {

constexpr int MonthCount = 12;

struct Month
{
    int month = 0;        // 1 to 12
    bool present = false; // the year folder holds its file
    QString problem;      // the file could not be read: the error report
    FlexGridStore sheet;  // the month as loaded, when present and read

    bool loaded() const { return present && problem.isEmpty(); }
};

std::array<Month, MonthCount> read(const QString &programFolder, int year);

// A month file's totals as its sheet shows them after "Laden", worked out
// from the rates row and the five amount columns alone, without a sheet.
// The month label is not read.
struct Totals
{
    int month = 0;
    bool present = false;
    QString problem;
    modul::MonthTotals totals;

    bool loaded() const { return present && problem.isEmpty(); }
};

std::array<Totals, MonthCount> readTotals(const QString &programFolder, int year);

} // namespace YearFiles
