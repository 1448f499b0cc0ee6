// The printing routine and the grid's print service, printing into PDF
// files read back with pdftotext.
#include "PrintTestSupport.h"

#include "platform/ui/FlexGrid.h"
#include "printing/ui/PrintGrid.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The PDF printer's paper: A4 with 5 mm margins, where the printable area starts.
constexpr double PaperMarginMm = 5.0;
// pdftotext measures glyph boxes; positions are checked to within this.
constexpr double TolerancePt = 1.0;

// Ten columns of 1000 twips, two heading rows and bodyRows rows below;
// heading cells read "h<r>c<c>", the others "r<r>c<c>".
void fillSheet(FlexGrid &grid, int bodyRows)
{
    FlexGridStore &s = grid.store();
    s.setCols(10);
    s.setFixedCols(0);
    s.setRows(2 + bodyRows);
    s.setFixedRows(2);
    s.setAllRowHeights(240);
    for (int c = 0; c < 10; ++c)
        s.setColWidth(c, 1000);
    for (int r = 0; r < s.rows(); ++r)
        for (int c = 0; c < 10; ++c)
            s.setTextMatrix(r, c, (r < 2 ? QStringLiteral("h%1c%2") : QStringLiteral("r%1c%2")).arg(r).arg(c));
}

bool printPdf(FlexGrid &grid, const QString &path, const QString &titel = {}, const QString &datum = {}, short many = 0)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QMarginsF paper(PaperMarginMm, PaperMarginMm, PaperMarginMm, PaperMarginMm);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, paper, QPageLayout::Millimeter));
    printer.setOutputFileName(path);
    return PrintGrid(grid, printer, 20.0F, 30.0F, 0.0F, 10.0F, titel, datum, many);
}

} // namespace

class TestPrintGrid : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_pdf = m_dir.filePath(QStringLiteral("druck.pdf"));

private slots:
    // Each body row once and in order; headings, title and date on every page.
    void pagesWithTitleAndDate()
    {
        FlexGrid grid;
        fillSheet(grid, 100);
        const QString datum = QStringLiteral("06.12.2026");
        QVERIFY(printPdf(grid, m_pdf, QStringLiteral("Kassenbuch März"), datum));
        const QList<PdfPage> pages = readPdfPages(m_pdf);
        QCOMPARE(pages.size(), 2);
        const double left = mmToPoints(PaperMarginMm + 20.0);
        QStringList body;
        for (const PdfPage &page : pages) {
            QVERIFY(page.texts().contains(QStringLiteral("h1c8")));
            body << page.texts().filter(QRegularExpression(QStringLiteral("^r\\d+c0$")));
            // The title hangs from 10 mm and the date from 16 mm, at the left margin.
            const QRectF title = page.box(QStringLiteral("Kassenbuch"));
            const QRectF date = page.box(datum);
            QVERIFY(qAbs(title.left() - left) < TolerancePt && qAbs(date.left() - left) < TolerancePt);
            QVERIFY(title.top() > mmToPoints(PaperMarginMm + 10.0) - TolerancePt);
            QVERIFY(date.top() > mmToPoints(PaperMarginMm + 16.0) - TolerancePt);
            QVERIFY(date.bottom() < mmToPoints(PaperMarginMm + 30.0));
        }
        QStringList expected;
        for (int r = 2; r < 102; ++r)
            expected << QStringLiteral("r%1c0").arg(r);
        QCOMPARE(body, expected);
    }

    // Three leading columns print; the widths and a switched-off redraw stay.
    void leadingColumns()
    {
        FlexGrid grid;
        fillSheet(grid, 1);
        grid.store().setColWidth(5, 600);
        grid.store().setRedraw(false);
        QVERIFY(printPdf(grid, m_pdf, {}, {}, 3));
        const QStringList texts = readPdfPages(m_pdf).value(0).texts();
        for (int c = 0; c < 10; ++c)
            QCOMPARE(texts.contains(QStringLiteral("r2c%1").arg(c)), c < 3);
        QCOMPARE(grid.store().colWidth(5), 600);
        QVERIFY(!grid.store().redraw());
    }

    void hiddenGridScrollsToItsCellWhenShown()
    {
        // The print-out moves through every cell while the main window is hidden.
        FlexGrid grid;
        fillSheet(grid, 300);
        grid.resize(600, 400);
        grid.show();
        grid.hide();
        const int top = grid.topRow();
        grid.store().setRowCol(290, 8);
        QCOMPARE(grid.topRow(), top);
        grid.show();
        QVERIFY(grid.viewport()->rect().contains(grid.cellRect(290, 8)));
    }

    void failedJobAnswersFalse()
    {
        FlexGrid grid;
        fillSheet(grid, 3);
        // A grid with a job of its own open refuses: nothing is printed and its job stays open.
        QCOMPARE(grid.printRequest(FlexGrid::PrintStart, nullptr), FlexGrid::PrintReady);
        QFile::remove(m_pdf);
        QVERIFY(!printPdf(grid, m_pdf));
        QVERIFY(!QFile::exists(m_pdf));
        QCOMPARE(grid.printRequest(FlexGrid::PrintStart, nullptr), 0);
        grid.printRequest(FlexGrid::PrintPage, nullptr);
        // A printer that cannot open: the grid's job is closed again.
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!printPdf(grid, m_dir.filePath(QStringLiteral("fehlt/druck.pdf"))));
        QCOMPARE(grid.printRequest(FlexGrid::PrintStart, nullptr), FlexGrid::PrintReady);
        grid.printRequest(FlexGrid::PrintPage, nullptr);
    }
};

QTEST_MAIN(TestPrintGrid)
#include "TestPrintGrid.moc"
