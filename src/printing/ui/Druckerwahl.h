#pragma once

#include "printing/ui/Printers.h"

#include <QWidget>

#include <functional>

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
    // startPrintOut runs the print-out when "Drucken" is pressed.
    explicit Druckerwahl(std::function<void()> startPrintOut);

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

    // "Drucken": the print-out on the printer named in the box.
    void Command1_Click();
    // "Abbrechen": hides the window; list and text stay.
    void Command2_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::function<void()> m_startPrintOut;
    CurrentPrinter m_printer;
    bool m_loaded = false;
};
