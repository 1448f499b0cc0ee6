// The print-out from the printer window's "Drucken", driven on the real main
// window, printing into a PDF file so that it needs no print server. Both
// jobs go to the one file, so it holds the totals unless the totals grid is
// kept busy. Then "Als PDF speichern …" and the print preview from the menu.
#include "EditingDriver.h"
#include "PrintTestSupport.h"

#include "platform/ui/FileDialog.h"

#include <QAction>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
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

// Entries filled in and recalculated; then the menu command named action runs on them.
void fillAndTrigger(Form1 &w, int count, const char *action)
{
    fillEntries(w.flex->store(), count);
    w.sheetEditor().recalculate();
    w.findChild<QAction *>(QLatin1StringView(action))->trigger();
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
        QCOMPARE(MessageBox::takeShown().value(0).text,
                 QStringLiteral("Die Monatssummen konnten nicht auf \"%1\" gedruckt werden. "
                                "Das Kassenbuch selbst wurde gedruckt.")
                     .arg(pdf));
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

    // How the sheet is cut into pages is the printing routine's; here the
    // command writes both parts into the chosen file, the totals last.
    void pdfHoldsTheSheetAndTheTotals()
    {
        EditingDriver d;
        const QString pdf = d.folder.file(QStringLiteral("2026/März.pdf"));
        FileDialog::queueAnswer(pdf);
        fillAndTrigger(d.start(), 10, "PdfSpeichern");
        QCOMPARE(FileDialog::takeAsked().value(0).proposed, d.folder.file(QStringLiteral("2026/2026-03.pdf")));
        QCOMPARE(MessageBox::takeShown().size(), 0);
        const QList<PdfPage> pages = readPdfPages(pdf);
        QCOMPARE(pages.size(), 2);
        for (int i = 1; i <= 10; ++i)
            QVERIFY(pages[0].texts().contains(QStringLiteral("%1.03.2026").arg(i, 2, 10, QChar(u'0'))));
        // The totals on a page of their own: the income and the closing balance.
        const QStringList totals = pages[1].texts();
        QVERIFY2(totals.contains(QStringLiteral("27,50")) && totals.contains(QStringLiteral("95,00")),
                 qPrintable(totals.join(u' ')));
        QVERIFY(!totals.contains(QStringLiteral("01.03.2026")));
    }

    void aFailedPdfLeavesTheOldFile()
    {
        EditingDriver d;
        Form1 &w = d.start();
        d.folder.write(QStringLiteral("2026/alt.pdf"), "old");
        FileDialog::queueAnswer(d.folder.file(QStringLiteral("2026/alt.pdf")));
        w.flex2->printRequest(FlexGrid::PrintStart, nullptr); // the totals cannot print now
        fillAndTrigger(w, 3, "PdfSpeichern");
        w.flex2->printRequest(FlexGrid::PrintPage, nullptr);
        FileDialog::takeAsked();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.startsWith(QStringLiteral("Die PDF-Datei")), qPrintable(shown[0].text));
        QCOMPARE(d.folder.read(QStringLiteral("2026/alt.pdf")), QByteArray("old"));
        QCOMPARE(QDir(d.folder.file(QStringLiteral("2026"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void previewShowsTheSamePages()
    {
        EditingDriver d;
        Form1 &w = d.start();
        fillAndTrigger(w, 200, "Druckvorschau");
        auto *preview = w.findChild<QPrintPreviewDialog *>(QStringLiteral("Druckvorschau"));
        QVERIFY(preview != nullptr);
        QTRY_VERIFY(preview->isVisible());
        QTRY_COMPARE(preview->findChild<QPrintPreviewWidget *>()->pageCount(), 5);
        preview->close();
    }
};

QTEST_MAIN(TestPrintOut)
#include "TestPrintOut.moc"
