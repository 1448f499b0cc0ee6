#pragma once

#include "books/ChangeLog.h"
#include "editing/SheetLayout.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

// The change log of the month shown, newest entry first: when, which cell,
// the text before and after; the cash counts stand between the entries at
// their places in the chain. Read-only; it shows what it is given.
class Aenderungsprotokoll : public QWidget
{
    Q_OBJECT
public:
    Aenderungsprotokoll();

    void showLog(const QString &month, const ChangeLog::Entries &entries, const CashCount::Counts &counts,
                 const QString &status, const modul::RateTexts &rates);

    QLabel *Label1 = nullptr;        // what a check of the log found
    QTableWidget *Table1 = nullptr;  // Nr, Zeit, Zeile, Spalte, Alt, Neu
    QPushButton *Command1 = nullptr; // "Schließen"
};
