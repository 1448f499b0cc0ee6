#pragma once

#include <QPrinter>
#include <QString>

class QComboBox;

// The system's printers as the print system lists them, and the one printer
// the program prints on. With no print system running there are no printers
// and no default name.

// The system's default printer, or the empty text when there is none.
QString Standarddruckername();

// Appends the name of every installed printer to box, in the system's order.
// Nothing is sorted and nothing already in the box is removed.
void GetPrinters(QComboBox *box);

// The printer the program prints on. It starts as the system's default
// printer and changes only through drucker_setzen.
class CurrentPrinter
{
public:
    CurrentPrinter();

    QPrinter &printer() { return m_printer; }
    // The device name of the current printer; empty when there is none.
    QString deviceName() const;
    // Whether there is anything to print on: a printer, or a PDF file.
    bool canPrint() const;
    // What the output goes to, for messages: the printer's or the file's name.
    QString target() const;
    // Why nothing can be printed, for the user; empty when it can.
    QString problem() const;

    // Makes the installed printer of exactly this name (case-sensitive, whole
    // text) current. When none matches, the current printer stays and the
    // answer is false. The print system itself ignores case, so the match is
    // made here against its list.
    bool drucker_setzen(const QString &name);

private:
    QPrinter m_printer{QPrinter::HighResolution};
};
