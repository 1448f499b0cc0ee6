#pragma once

#include "printing/ui/Printers.h"

#include <QWidget>

class Form1;
class QComboBox;
class QLabel;
class QPushButton;

// The printer window: the user picks a printer and starts the print-out.
// It exists once for the run and owns the program's current printer; its
// list is filled when it is first shown and kept while it is hidden.
class Druckerwahl : public QWidget
{
    Q_OBJECT
public:
    explicit Druckerwahl(Form1 *main);

    QLabel *Label6 = nullptr;
    QComboBox *Combo1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    // Runs once, when the window is first shown: the printer list, and the
    // default printer's name as the box text ("" when there is none).
    void Form_Load();
    void drucker_lesen();
    // Makes the printer of exactly this name current; false leaves it.
    bool drucker_setzen(const QString &name);
    CurrentPrinter &currentPrinter() { return m_printer; }

    // "Drucken": the month's sheet and then its totals as two print jobs on
    // the printer named in the box, after which the printer, the sheet's
    // screen layout and the main window are as before.
    void Command1_Click();
    // "Abbrechen": hides the window; list and text stay.
    void Command2_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void printSheetAndTotals();
    QString printerProblem() const;

    Form1 *m_main;
    CurrentPrinter m_printer;
    bool m_loaded = false;
};
