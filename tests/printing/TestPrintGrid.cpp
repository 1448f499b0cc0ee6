// The printing routine into PDF files, read back with pdftotext.
#include "PrintTestSupport.h"

#include "platform/ui/FlexGrid.h"
#include "platform/ui/Screen.h"
#include "printing/ui/PrintGrid.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The PDF printers' paper: A4 with 5 mm margins, so the printable area
// starts 5 mm in from the paper's edges.
constexpr double PaperMarginMm = 5.0;
// Two heading rows of 240 twips.
constexpr double HeadingsMm = 2 * 240 / 1440.0 * 25.4;
constexpr double RowMm = 240 / 1440.0 * 25.4;
// pdftotext measures glyph boxes; rows are checked to within this.
constexpr double TolerancePt = 1.0;

struct Margins
{
    float left = 20.0F;
    float top = 10.0F;
    float right = 0.0F;
    float bottom = 10.0F;
};

class PdfPrint
{
public:
    PdfPrint()
    {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                            QMarginsF(PaperMarginMm, PaperMarginMm, PaperMarginMm, PaperMarginMm),
                                            QPageLayout::Millimeter));
        m_printer.setOutputFileName(path());
    }
    QString path() const { return m_dir.filePath(QStringLiteral("druck.pdf")); }
    QPrinter &printer() { return m_printer; }
    bool print(FlexGrid &grid, Margins m = {}, const QString &titel = {}, const QString &datum = {}, short many = 0)
    {
        return PrintGrid(grid, m_printer, m.left, m.top, m.right, m.bottom, titel, datum, many);
    }
    QList<PdfPage> pages() const { return readPdfPages(path()); }

private:
    QTemporaryDir m_dir;
    QPrinter m_printer{QPrinter::HighResolution};
};

QList<PdfPage> printSheet(int bodyRows, Margins m = {})
{
    FlexGrid grid;
    fillSheet(grid, bodyRows);
    PdfPrint pdf;
    if (!pdf.print(grid, m))
        return {};
    return pdf.pages();
}

} // namespace

class TestPrintGrid : public QObject
{
    Q_OBJECT
private slots:
    void pageRectangle_data();
    void pageRectangle();
    void pageCount_data();
    void pageCount();
    void firstRowLandsInsideTheMargins_data();
    void firstRowLandsInsideTheMargins();
    void laterPagesStartAtTheTopMargin();
    void leadingColumns_data();
    void leadingColumns();
    void titleAndDateOnEveryPage();
    void emptyTitleAndDatePrintNothingAbove();
    void rowsFillingExactlyOneRectangle_data();
    void rowsFillingExactlyOneRectangle();
    void screenFactorsDoNotChangeThePrint();
    void refusingGridPrintsNothingAndRestoresColumns();
    void printerThatCannotOpenReportsFailure();
};

void TestPrintGrid::pageRectangle_data()
{
    // 10 dots a millimetre across, 5 down: quarter millimetres fall on half pixels.
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("right");
    QTest::addColumn<float>("bottom");
    QTest::addColumn<QRect>("edges"); // left, top, right, bottom as x1, y1, x2, y2
    QTest::newRow("journal sheet margins")
        << 20.0F << 10.0F << 0.0F << 10.0F << QRect(QPoint(200, 50), QPoint(2000, 1450));
    QTest::newRow("totals margins") << 60.0F << 30.0F << 5.0F << 10.0F << QRect(QPoint(600, 150), QPoint(1950, 1450));
    QTest::newRow("2.5 pixels round down to even")
        << 0.25F << 0.5F << 0.25F << 0.5F << QRect(QPoint(2, 2), QPoint(1998, 1498));
    QTest::newRow("7.5 pixels round up to even")
        << 0.75F << 1.5F << 0.75F << 1.5F << QRect(QPoint(8, 8), QPoint(1992, 1492));
    QTest::newRow("12.5 pixels round down to even")
        << 1.25F << 2.5F << 1.25F << 2.5F << QRect(QPoint(12, 12), QPoint(1988, 1488));
    QTest::newRow("no margins") << 0.0F << 0.0F << 0.0F << 0.0F << QRect(QPoint(0, 0), QPoint(2000, 1500));
}

void TestPrintGrid::pageRectangle()
{
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(float, right);
    QFETCH(float, bottom);
    QFETCH(QRect, edges);
    QImage page(2000, 1500, QImage::Format_Mono);
    page.setDotsPerMeterX(10000);
    page.setDotsPerMeterY(5000);
    QPainter painter(&page);
    const GridPrintRecord r = gridPrintRecord(&painter, page, left, top, right, bottom);
    QCOMPARE(r.device, &painter);
    QCOMPARE(r.printableWidth, 2000);
    QCOMPARE(r.printableHeight, 1500);
    QCOMPARE(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)), edges);
}

void TestPrintGrid::pageCount_data()
{
    // A4 less 10 mm is 13559 pixels at 1200 dpi; 10 mm margins leave 12615,
    // of which the headings take 400: 61 rows of 200 pixels fit a page.
    QTest::addColumn<int>("bodyRows");
    QTest::addColumn<int>("pages");
    QTest::newRow("10 rows") << 10 << 1;
    QTest::newRow("60 rows") << 60 << 1;
    QTest::newRow("61 rows fill the first page") << 61 << 1;
    QTest::newRow("62 rows spill onto a second page") << 62 << 2;
    QTest::newRow("200 rows") << 200 << 4;
}

void TestPrintGrid::pageCount()
{
    QFETCH(int, bodyRows);
    QFETCH(int, pages);
    QCOMPARE(printSheet(bodyRows).size(), pages);
}

void TestPrintGrid::firstRowLandsInsideTheMargins_data()
{
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::newRow("journal sheet 20/10") << 20.0F << 10.0F;
    QTest::newRow("totals 60/30") << 60.0F << 30.0F;
    QTest::newRow("no margins") << 0.0F << 0.0F;
    QTest::newRow("an inch each way") << 25.4F << 25.4F;
}

void TestPrintGrid::firstRowLandsInsideTheMargins()
{
    QFETCH(float, left);
    QFETCH(float, top);
    const QList<PdfPage> pages = printSheet(3, {left, top, 0.0F, 10.0F});
    QCOMPARE(pages.size(), 1);
    const QRectF box = pages.first().find(QStringLiteral("r2c0")).box;
    QVERIFY(!box.isEmpty());
    const double cellLeft = mmToPoints(PaperMarginMm + left);
    const double rowTop = mmToPoints(PaperMarginMm + top + HeadingsMm);
    const double rowBottom = rowTop + mmToPoints(RowMm);
    // The text starts a small padding right of the cell's left edge.
    QVERIFY2(box.left() > cellLeft && box.left() < cellLeft + mmToPoints(1.5),
             qPrintable(QStringLiteral("x %1 for cell edge %2").arg(box.left()).arg(cellLeft)));
    QVERIFY2(
        box.top() > rowTop - TolerancePt && box.bottom() < rowBottom + TolerancePt,
        qPrintable(
            QStringLiteral("y %1..%2 for row %3..%4").arg(box.top()).arg(box.bottom()).arg(rowTop).arg(rowBottom)));
    // The heading row sits at the top margin itself.
    const QRectF heading = pages.first().find(QStringLiteral("r0c0")).box;
    QVERIFY(heading.top() > mmToPoints(PaperMarginMm + top) - TolerancePt);
    QVERIFY(heading.bottom() < mmToPoints(PaperMarginMm + top + RowMm) + TolerancePt);
}

void TestPrintGrid::laterPagesStartAtTheTopMargin()
{
    const QList<PdfPage> pages = printSheet(130);
    QCOMPARE(pages.size(), 3);
    const QRectF first = pages[0].find(QStringLiteral("r2c0")).box;
    const QRectF second = pages[1].find(QStringLiteral("r63c0")).box;
    const QRectF third = pages[2].find(QStringLiteral("r124c0")).box;
    QVERIFY(!first.isEmpty() && !second.isEmpty() && !third.isEmpty());
    QCOMPARE(second.top(), first.top());
    QCOMPARE(third.top(), first.top());
    // The headings come again on every page, and no row is printed twice.
    for (const PdfPage &page : pages)
        QVERIFY(page.texts().contains(QStringLiteral("r1c8")));
    QVERIFY(!pages[1].texts().contains(QStringLiteral("r62c0")));
    QVERIFY(pages[0].texts().contains(QStringLiteral("r62c0")));
}

void TestPrintGrid::leadingColumns_data()
{
    QTest::addColumn<int>("many");
    QTest::addColumn<bool>("redrawBefore");
    QTest::addColumn<int>("printedColumns");
    QTest::newRow("0 prints all") << 0 << true << 10;
    QTest::newRow("0 leaves a switched-off redraw off") << 0 << false << 10;
    QTest::newRow("negative prints all") << -2 << true << 10;
    QTest::newRow("3 prints columns 0 to 2") << 3 << true << 3;
    QTest::newRow("3 keeps a switched-off redraw off") << 3 << false << 3;
    QTest::newRow("1 prints the first column") << 1 << true << 1;
    QTest::newRow("equal to the column count prints all") << 10 << true << 10;
    QTest::newRow("above the column count prints all") << 12 << true << 10;
}

void TestPrintGrid::leadingColumns()
{
    QFETCH(int, many);
    QFETCH(bool, redrawBefore);
    QFETCH(int, printedColumns);
    FlexGrid grid;
    fillSheet(grid, 3);
    grid.store().setRedraw(redrawBefore);
    QList<int> widths;
    for (int c = 0; c < 10; ++c)
        widths << grid.store().colWidth(c);
    PdfPrint pdf;
    QVERIFY(pdf.print(grid, {}, {}, {}, static_cast<short>(many)));
    const QList<PdfPage> pages = pdf.pages();
    QCOMPARE(pages.size(), 1);
    // Column 9 is too narrow for its text; 0 to 8 show theirs.
    for (int c = 0; c < 9; ++c)
        QCOMPARE(pages.first().texts().contains(QStringLiteral("r2c%1").arg(c)), c < printedColumns);
    for (int c = 0; c < 10; ++c)
        QCOMPARE(grid.store().colWidth(c), widths[c]);
    QCOMPARE(grid.store().redraw(), redrawBefore);
}

void TestPrintGrid::titleAndDateOnEveryPage()
{
    FlexGrid grid;
    fillSheet(grid, 200);
    PdfPrint pdf;
    QVERIFY(
        pdf.print(grid, {20.0F, 30.0F, 0.0F, 10.0F}, QStringLiteral("Kassenbuch März"), QStringLiteral("06.12.2026")));
    const QList<PdfPage> pages = pdf.pages();
    // 30 mm from the top leaves room for 56 rows a page.
    QCOMPARE(pages.size(), 4);
    for (const PdfPage &page : pages) {
        const QRectF title = page.find(QStringLiteral("März")).box;
        const QRectF date = page.find(QStringLiteral("06.12.2026")).box;
        const QRectF kasse = page.find(QStringLiteral("Kassenbuch")).box;
        QVERIFY(!title.isEmpty() && !date.isEmpty() && !kasse.isEmpty());
        QVERIFY(kasse.left() > mmToPoints(PaperMarginMm + 20.0) - TolerancePt);
        QVERIFY(kasse.left() < mmToPoints(PaperMarginMm + 20.0) + TolerancePt);
        QVERIFY(qAbs(date.left() - kasse.left()) < TolerancePt);
        // The lines hang from 10 mm and 16 mm.
        QVERIFY(title.top() > mmToPoints(PaperMarginMm + 10.0) - TolerancePt);
        QVERIFY(title.bottom() < mmToPoints(PaperMarginMm + 16.0));
        QVERIFY(date.top() > mmToPoints(PaperMarginMm + 16.0) - TolerancePt);
        QVERIFY(date.bottom() < mmToPoints(PaperMarginMm + 30.0));
    }
}

void TestPrintGrid::emptyTitleAndDatePrintNothingAbove()
{
    const QList<PdfPage> pages = printSheet(100, {20.0F, 30.0F, 0.0F, 10.0F});
    QCOMPARE(pages.size(), 2);
    for (const PdfPage &page : pages)
        for (const PdfWord &w : page.words)
            QVERIFY2(w.box.top() > mmToPoints(PaperMarginMm + 30.0) - TolerancePt, qPrintable(w.text));
}

void TestPrintGrid::rowsFillingExactlyOneRectangle_data()
{
    QTest::addColumn<int>("extraTwips");
    QTest::addColumn<int>("pages");
    QTest::newRow("rows fill the rectangle exactly") << 0 << 1;
    QTest::newRow("the last row two twips too tall") << 2 << 2;
}

void TestPrintGrid::rowsFillingExactlyOneRectangle()
{
    QFETCH(int, extraTwips);
    QFETCH(int, pages);
    PdfPrint pdf;
    QPrinter &printer = pdf.printer();
    const GridPrintRecord r = gridPrintRecord(nullptr, printer, 20.0F, 10.0F, 0.0F, 10.0F);
    const int height = r.bottom - r.top;
    // Find the total of twips whose pixel height is exactly the rectangle's.
    const double pixelsPerTwip = printer.logicalDpiY() / 1440.0;
    int total = static_cast<int>(height / pixelsPerTwip) + 2;
    while (std::round(total * pixelsPerTwip) > height)
        --total;
    QCOMPARE(std::round(total * pixelsPerTwip), static_cast<double>(height));
    FlexGrid grid;
    // Body rows of 240 twips, the last one taller to take up the rest.
    const int bodyRows = (total - 480) / 240 - 1;
    fillSheet(grid, bodyRows + 1);
    grid.store().setRowHeight(grid.store().rows() - 1, total - 480 - bodyRows * 240 + extraTwips);
    QVERIFY(pdf.print(grid));
    const QList<PdfPage> printed = pdf.pages();
    QCOMPARE(printed.size(), pages);
    QVERIFY(printed.last().texts().contains(QStringLiteral("r%1c0").arg(grid.store().rows() - 1)));
}

void TestPrintGrid::screenFactorsDoNotChangeThePrint()
{
    const QList<PdfPage> plain = printSheet(5);
    Screen::setOverride(QSize(1600, 1200), 144.0);
    const QList<PdfPage> scaled = printSheet(5);
    Screen::setOverride(QSize());
    QCOMPARE(plain.size(), 1);
    QCOMPARE(scaled.size(), 1);
    QCOMPARE(scaled.first().words.size(), plain.first().words.size());
    for (qsizetype i = 0; i < plain.first().words.size(); ++i) {
        QCOMPARE(scaled.first().words[i].text, plain.first().words[i].text);
        QCOMPARE(scaled.first().words[i].box, plain.first().words[i].box);
    }
}

void TestPrintGrid::refusingGridPrintsNothingAndRestoresColumns()
{
    FlexGrid grid;
    fillSheet(grid, 3);
    QCOMPARE(grid.printRequest(1, nullptr), FlexGrid::PrintReady); // a job of its own is open
    PdfPrint pdf;
    QVERIFY(!pdf.print(grid, {}, QStringLiteral("Titel"), {}, 3));
    QVERIFY(!QFile::exists(pdf.path()));
    QCOMPARE(grid.store().colWidth(3), 1000);
    QCOMPARE(grid.store().colWidth(8), 2500);
    QVERIFY(grid.store().redraw());
    grid.printRequest(0, nullptr);
}

void TestPrintGrid::printerThatCannotOpenReportsFailure()
{
    FlexGrid grid;
    fillSheet(grid, 3);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/druck.pdf"));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!PrintGrid(grid, printer, 20.0F, 10.0F, 0.0F, 10.0F, {}, {}, 3));
    QCOMPARE(grid.store().colWidth(5), 600);
    // The grid's job was closed, so the next one can start.
    QCOMPARE(grid.printRequest(1, nullptr), FlexGrid::PrintReady);
    grid.printRequest(0, nullptr);
}

QTEST_MAIN(TestPrintGrid)
#include "TestPrintGrid.moc"
