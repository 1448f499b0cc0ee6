// "Als PDF speichern …" and the print preview from the main window's menu:
// the print-out's two parts in one PDF file, with no print server at all.
#include "EditingDriver.h"
#include "PrintTestSupport.h"

#include "editing/GermanNumbers.h"
#include "platform/ui/FileDialog.h"

#include <QAction>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

namespace {
// A carry-over of 100,00 and entries "Posten_1" … with 1,00, 2,00 … each;
// the command named action then runs on them.
void fillAndTrigger(Form1 &w, int count, const char *action)
{
    FlexGridStore &g = w.flex->store();
    g.setTextMatrix(2, 4, QStringLiteral("100,00"));
    g.setRows(3 + count + 1);
    for (int i = 0; i < count; ++i) {
        g.setTextMatrix(3 + i, 0, QStringLiteral("%1,00").arg(i + 1));
        g.setTextMatrix(3 + i, 7, QStringLiteral("%1.03.2026").arg(i % 28 + 1));
        g.setTextMatrix(3 + i, 8, QStringLiteral("Posten_%1").arg(i + 1));
    }
    w.sheetEditor().recalculate();
    w.findChild<QAction *>(QLatin1StringView(action))->trigger();
}
} // namespace

class TestPdfExport : public QObject
{
    Q_OBJECT
private slots:
    void pdfHoldsTheSheetAndTheTotals_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("sheetPages");
        // A4 less Qt's PDF margins and the sheet's own leave room for 63
        // rows: 12 rows fill one page, 202 rows four.
        QTest::newRow("10 entries") << 10 << 1;
        QTest::newRow("200 entries") << 200 << 4;
    }
    void pdfHoldsTheSheetAndTheTotals()
    {
        QFETCH(int, entries);
        QFETCH(int, sheetPages);
        EditingDriver d;
        const QString pdf = d.folder.file(QStringLiteral("2026/März.pdf"));
        FileDialog::queueAnswer(pdf);
        fillAndTrigger(d.start(), entries, "PdfSpeichern");
        QCOMPARE(FileDialog::takeAsked().value(0).proposed, d.folder.file(QStringLiteral("2026/2026-03.pdf")));
        QCOMPARE(MessageBox::takeShown().size(), 0);
        const QList<PdfPage> pages = readPdfPages(pdf);
        QCOMPARE(pages.size(), sheetPages + 1);
        QStringList sheetWords;
        for (int p = 0; p < sheetPages; ++p)
            sheetWords << pages[p].texts();
        for (int i = 1; i <= entries; ++i)
            QVERIFY(sheetWords.contains(QStringLiteral("Posten_%1").arg(i)));
        // The totals on a page of their own: the income and the closing balance.
        const qint64 income = static_cast<qint64>(entries) * (entries + 1) / 2 * 100;
        const QStringList totals = pages.last().texts();
        QVERIFY2(totals.contains(German::formatCents(income)), qPrintable(totals.join(u' ')));
        QVERIFY(totals.contains(German::formatCents(income + 10000)));
        QVERIFY(!totals.contains(QStringLiteral("Posten_1")));
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

QTEST_MAIN(TestPdfExport)
#include "TestPdfExport.moc"
