#pragma once

#include "EditingDriver.h"
#include "printing/ui/Druckerwahl.h"

#include <QComboBox>
#include <QPrinter>

// Drives the print-out as a user does: "Barlog drucken" on the main window,
// then a printer in the printer window's box and "Drucken".
struct PrintOutDriver : EditingDriver
{
    using EditingDriver::EditingDriver;

    Druckerwahl &printerWindow() { return *form->druckerwahl(); }

    Druckerwahl &openPrinterWindow()
    {
        QTest::mouseClick(form->Command6, Qt::LeftButton);
        return printerWindow();
    }

    // The box names no printer, so the print-out stays on the current
    // printer, which writes into a PDF file.
    void printIntoFile(const QString &pdfPath)
    {
        openPrinterWindow().Combo1->setEditText(QString());
        QPrinter &printer = printerWindow().currentPrinter().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }

    void choosePrinter(const QString &name) { openPrinterWindow().Combo1->setEditText(name); }

    void drucken() { QTest::mouseClick(printerWindow().Command1, Qt::LeftButton); }
};

// Everything of the sheet a print-out may change on the screen, one line per
// row, so that a comparison shows where two states differ.
inline QStringList sheetLook(const FlexGridStore &g)
{
    QStringList widths;
    for (int c = 0; c < g.cols(); ++c)
        widths << QString::number(g.colWidth(c));
    QStringList look{
        QStringLiteral("widths %1; grid font %2 %3").arg(widths.join(u' ')).arg(g.fontName()).arg(g.fontSize())};
    for (int r = 0; r < g.rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < g.cols(); ++c) {
            const FlexGridStore::CellFormat &f = g.format(r, c);
            cells << QStringLiteral("%1[%2%3 %4]")
                         .arg(g.textMatrix(r, c), f.bold ? QStringLiteral("b") : QString())
                         .arg(f.fontSize)
                         .arg(f.fontName);
        }
        look << QStringLiteral("row %1 h%2: %3").arg(r).arg(g.rowHeight(r)).arg(cells.join(u' '));
    }
    return look;
}
