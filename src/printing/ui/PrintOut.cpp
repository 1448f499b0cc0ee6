#include "printing/ui/PrintOut.h"

#include "editing/KeyCodes.h"
#include "editing/ui/SheetEditor.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "printing/PrintLayout.h"
#include "printing/ui/Druckerwahl.h"
#include "printing/ui/PdfFile.h"
#include "printing/ui/PrintGrid.h"

#include <QComboBox>
#include <QPainter>
#include <QPrinter>

namespace {
// Margins of the two jobs in millimetres from the printable area's edges.
constexpr PageMargins SheetPage{20.0F, 10.0F, 0.0F, 10.0F};
constexpr PageMargins TotalsPage{60.0F, 30.0F, 5.0F, 10.0F};
// The cell the print-out leaves current: the heading of the expense column.
constexpr int ParkRow = modul::RowHeadings;
constexpr int ParkCol = modul::ColAusgaben;
} // namespace

void PrintOut::inPrintLayout(bool hideWindow, const std::function<void()> &print)
{
    FlexGridStore &sheet = m_main.sheet.store();
    // A typed text that is refused stays in the editor; the print-out would
    // rebuild the sheet and lose it.
    if (!m_main.editor.pendingEditAccepted())
        return;
    // An entry being typed in the first column has no cell to the left to
    // move to, so the Left key would not commit it; it is printed and kept.
    m_main.editor.commitPendingEdit();
    if (hideWindow) {
        m_main.editor.keyDown(KeyCode::Left);
        m_main.window.hide();
    }
    {
        const SheetEditor::IdleCellHandlers idle(m_main.editor);
        const PrintLayout::SheetFormats screenLayout(sheet);

        PrintLayout::setColumns(sheet, m_main.rates);
        PrintLayout::setEveryCellFontSize(sheet, PrintLayout::CellPoints);
        sheet.setAllRowHeights(m_main.rowHeight);
        m_main.sheet.refresh();
        sheet.setRowCol(ParkRow, ParkCol);
        m_main.editorBox.hide();

        print();

        screenLayout.restore(sheet);
        if (hideWindow)
            m_main.window.show();
        sheet.setRowCol(ParkRow, ParkCol);
    }
    m_main.rebuild();
}

void PrintOut::run(Druckerwahl &printerWindow)
{
    inPrintLayout(true, [this, &printerWindow] {
        CurrentPrinter &printer = printerWindow.currentPrinter();
        const QString normaldrucker = printer.deviceName();
        printerWindow.drucker_setzen(printerWindow.Combo1->currentText());
        printSheetAndTotals(printerWindow);
        printerWindow.drucker_setzen(normaldrucker);
        printerWindow.hide();
    });
}

QString PrintOut::savePdf(const QString &path)
{
    QString error;
    inPrintLayout(false, [this, &path, &error] {
        error =
            PdfFile::write(path, QPageLayout::Portrait, [this](QPrinter &printer) { return printDocument(printer); });
    });
    return error;
}

void PrintOut::preview(QWidget *parent)
{
    PdfFile::preview(parent, QPageLayout::Portrait,
                     [this](QPrinter &printer) { inPrintLayout(false, [this, &printer] { printDocument(printer); }); });
}

QString PrintOut::checksum() const
{
    return m_main.checksum ? m_main.checksum() : QString();
}

// One document: the sheet's pages, then the totals from a page of their own.
bool PrintOut::printDocument(QPrinter &printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const bool printed = PrintGridOnPage(m_main.sheet, painter, printer, SheetPage) && printer.newPage()
                         && PrintGridOnPage(m_main.totals, painter, printer, TotalsPage, checksum());
    return painter.end() && printed;
}

void PrintOut::printSheetAndTotals(Druckerwahl &printerWindow)
{
    CurrentPrinter &printer = printerWindow.currentPrinter();
    const QString problem = printer.problem();
    if (!problem.isEmpty()) {
        MessageBox::info(&printerWindow, problem);
        return;
    }
    const auto print = [&printer](FlexGrid &grid, const PageMargins &p, const QString &titel = QString()) {
        return PrintGrid(grid, printer.printer(), p.left, p.top, p.right, p.bottom, titel, QString(), 0);
    };
    if (!print(m_main.sheet, SheetPage)) {
        MessageBox::info(&printerWindow, QStringLiteral("Das Kassenbuch konnte nicht auf \"%1\" gedruckt werden. "
                                                        "Es wurde nichts gedruckt.")
                                             .arg(printer.target()));
        return;
    }
    if (!print(m_main.totals, TotalsPage, checksum())) {
        MessageBox::info(&printerWindow, QStringLiteral("Die Monatssummen konnten nicht auf \"%1\" gedruckt werden. "
                                                        "Das Kassenbuch selbst wurde gedruckt.")
                                             .arg(printer.target()));
    }
}
