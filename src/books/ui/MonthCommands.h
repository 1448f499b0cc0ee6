#pragma once

#include "books/ChangeLog.h"
#include "editing/SheetLayout.h"

#include <QString>

class CrashRecovery;
class FlexGrid;
class MonthFiles;
class QComboBox;
class QWidget;
class SheetEditor;

// The commands of the "Monat" menu: closing the month, reversing a booked
// row into the running month, and what the change log window shows.
class MonthCommands
{
public:
    struct Controls
    {
        FlexGrid &sheet;
        QComboBox &month;
        QComboBox &year;
    };
    MonthCommands(QWidget &window, const QString &programFolder, const Controls &controls, SheetEditor &editor,
                  MonthFiles &files, CrashRecovery &recovery);

    // "Abschließen": the selectors' month, once it is saved, after one question.
    void closeMonth();
    // "Storno": the row of the current cell reversed by a new row in today's
    // month, which is loaded (or started) first when the sheet shows another.
    void storno();

    // The log of the month the sheet shows with the counts in its chain,
    // and what a check of it found.
    struct LogView
    {
        QString month; // "2026-03"
        ChangeLog::Entries entries;
        CashCount::Counts counts;
        QString status;
        modul::RateTexts rates = modul::defaultRateTexts();
    };
    LogView shownLog() const;

private:
    QWidget &m_window;
    QString m_programFolder;
    Controls m_controls;
    SheetEditor &m_editor;
    MonthFiles &m_files;
    CrashRecovery &m_recovery;
};
