// The print-out from the printer window's "Drucken", driven on the real main
// window, printing into a PDF file so that it needs no print server. Both
// jobs go to the one file, so it holds the totals unless the totals grid is
// kept busy.
#include "EditingDriver.h"
#include "PrintTestSupport.h"

#include <QPrinter>
#include <QTemporaryDir>

namespace {

// Entries below the carry-over row as loading or typing leaves them, the last row empty.
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
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) {
            const FlexGridStore::CellFormat &f = g.format(r, c);
            look << QStringLiteral("%1 %2 %3 %4 %5 %6")
                        .arg(g.rowHeight(r))
                        .arg(g.colWidth(c))
                        .arg(g.textMatrix(r, c), f.fontName, f.bold ? QStringLiteral("b") : QString())
                        .arg(f.fontSize);
        }
    return look;
}

// A print-out into pdfPath; with totalsBusy only the sheet's job is written.
void printIntoFile(EditingDriver &d, const QString &pdfPath, bool totalsBusy = false)
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

// The sheet's first printed page after `printOuts` print-outs on a screen, each word with its box.
QStringList printedSheet(QSize screen, int printOuts)
{
    EditingDriver d(screen);
    d.start();
    fillEntries(d.sheet(), 2);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("blatt.pdf"));
    for (int i = 0; i < printOuts; ++i)
        printIntoFile(d, pdf, true);
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    if (shown.size() != printOuts
        || shown[0].text
               != QStringLiteral("Die Monatssummen konnten nicht auf \"%1\" gedruckt werden. "
                                 "Das Kassenbuch selbst wurde gedruckt.")
                      .arg(pdf))
        return {};
    QStringList words;
    for (const PdfWord &w : readPdfPages(pdf).value(0).words)
        words << QStringLiteral("%1 %2 %3 %4")
                     .arg(w.text)
                     .arg(qRound(w.box.left()))
                     .arg(qRound(w.box.top()))
                     .arg(qRound(w.box.height()));
    return words;
}

} // namespace

class TestPrintOut : public QObject
{
    Q_OBJECT
private slots:
    void screenLayoutComesBack()
    {
        EditingDriver d(QSize(1920, 1080));
        Form1 &w = d.start();
        fillEntries(d.sheet(), 300);
        // A month of another year is shown; a save after the print-out must go there.
        w.Combo1->setEditText(QStringLiteral("11"));
        w.Combo2->setEditText(QStringLiteral("2025"));
        d.sheet().setRowCol(300, 7);
        d.clickCell(300, 7);
        const QStringList before = sheetLook(d.sheet());
        QTemporaryDir dir;
        for (int printOut = 1; printOut <= 2; ++printOut) {
            printIntoFile(d, dir.filePath(QStringLiteral("monat.pdf")));
            QCOMPARE(MessageBox::takeShown().size(), 0);
            QCOMPARE(sheetLook(d.sheet()), before);
            QCOMPARE(w.flex->topRow(), 2); // the sheet shows its top again
            QVERIFY(w.isVisible() && !d.printerWindow().isVisible() && !w.Text1->isVisible());
            QVERIFY(!w.sheetEditor().cellHandlersIdle());
            QCOMPARE(w.Combo33->count(), 12);
            QCOMPARE(w.Combo1->currentText(), QStringLiteral("11"));
            QCOMPARE(w.Combo2->currentText(), QStringLiteral("2025"));
        }
    }

    // The print layout does not depend on the screen nor on earlier print-outs.
    void sheetPrintsAlikeOnEveryScreen()
    {
        const QStringList first = printedSheet(QSize(1024, 768), 1);
        QVERIFY(first.size() > 9);
        QCOMPARE(printedSheet(QSize(800, 600), 3), first);
        QCOMPARE(printedSheet(QSize(1920, 1080), 2), first);
    }

    void typedEntryIsPrintedAndKept()
    {
        EditingDriver d;
        d.start();
        FlexGridStore &g = d.sheet();
        g.setTextMatrix(2, 4, QStringLiteral("100,00"));
        g.setTextMatrix(4, 0, QStringLiteral("50,00"));
        d.clickCell(3, 3);
        d.type(QStringLiteral("0,99"));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("blatt.pdf"));
        printIntoFile(d, pdf, true);
        QCOMPARE(d.text(3, 3), QStringLiteral("0,99"));
        const QStringList printed = readPdfPages(pdf).value(0).texts();
        for (const QString &word : {QStringLiteral("0,99"), QStringLiteral("99,01")})
            QVERIFY2(printed.contains(word), qPrintable(printed.join(u' ')));
        // Nothing of it is left in the editor to land in the cell clicked next.
        const QStringList look = sheetLook(g);
        d.clickCell(4, 0);
        QCOMPARE(sheetLook(g), look);
        QVERIFY(d.form->Text1->isVisible());
        QCOMPARE(d.form->Text1->text(), QStringLiteral("50,00"));
    }

    void jobThatCannotStartIsReported()
    {
        EditingDriver d;
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
