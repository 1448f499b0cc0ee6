#pragma once

#include "editing/SheetLayout.h"

#include <functional>

class Druckerwahl;
class FlexGrid;
class QWidget;
class SheetEditor;

// "Drucken": the month's sheet and then its totals as two print jobs on the
// printer named in the printer window, in the fixed print layout. Afterwards
// the printer, the sheet's screen layout and the main window are as before.
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
    };
    explicit PrintOut(const MainWindow &main) : m_main(main) {}

    void run(Druckerwahl &printerWindow);

private:
    void printSheetAndTotals(Druckerwahl &printerWindow);

    MainWindow m_main;
};
