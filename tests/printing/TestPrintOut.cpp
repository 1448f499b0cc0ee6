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

// The words of the sheet's first printed page with their boxes, after
// printOuts print-outs of a month on a screen of the given size.
QStringList printedSheet(QSize screen, int printOuts)
{
    PrintOutDriver d(screen);
    d.start();
    fillEntries(d.sheet(), 6);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("blatt.pdf"));
    for (int i = 0; i < printOuts; ++i)
        printIntoFile(d, pdf, true);
    QStringList words;
    for (const PdfWord &w : readPdfPages(pdf).value(0).words)
        words << QStringLiteral("%1 %2").arg(w.text).arg(w.box.left(), 0, 'f', 2).arg(w.box.top(), 0, 'f', 2);
    return words;
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
        QTest::newRow("a month on 1024x768") << QSize(1024, 768) << 12 << QPoint(8, 7);
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
            // The sheet shows its top again, with the cell the editor waits on.
            QCOMPARE(w.flex->topRow(), 2);
            QVERIFY(w.flex->cellRect(4, 0).isValid());
            QVERIFY(w.isVisible());
            QVERIFY(!d.printerWindow().isVisible());
            QVERIFY(!w.Text1->isVisible());
            QVERIFY(!w.sheetEditor().cellHandlersIdle());
            QCOMPARE(w.Combo33->count(), 12);
            QCOMPARE(w.Combo1->currentText(), QStringLiteral("11"));
            QCOMPARE(w.Combo2->currentText(), QStringLiteral("2025"));
        }
    }

    void jobsAtTheirMargins_data()
    {
        QTest::addColumn<bool>("totalsBusy");
        QTest::addColumn<QPointF>("margins"); // left and top, in millimetres
        QTest::newRow("journal sheet at 20 and 10 mm") << true << QPointF(20.0, 10.0);
        QTest::newRow("totals at 60 and 30 mm") << false << QPointF(60.0, 30.0);
    }

    void jobsAtTheirMargins()
    {
        QFETCH(bool, totalsBusy);
        QFETCH(QPointF, margins);
        PrintOutDriver d;
        d.start();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("druck.pdf"));
        printIntoFile(d, pdf, totalsBusy);
        // The first "Einnahmen" heads the first column, within its first row or two.
        const QRectF box = readPdfPages(pdf).value(0).box(QStringLiteral("Einnahmen"));
        const QPointF edge = paperOrigin(d) + QPointF(mmToPoints(margins.x()), mmToPoints(margins.y()));
        const QPointF offset = box.topLeft() - edge;
        QVERIFY2(offset.x() > 0.0 && offset.x() < mmToPoints(6.0) && offset.y() > -1.0 && offset.y() < mmToPoints(10.0),
                 qPrintable(QStringLiteral("%1 pt right, %2 pt down of the margins").arg(offset.x()).arg(offset.y())));
    }

    void sheetInThePrintLayout()
    {
        PrintOutDriver d;
        d.start();
        fillEntries(d.sheet(), 2);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("blatt.pdf"));
        printIntoFile(d, pdf, true);
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Die Monatssummen konnten nicht auf \"%1\" gedruckt werden. "
                                               "Das Kassenbuch selbst wurde gedruckt.")
                                    .arg(pdf));
        const QList<PdfPage> pages = readPdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        // Heading centres lie half a column plus half the next apart, at 20 twips a point.
        const QRectF rate = pages[0].box(QStringLiteral("19%"));
        QList<QRectF> headings;
        for (const PdfWord &w : pages[0].words)
            if (w.box.top() < rate.top())
                headings << w.box;
        std::sort(headings.begin(), headings.end(), [](const QRectF &a, const QRectF &b) { return a.x() < b.x(); });
        QCOMPARE(headings.size(), 9);
        const auto &widths = PrintLayout::ColumnWidths;
        for (size_t c = 0; c + 1 < 9; ++c) {
            const double apart = headings[c + 1].center().x() - headings[c].center().x();
            QVERIFY(qAbs(apart - (widths[c] + widths[c + 1]) / 40.0) < 0.5);
        }
        // Every row 240 twips high and every cell at the one size: the rate
        // texts sit 12 points below the headings, every word as tall.
        QVERIFY(qAbs(rate.top() - headings[0].top() - 12.0) < 0.5);
        for (const PdfWord &word : pages[0].words)
            QVERIFY2(qAbs(word.box.height() - rate.height()) < 0.01, qPrintable(word.text));
    }

    void sheetPrintsTheSameOnEveryScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("printOuts");
        QTest::newRow("1920x1080, the second print-out") << QSize(1920, 1080) << 2;
        QTest::newRow("800x600, the third print-out") << QSize(800, 600) << 3;
    }

    void sheetPrintsTheSameOnEveryScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(int, printOuts);
        const QStringList reference = printedSheet(QSize(1024, 768), 1);
        QVERIFY(reference.size() > 20);
        QCOMPARE(printedSheet(screen, printOuts), reference);
    }

    void typedEntryIsPrintedAndKept_data()
    {
        QTest::addColumn<QPoint>("edited"); // column, row
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QPoint>("clicked");
        QTest::newRow("an income in the first column, then a text clicked")
            << QPoint(0, 3) << false << QStringLiteral("12,5") << QStringLiteral("12,50") << QStringLiteral("112,50")
            << QPoint(8, 3);
        QTest::newRow("an expense, then the cell start-up leaves current clicked")
            << QPoint(3, 3) << false << QStringLiteral("0,99") << QStringLiteral("0,99") << QStringLiteral("99,01")
            << QPoint(0, 4);
        QTest::newRow("a text, then the carry-over balance clicked")
            << QPoint(8, 3) << false << QStringLiteral("Kasse") << QStringLiteral("Kasse") << QString() << QPoint(4, 2);
        QTest::newRow("an expense deleted, then the row above clicked")
            << QPoint(3, 4) << true << QString() << QString() << QString() << QPoint(0, 3);
    }

    void typedEntryIsPrintedAndKept()
    {
        QFETCH(QPoint, edited);
        QFETCH(bool, deleted);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, balance);
        QFETCH(QPoint, clicked);
        PrintOutDriver d;
        d.start();
        FlexGridStore &g = d.sheet();
        g.setTextMatrix(2, 4, QStringLiteral("100,00"));
        g.setTextMatrix(4, 0, QStringLiteral("50,00"));
        g.setTextMatrix(4, 3, QStringLiteral("7,00"));
        d.clickCell(edited.y(), edited.x());
        if (deleted)
            d.key(Qt::Key_Delete);
        d.type(typed);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("blatt.pdf"));
        printIntoFile(d, pdf, true);
        QCOMPARE(d.text(edited.y(), edited.x()), stored);
        const QStringList printed = readPdfPages(pdf).value(0).texts();
        for (const QString &word : {stored, balance})
            QVERIFY2(word.isEmpty() || printed.contains(word), qPrintable(printed.join(u' ')));
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
