#pragma once

#include "editing/SheetLayout.h"

#include <functional>

class Druckerwahl;
class FlexGrid;
class QPrinter;
class QWidget;
class SheetEditor;

// The month's print-out: the sheet and then its totals, in the fixed print
// layout. "Drucken" sends them as two print jobs to the printer named in
// the printer window; a PDF file and the print preview get the same pages
// as one document. Afterwards the printer, the sheet's screen layout and
// the main window are as before.
class PrintOut
{
public:
    struct MainWindow
    {
        QWidget &window;
        FlexGrid &sheet;
        FlexGrid &totals;
        QWidget &editorBox;
        SheetEditor &editor;
        const modul::RateTexts &rates;
        // The unscaled row height found at the first start-up, in twips.
        const short &rowHeight;
        // Start-up run again, which rebuilds the sheet's screen layout.
        std::function<void()> rebuild;
        // The line that pins the saved month on paper ("Prüfsumme …"), printed
        // above the totals; empty for a month without a chain.
        std::function<QString()> checksum;
    };
    explicit PrintOut(const MainWindow &main) : m_main(main) {}

    void run(Druckerwahl &printerWindow);
    // Both parts into one PDF file; an empty text, or the message to show.
    QString savePdf(const QString &path);
    // Qt's print preview of the same pages over parent; it does not block.
    void preview(QWidget *parent);

private:
    // The print-out's sequence around print: the entry being typed is
    // committed, the sheet takes the print layout, and everything is put
    // back afterwards. The printer jobs hide the main window meanwhile.
    void inPrintLayout(bool hideWindow, const std::function<void()> &print);
    void printSheetAndTotals(Druckerwahl &printerWindow);
    bool printDocument(QPrinter &printer);
    QString checksum() const;

    MainWindow m_main;
};
