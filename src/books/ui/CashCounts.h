#pragma once

#include "books/CashCount.h"
#include "books/CashCountStore.h"

#include <functional>

class CrashRecovery;
class FlexGrid;
class MonthFiles;
class QWidget;
class SheetEditor;

// What the count window needs of the main window: the month the sheet shows
// with its balance and stored counts, storing a count into the running
// month, and booking a difference into the sheet.
//
// A count compares the drawer with the sheet shown. It is stored into the
// running month's file, written whole, so the sheet must show that month
// exactly as saved: the stored book balance is then the balance the user
// saw, and no unsaved booking ever reaches the file by the way.
class CashCounts
{
public:
    // accounts gives the DATEV settings' accounts for a difference.
    CashCounts(QWidget &window, const QString &programFolder, FlexGrid &sheet, SheetEditor &editor, MonthFiles &files,
               CrashRecovery &recovery, std::function<CashCount::DifferenceAccounts()> accounts);

    const QString &programFolder() const { return m_programFolder; }

    struct Shown
    {
        QString label;            // "2026-03"
        QString path;             // its month file
        qint64 balance = 0;       // after the sheet's last entry
        CashCount::Counts counts; // the month file's, oldest first
        QString problem;          // why they could not be read; empty if they could
    };
    // The month the sheet shows, the entry being typed committed first.
    Shown shown();

    // "Speichern" of the count window; the message says why nothing was stored.
    CashCountStore::Result store(const CashCount::Count &count);

    // With a difference: asks over parent whether to book it and, on "Ja",
    // adds the row after the sheet's last entry.
    void offerBooking(QWidget *parent, const CashCount::Count &stored);

private:
    modul::RateTexts sheetRates() const;

    QWidget &m_window;
    QString m_programFolder;
    FlexGrid &m_sheet;
    SheetEditor &m_editor;
    MonthFiles &m_files;
    CrashRecovery &m_recovery;
    std::function<CashCount::DifferenceAccounts()> m_accounts;
};
