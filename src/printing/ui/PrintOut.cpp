#include "printing/ui/PrintOut.h"

#include "editing/KeyCodes.h"
#include "editing/ui/SheetEditor.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "printing/PrintLayout.h"
#include "printing/ui/Druckerwahl.h"
#include "printing/ui/PrintGrid.h"

#include <QComboBox>
#include <QPrinterInfo>

namespace {
// Margins of the two jobs in millimetres from the printable area's edges.
struct Placement
{
    float left;
    float top;
    float right;
    float bottom;
};
constexpr Placement SheetPage{20.0F, 10.0F, 0.0F, 10.0F};
constexpr Placement TotalsPage{60.0F, 30.0F, 5.0F, 10.0F};
// The cell the print-out leaves current: the heading of the expense column.
constexpr int ParkRow = modul::RowHeadings;
constexpr int ParkCol = modul::ColAusgaben;

QString printerProblem(const CurrentPrinter &printer)
{
    if (printer.canPrint())
        return QString();
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return QStringLiteral("Es ist kein Drucker eingerichtet, daher kann Barlog nicht drucken.\n\n"
                              "Bitte richten Sie zuerst einen Drucker im System ein.");
    return QStringLiteral("Es ist kein Drucker ausgewählt, daher wurde nichts gedruckt.\n\n"
                          "Bitte wählen Sie im Druckfenster einen Drucker aus der Liste.");
}
} // namespace

void PrintOut::run(Druckerwahl &printerWindow)
{
    FlexGridStore &sheet = m_main.sheet.store();
    CurrentPrinter &printer = printerWindow.currentPrinter();

    // An entry being typed in the first column has no cell to the left to
    // move to, so the Left key would not commit it; it is printed and kept.
    m_main.editor.commitPendingEdit();
    m_main.editor.keyDown(KeyCode::Left);
    m_main.window.hide();
    {
        const SheetEditor::IdleCellHandlers idle(m_main.editor);
        const PrintLayout::SheetFormats screenLayout(sheet);

        PrintLayout::setColumns(sheet, m_main.rates);
        PrintLayout::setEveryCellFontSize(sheet, PrintLayout::CellPoints);
        const QString normaldrucker = printer.deviceName();
        printerWindow.drucker_setzen(printerWindow.Combo1->currentText());
        sheet.setAllRowHeights(m_main.rowHeight);
        m_main.sheet.refresh();
        sheet.setRowCol(ParkRow, ParkCol);
        m_main.editorBox.hide();

        printSheetAndTotals(printerWindow);

        printerWindow.drucker_setzen(normaldrucker);
        printerWindow.hide();
        screenLayout.restore(sheet);
        m_main.window.show();
        sheet.setRowCol(ParkRow, ParkCol);
    }
    m_main.rebuild();
}

void PrintOut::printSheetAndTotals(Druckerwahl &printerWindow)
{
    CurrentPrinter &printer = printerWindow.currentPrinter();
    const QString problem = printerProblem(printer);
    if (!problem.isEmpty()) {
        MessageBox::info(&printerWindow, problem);
        return;
    }
    const auto print = [&printer](FlexGrid &grid, const Placement &p) {
        return PrintGrid(grid, printer.printer(), p.left, p.top, p.right, p.bottom, QString(), QString(), 0);
    };
    if (!print(m_main.sheet, SheetPage)) {
        MessageBox::info(&printerWindow, QStringLiteral("Das Kassenbuch konnte nicht auf \"%1\" gedruckt werden. "
                                                        "Es wurde nichts gedruckt.")
                                             .arg(printer.target()));
        return;
    }
    if (!print(m_main.totals, TotalsPage)) {
        MessageBox::info(&printerWindow, QStringLiteral("Die Monatssummen konnten nicht auf \"%1\" gedruckt werden. "
                                                        "Das Kassenbuch selbst wurde gedruckt.")
                                             .arg(printer.target()));
    }
}
