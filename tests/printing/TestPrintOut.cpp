// The print-out from the printer window's "Drucken", driven on the real main
// window, printing into a PDF file so that it needs no print server. Both
// jobs go to the one file, so it holds the totals unless the totals grid is
// kept busy.
#include "PrintOutDriver.h"
#include "PrintTestSupport.h"

#include "printing/PrintLayout.h"

#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

// Entries below the carry-over row as loading or typing leaves them, the
// last row empty.
void fillEntries(FlexGridStore &g, int count)
{
    g.setTextMatrix(2, 4, QStringLiteral("100,00"));
    g.setRows(std::max(5, 3 + count + 1));
    for (int i = 0; i < count; ++i) {
        g.setTextMatrix(3 + i, i % 2 == 0 ? 0 : 3, QStringLiteral("%1,50").arg(i + 1));
        g.setTextMatrix(3 + i, 7, QStringLiteral("%1.03.2026").arg(i % 28 + 1, 2, 10, QChar(u'0')));
        g.setTextMatrix(3 + i, 8, i % 2 == 0 ? QStringLiteral("Tageseinnahme") : QStringLiteral("Bürobedarf"));
    }
}

// Everything of the sheet a print-out may change on the screen, a line a row.
QStringList sheetLook(const FlexGridStore &g)
{
    QStringList look{QStringLiteral("grid font %1 %2").arg(g.fontName()).arg(g.fontSize())};
    for (int r = 0; r < g.rows(); ++r) {
        QStringList cells{QStringLiteral("h%1").arg(g.rowHeight(r))};
        for (int c = 0; c < g.cols(); ++c) {
            const FlexGridStore::CellFormat &f = g.format(r, c);
            cells << QStringLiteral("w%1 %2[%3%4 %5]")
                         .arg(g.colWidth(c))
                         .arg(g.textMatrix(r, c), f.bold ? QStringLiteral("b") : QString())
                         .arg(f.fontSize)
                         .arg(f.fontName);
        }
        look << cells.join(u' ');
    }
    return look;
}

// Where the printer's printable area starts on the page, in PDF points.
QPointF paperOrigin(PrintOutDriver &d)
{
    return d.printerWindow().currentPrinter().printer().pageLayout().paintRect(QPageLayout::Point).topLeft();
}

// A print-out into pdfPath; with totalsBusy only the sheet's job is written.
void printIntoFile(PrintOutDriver &d, const QString &pdfPath, bool totalsBusy = false)
{
    if (totalsBusy)
        d.form->flex2->printRequest(FlexGrid::PrintStart, nullptr);
    d.openPrinterWindow().Combo1->setEditText(QString()); // stays on the current printer
    QPrinter &printer = d.printerWindow().currentPrinter().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    d.drucken();
    if (totalsBusy)
        d.form->flex2->printRequest(FlexGrid::PrintPage, nullptr);
}

} // namespace

class TestPrintOut : public QObject
{
    Q_OBJECT
private slots:
    void screenLayoutComesBack_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QPoint>("editing"); // column, row
        QTest::newRow("scaled heading rows on 1920x1080") << QSize(1920, 1080) << 12 << QPoint(3, 5);
        QTest::newRow("a long month scrolled to its end") << QSize(1024, 768) << 300 << QPoint(7, 300);
    }

    void screenLayoutComesBack()
    {
        QFETCH(QSize, screen);
        QFETCH(int, entries);
        QFETCH(QPoint, editing);
        PrintOutDriver d(screen);
        Form1 &w = d.start();
        fillEntries(d.sheet(), entries);
        // A month of another year is shown; a save after the print-out must go there.
        w.Combo1->setEditText(QStringLiteral("11"));
        w.Combo2->setEditText(QStringLiteral("2025"));
        d.sheet().setRowCol(editing.y(), editing.x());
        d.clickCell(editing.y(), editing.x());
        const QStringList before = sheetLook(d.sheet());
        QTemporaryDir dir;
        for (int printOut = 1; printOut <= 2; ++printOut) {
            printIntoFile(d, dir.filePath(QStringLiteral("monat.pdf")));
            QCOMPARE(MessageBox::takeShown().size(), 0);
            QCOMPARE(sheetLook(d.sheet()), before);
            // The sheet shows its top again.
            QCOMPARE(w.flex->topRow(), 2);
            QVERIFY(w.isVisible());
            QVERIFY(!d.printerWindow().isVisible());
            QVERIFY(!w.Text1->isVisible());
            QVERIFY(!w.sheetEditor().cellHandlersIdle());
            QCOMPARE(w.Combo33->count(), 12);
            QCOMPARE(w.Combo1->currentText(), QStringLiteral("11"));
            QCOMPARE(w.Combo2->currentText(), QStringLiteral("2025"));
        }
    }

    void sheetInThePrintLayoutOnEveryScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("printOuts");
        QTest::newRow("1920x1080, the second print-out") << QSize(1920, 1080) << 2;
        QTest::newRow("800x600, the third print-out") << QSize(800, 600) << 3;
    }

    void sheetInThePrintLayoutOnEveryScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(int, printOuts);
        PrintOutDriver d(screen);
        d.start();
        fillEntries(d.sheet(), 2);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("blatt.pdf"));
        for (int i = 0; i < printOuts; ++i)
            printIntoFile(d, pdf, true);
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), printOuts);
        QCOMPARE(shown[0].text, QStringLiteral("Die Monatssummen konnten nicht auf \"%1\" gedruckt werden. "
                                               "Das Kassenbuch selbst wurde gedruckt.")
                                    .arg(pdf));
        const PdfPage page = readPdfPages(pdf).value(0);
        const QRectF rate = page.box(QStringLiteral("19%"));
        QList<QRectF> headings;
        for (const PdfWord &w : page.words)
            if (w.box.top() < rate.top())
                headings << w.box;
        std::sort(headings.begin(), headings.end(), [](const QRectF &a, const QRectF &b) { return a.x() < b.x(); });
        QCOMPARE(headings.size(), 9);
        // The headings hang from the top margin of 10 mm and are centred in
        // columns of the printed widths from the left margin of 20 mm on.
        const QPointF margins = paperOrigin(d) + QPointF(mmToPoints(20.0), mmToPoints(10.0));
        QVERIFY2(headings[0].top() > margins.y() - 1.0 && headings[0].top() < margins.y() + 4.0,
                 qPrintable(QString::number(headings[0].top() - margins.y())));
        double columnLeft = margins.x();
        for (size_t c = 0; c < 9; ++c) {
            const double width = PrintLayout::ColumnWidths[c] / 20.0; // points
            QVERIFY2(qAbs(headings[c].center().x() - columnLeft - width / 2.0) < 0.5, qPrintable(QString::number(c)));
            columnLeft += width;
        }
        // Every row 240 twips high and every cell at the one size: the rate
        // texts sit 12 points below the headings, every word as tall.
        QVERIFY(qAbs(rate.top() - headings[0].top() - 12.0) < 0.5);
        for (const PdfWord &word : page.words)
            QVERIFY2(qAbs(word.box.height() - rate.height()) < 0.01, qPrintable(word.text));
    }

    void totalsAtTheirMargins()
    {
        PrintOutDriver d;
        d.start();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("summen.pdf"));
        printIntoFile(d, pdf);
        // The first heading of the totals, left-aligned in the first column
        // under the label row, 60 mm from the left and 30 mm from the top.
        const QPointF offset = readPdfPages(pdf).value(0).box(QStringLiteral("Einnahmen")).topLeft() - paperOrigin(d)
                               - QPointF(mmToPoints(60.0), mmToPoints(30.0));
        QVERIFY2(offset.x() > 0.0 && offset.x() < mmToPoints(1.5) && offset.y() > 0.0 && offset.y() < mmToPoints(10.0),
                 qPrintable(QStringLiteral("%1 pt right, %2 pt down").arg(offset.x()).arg(offset.y())));
    }

    void typedEntryIsPrintedAndKept_data()
    {
        QTest::addColumn<QPoint>("edited"); // column, row
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QPoint>("clicked");
        QTest::newRow("an income in the first column, then a text clicked")
            << QPoint(0, 3) << QStringLiteral("12,5") << QStringLiteral("12,50") << QStringLiteral("112,50")
            << QPoint(8, 3);
        QTest::newRow("an expense, then the cell start-up leaves current clicked")
            << QPoint(3, 3) << QStringLiteral("0,99") << QStringLiteral("0,99") << QStringLiteral("99,01")
            << QPoint(0, 4);
    }

    void typedEntryIsPrintedAndKept()
    {
        QFETCH(QPoint, edited);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, balance);
        QFETCH(QPoint, clicked);
        PrintOutDriver d;
        d.start();
        FlexGridStore &g = d.sheet();
        g.setTextMatrix(2, 4, QStringLiteral("100,00"));
        g.setTextMatrix(4, 0, QStringLiteral("50,00"));
        d.clickCell(edited.y(), edited.x());
        d.type(typed);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("blatt.pdf"));
        printIntoFile(d, pdf, true);
        QCOMPARE(d.text(edited.y(), edited.x()), stored);
        const QStringList printed = readPdfPages(pdf).value(0).texts();
        for (const QString &word : {stored, balance})
            QVERIFY2(printed.contains(word), qPrintable(printed.join(u' ')));
        // Nothing of it is left in the editor to land in the cell clicked next.
        const QStringList look = sheetLook(g);
        d.clickCell(clicked.y(), clicked.x());
        QCOMPARE(sheetLook(g), look);
        QVERIFY(d.form->Text1->isVisible());
        QCOMPARE(d.form->Text1->text(), g.textMatrix(clicked.y(), clicked.x()));
    }

    void jobThatCannotStartIsReported()
    {
        PrintOutDriver d;
        d.start();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("fehlt/monat.pdf"));
        printIntoFile(d, pdf);
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text,
                 QStringLiteral("Das Kassenbuch konnte nicht auf \"%1\" gedruckt werden. Es wurde nichts gedruckt.")
                     .arg(pdf));
    }
};

QTEST_MAIN(TestPrintOut)
#include "TestPrintOut.moc"
