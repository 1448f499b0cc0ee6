// The print-out from the printer window's "Drucken", driven on the real main
// window, printing into a PDF file so that it needs no print server.
#include "PrintOutDriver.h"
#include "PrintTestSupport.h"

#include "storage/MonthStorage.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

// Entries below the carry-over row as loading or typing leaves them.
void fillEntries(FlexGridStore &g, int count)
{
    g.setTextMatrix(2, 4, QStringLiteral("100,00"));
    // At least the rows of a fresh sheet; the last row stays empty.
    g.setRows(std::max(5, 3 + count + 1));
    for (int i = 0; i < count; ++i) {
        const int r = 3 + i;
        g.setTextMatrix(r, i % 2 == 0 ? 0 : 3, QStringLiteral("%1,50").arg(i + 1));
        g.setTextMatrix(r, 7, QStringLiteral("%1.03.2026").arg(i % 28 + 1, 2, 10, QChar(u'0')));
        g.setTextMatrix(r, 8, i % 2 == 0 ? QStringLiteral("Tageseinnahme") : QStringLiteral("Bürobedarf"));
    }
}

QStringList cellTexts(const FlexGridStore &g)
{
    QStringList texts;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            texts << QStringLiteral("(%1,%2) %3").arg(r).arg(c).arg(g.textMatrix(r, c));
    return texts;
}

// The totals grid answers that it cannot print: only the sheet's job is
// written, so the PDF file holds the sheet's pages.
class TotalsCannotPrint
{
public:
    explicit TotalsCannotPrint(FlexGrid &totals) : m_totals(totals) { m_totals.printRequest(1, nullptr); }
    ~TotalsCannotPrint() { m_totals.printRequest(0, nullptr); }
    TotalsCannotPrint(const TotalsCannotPrint &) = delete;
    TotalsCannotPrint &operator=(const TotalsCannotPrint &) = delete;

private:
    FlexGrid &m_totals;
};

// The words of the sheet's first printed page, each with its box, after a
// print-out of a month with entries on a screen of the given size.
QStringList printedSheet(QSize screen, int printOuts = 1)
{
    PrintOutDriver d(screen);
    d.start();
    fillEntries(d.sheet(), 6);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("blatt.pdf"));
    const TotalsCannotPrint busy(*d.form->flex2);
    for (int i = 0; i < printOuts; ++i) {
        d.printIntoFile(pdf);
        d.drucken();
    }
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    if (shown.size() != printOuts || !shown[0].text.startsWith(QStringLiteral("Die Monatssummen konnten nicht")))
        return {QStringLiteral("unexpected messages")};
    const QList<PdfPage> pages = readPdfPages(pdf);
    if (pages.isEmpty())
        return {};
    QStringList words;
    for (const PdfWord &w : pages.first().words) {
        const QRectF b = w.box;
        words << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(w.text)
                     .arg(b.left(), 0, 'f', 2)
                     .arg(b.top(), 0, 'f', 2)
                     .arg(b.right(), 0, 'f', 2)
                     .arg(b.bottom(), 0, 'f', 2);
    }
    return words;
}

QList<QRectF> boxesOf(const PdfPage &page, const QString &text)
{
    QList<QRectF> boxes;
    for (const PdfWord &w : page.words)
        if (w.text == text)
            boxes << w.box;
    return boxes;
}

} // namespace

class TestPrintOut : public QObject
{
    Q_OBJECT
private slots:
    void screenLayoutComesBack_data();
    void screenLayoutComesBack();
    void sheetPrintsTheSameOnEveryScreen_data();
    void sheetPrintsTheSameOnEveryScreen();
    void printLayoutOnThePage();
    void entryBeingTypedIsPrintedAndKept_data();
    void entryBeingTypedIsPrintedAndKept();
    void clickAfterPrintOutChangesNoCell_data();
    void clickAfterPrintOutChangesNoCell();
    void selectorsKeepTheLoadedMonth_data();
    void selectorsKeepTheLoadedMonth();
    void jobThatCannotStartIsReported();
    void sheetMovedWhileHiddenScrollsWhenShown();
};

void TestPrintOut::screenLayoutComesBack_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QPoint>("editing"); // column, row
    QTest::newRow("empty month on 1024x768") << QSize(1024, 768) << 0 << QPoint(0, 3);
    QTest::newRow("a month on 1024x768") << QSize(1024, 768) << 12 << QPoint(8, 7);
    QTest::newRow("scaled heading rows on 1920x1080") << QSize(1920, 1080) << 12 << QPoint(3, 5);
    QTest::newRow("smaller than the design on 800x600") << QSize(800, 600) << 5 << QPoint(4, 2);
    QTest::newRow("editing the carry-over row") << QSize(1280, 1024) << 3 << QPoint(8, 2);
    QTest::newRow("a long month scrolled to its end") << QSize(1024, 768) << 300 << QPoint(7, 300);
}

void TestPrintOut::screenLayoutComesBack()
{
    QFETCH(QSize, screen);
    QFETCH(int, entries);
    QFETCH(QPoint, editing);
    PrintOutDriver d(screen);
    Form1 &w = d.start();
    fillEntries(d.sheet(), entries);
    d.sheet().setRowCol(editing.y(), editing.x());
    d.clickCell(editing.y(), editing.x());
    const QStringList before = sheetLook(d.sheet());
    const QString month = w.Combo1->currentText();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("monat.pdf"));
    for (int printOut = 1; printOut <= 2; ++printOut) {
        d.printIntoFile(pdf);
        d.drucken();
        QCOMPARE(sheetLook(d.sheet()), before);
        // The sheet shows its top again, with the cell the editor waits on.
        QCOMPARE(w.flex->topRow(), 2);
        QVERIFY(w.flex->cellRect(4, 0).isValid());
        QVERIFY(QFileInfo(pdf).size() > 0);
        QVERIFY(w.isVisible());
        QVERIFY(!d.printerWindow().isVisible());
        QVERIFY(!w.Text1->isVisible());
        QVERIFY(!w.sheetEditor().cellHandlersIdle());
        QCOMPARE(w.Combo33->count(), 12);
        QCOMPARE(w.Combo1->currentText(), month);
        QCOMPARE(MessageBox::takeShown().size(), 0);
        QFile::remove(pdf);
    }
}

void TestPrintOut::sheetPrintsTheSameOnEveryScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("printOuts");
    QTest::newRow("1024x768, the second print-out") << QSize(1024, 768) << 2;
    QTest::newRow("1920x1080, the second print-out") << QSize(1920, 1080) << 2;
    QTest::newRow("1280x1024, the third print-out") << QSize(1280, 1024) << 3;
    QTest::newRow("800x600") << QSize(800, 600) << 1;
}

void TestPrintOut::sheetPrintsTheSameOnEveryScreen()
{
    QFETCH(QSize, screen);
    QFETCH(int, printOuts);
    const QStringList reference = printedSheet(QSize(1024, 768));
    QVERIFY(reference.size() > 20);
    QCOMPARE(printedSheet(screen, printOuts), reference);
}

void TestPrintOut::printLayoutOnThePage()
{
    PrintOutDriver d;
    d.start();
    fillEntries(d.sheet(), 2);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("blatt.pdf"));
    {
        const TotalsCannotPrint busy(*d.form->flex2);
        d.printIntoFile(pdf);
        d.drucken();
    }
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("Die Monatssummen konnten nicht auf \"%1\" gedruckt werden. "
                                           "Das Kassenbuch selbst wurde gedruckt.")
                                .arg(pdf));
    const QList<PdfPage> pages = readPdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    const PdfPage &page = pages.first();

    // Heading centres lie half a column plus half the next apart, by the
    // printed widths 1000, 600, 900, 1000 and 2500 twips (20 twips a point).
    QList<QRectF> headings = boxesOf(page, QStringLiteral("Einnahmen"));
    for (const QString &h : {QStringLiteral("Ausgaben"), QStringLiteral("Bestand"), QStringLiteral("Konto"),
                             QStringLiteral("Beleg-Nr"), QStringLiteral("Datum"), QStringLiteral("Text")})
        headings << boxesOf(page, h);
    QCOMPARE(headings.size(), 9);
    const QList<double> widths = {1000, 1000, 1000, 1000, 1000, 600, 900, 1000, 2500};
    for (int c = 0; c + 1 < headings.size(); ++c) {
        const double apart = headings[c + 1].center().x() - headings[c].center().x();
        const double expected = (widths[c] + widths[c + 1]) / 2.0 / 20.0;
        QVERIFY2(
            qAbs(apart - expected) < 0.5,
            qPrintable(
                QStringLiteral("columns %1 and %2: %3 pt apart, not %4").arg(c).arg(c + 1).arg(apart).arg(expected)));
    }
    // Every row 240 twips high: the rate texts sit 12 points below the headings.
    const QRectF rate = page.find(QStringLiteral("19%")).box;
    QVERIFY(!rate.isEmpty());
    QVERIFY2(qAbs(rate.top() - headings[0].top() - 12.0) < 0.5,
             qPrintable(QString::number(rate.top() - headings[0].top())));
    // Every cell at 8 points: headings, rate texts and entries are equally tall.
    for (const PdfWord &word : page.words)
        QVERIFY2(qAbs(word.box.height() - rate.height()) < 0.01, qPrintable(word.text));
}

void TestPrintOut::entryBeingTypedIsPrintedAndKept_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("balance");
    QTest::newRow("income in the first column")
        << 0 << QStringLiteral("12,5") << QStringLiteral("12,50") << QStringLiteral("112,50");
    QTest::newRow("income in the second column")
        << 1 << QStringLiteral("7") << QStringLiteral("7,00") << QStringLiteral("107,00");
    QTest::newRow("expense") << 3 << QStringLiteral("0,99") << QStringLiteral("0,99") << QStringLiteral("99,01");
    QTest::newRow("booking text") << 8 << QStringLiteral("Bürobedarf") << QStringLiteral("Bürobedarf")
                                  << QStringLiteral("100,00");
}

void TestPrintOut::entryBeingTypedIsPrintedAndKept()
{
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, balance);
    PrintOutDriver d;
    d.start();
    d.sheet().setTextMatrix(2, 4, QStringLiteral("100,00"));
    d.clickCell(3, col);
    d.type(typed);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("blatt.pdf"));
    {
        const TotalsCannotPrint busy(*d.form->flex2);
        d.printIntoFile(pdf);
        d.drucken();
    }
    QCOMPARE(MessageBox::takeShown().size(), 1);
    QCOMPARE(d.text(3, col), stored);
    QCOMPARE(d.text(3, 4), balance);
    const QList<PdfPage> pages = readPdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    QVERIFY2(pages.first().texts().contains(stored), qPrintable(pages.first().texts().join(u' ')));
    QVERIFY(pages.first().texts().contains(balance));
    // Nothing of it is left in the editor to land anywhere else.
    d.clickCell(4, 8);
    QCOMPARE(d.text(3, col), stored);
    QCOMPARE(d.text(4, 0), QString());
    QCOMPARE(d.text(4, 8), QString());
}

void TestPrintOut::clickAfterPrintOutChangesNoCell_data()
{
    QTest::addColumn<QPoint>("edited"); // column, row
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<QPoint>("clicked");
    QTest::newRow("looked at an income, click a text") << QPoint(0, 3) << QString() << false << QPoint(8, 3);
    QTest::newRow("typed an income, click another row") << QPoint(0, 5) << QStringLiteral("7") << false << QPoint(8, 3);
    QTest::newRow("Delete in an income, click the row below") << QPoint(0, 3) << QString() << true << QPoint(0, 4);
    QTest::newRow("typed a text, click the first entry")
        << QPoint(8, 4) << QStringLiteral("Kasse") << false << QPoint(0, 3);
    QTest::newRow("click where start-up leaves the cursor") << QPoint(3, 3) << QString() << false << QPoint(0, 4);
    QTest::newRow("click the carry-over balance") << QPoint(8, 5) << QStringLiteral("x") << false << QPoint(4, 2);
}

void TestPrintOut::clickAfterPrintOutChangesNoCell()
{
    QFETCH(QPoint, edited);
    QFETCH(QString, typed);
    QFETCH(bool, deleted);
    QFETCH(QPoint, clicked);
    PrintOutDriver d;
    d.start();
    FlexGridStore &g = d.sheet();
    fillEntries(g, 3);
    g.setTextMatrix(4, 0, QStringLiteral("50,00"));
    d.clickCell(edited.y(), edited.x());
    if (deleted)
        d.key(Qt::Key_Delete);
    d.type(typed);
    QTemporaryDir dir;
    d.printIntoFile(dir.filePath(QStringLiteral("monat.pdf")));
    d.drucken();
    const QStringList printed = cellTexts(g);
    QVERIFY(printed.contains(QStringLiteral("(4,0) 50,00")));
    d.clickCell(clicked.y(), clicked.x());
    QCOMPARE(cellTexts(g), printed);
    QVERIFY(d.form->Text1->isVisible());
    QCOMPARE(d.form->Text1->text(), g.textMatrix(clicked.y(), clicked.x()));
}

void TestPrintOut::selectorsKeepTheLoadedMonth_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::newRow("a month of last year") << QStringLiteral("11") << QStringLiteral("2025");
    QTest::newRow("an earlier month of this year") << QStringLiteral("01") << QStringLiteral("2026");
    QTest::newRow("today's month") << QStringLiteral("03") << QStringLiteral("2026");
}

void TestPrintOut::selectorsKeepTheLoadedMonth()
{
    QFETCH(QString, month);
    QFETCH(QString, year);
    PrintOutDriver d;
    Form1 &w = d.start();
    FlexGridStore stored(5, 10, 2, 0);
    stored.setTextMatrix(1, 0, w.rates()[0]);
    fillEntries(stored, 4);
    QVERIFY(QDir(d.folder.path()).mkpath(year));
    const MonthStorage::SavePlan plan = MonthStorage::planSave(stored, d.folder.path(), year, month);
    QVERIFY2(plan.ok(), qPrintable(plan.message));
    QCOMPARE(MonthStorage::save(plan), QString());
    w.Combo1->setEditText(month);
    w.Combo2->setEditText(year);
    const MonthStorage::LoadResult load = MonthStorage::loadMonth(d.sheet(), d.folder.path(), year, month, w.rates());
    QVERIFY2(load.loaded, qPrintable(load.message));
    w.sheetEditor().editorTakesCurrentCell();
    QCOMPARE(d.text(6, 8), QStringLiteral("Bürobedarf"));

    QTemporaryDir dir;
    d.printIntoFile(dir.filePath(QStringLiteral("monat.pdf")));
    d.drucken();
    QCOMPARE(w.Combo1->currentText(), month);
    QCOMPARE(w.Combo2->currentText(), year);
    QCOMPARE(d.text(1, 6), QStringLiteral("%1-%2").arg(year, month));
    QCOMPARE(d.text(6, 8), QStringLiteral("Bürobedarf"));
}

void TestPrintOut::jobThatCannotStartIsReported()
{
    PrintOutDriver d;
    Form1 &w = d.start();
    fillEntries(d.sheet(), 3);
    d.clickCell(4, 8);
    const QStringList before = sheetLook(d.sheet());
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("fehlt/monat.pdf"));
    d.printIntoFile(pdf);
    d.drucken();
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(
        shown[0].text,
        QStringLiteral("Das Kassenbuch konnte nicht auf \"%1\" gedruckt werden. Es wurde nichts gedruckt.").arg(pdf));
    QCOMPARE(sheetLook(d.sheet()), before);
    QVERIFY(w.isVisible());
    QVERIFY(!d.printerWindow().isVisible());
    QCOMPARE(d.form->flex2->printRequest(1, nullptr), FlexGrid::PrintReady);
    d.form->flex2->printRequest(0, nullptr);
}

void TestPrintOut::sheetMovedWhileHiddenScrollsWhenShown()
{
    // The print-out moves through every cell while the main window is
    // hidden; the sheet scrolls to the current cell only once it is shown.
    PrintOutDriver d;
    Form1 &w = d.start();
    fillEntries(d.sheet(), 300);
    w.hide();
    {
        const SheetEditor::IdleCellHandlers idle(w.sheetEditor());
        d.sheet().setRowCol(290, 8);
        QCOMPARE(w.flex->topRow(), 2);
        w.show();
    }
    QVERIFY(w.flex->cellRect(290, 8).isValid());
    QVERIFY(w.flex->topRow() > 200);
}

QTEST_MAIN(TestPrintOut)
#include "TestPrintOut.moc"
