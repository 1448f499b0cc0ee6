// The grid's print service on a recording device, and the printing routine
// into PDF files read back with pdftotext.
#include "PrintTestSupport.h"

#include "platform/ui/FlexGrid.h"
#include "printing/ui/PrintGrid.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The PDF printer's paper: A4 with 5 mm margins, where the printable area starts.
constexpr double PaperMarginMm = 5.0;
// pdftotext measures glyph boxes; positions are checked to within this.
constexpr double TolerancePt = 1.0;

// Ten columns of 1000 twips, two heading rows and bodyRows rows below, all
// 240 twips high, 8-point cells; heading cells read "h<r>c<c>", the others
// "r<r>c<c>".
void fillSheet(FlexGrid &grid, int bodyRows)
{
    FlexGridStore &s = grid.store();
    s.setCols(10);
    s.setFixedCols(0);
    s.setRows(2 + bodyRows);
    s.setFixedRows(2);
    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(8.0F);
    s.setAllRowHeights(240);
    for (int c = 0; c < 10; ++c)
        s.setColWidth(c, 1000);
    for (int r = 0; r < s.rows(); ++r)
        for (int c = 0; c < 10; ++c)
            s.setTextMatrix(r, c, (r < 2 ? QStringLiteral("h%1c%2") : QStringLiteral("r%1c%2")).arg(r).arg(c));
}

// Keeps the texts drawn inside the painter's clip, with their fonts; at
// 144 dpi ten twips make a pixel.
class TextRecorder : public QPaintDevice, public QPaintEngine
{
public:
    TextRecorder() : QPaintEngine(AllFeatures) {}
    QPaintEngine *paintEngine() const override { return const_cast<TextRecorder *>(this); }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    Type type() const override { return User; }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        if (painter()->hasClipping() && !painter()->clipBoundingRect().contains(p))
            return;
        texts << item.text();
        fonts.insert(item.text(), item.font());
    }
    QStringList texts;
    QMap<QString, QFont> fonts;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        if (m == PdmWidth || m == PdmHeight)
            return 3000;
        if (m >= PdmDpiX && m <= PdmPhysicalDpiY)
            return 144;
        return m == PdmDepth ? 32 : QPaintDevice::metric(m);
    }
};

// A whole job as the printing routine runs it, each page's texts; rect is
// left, top, width and height in device pixels.
QList<QStringList> printPages(FlexGrid &grid, const QRect &rect, QMap<QString, QFont> *fonts = nullptr)
{
    QList<QStringList> pages;
    if (grid.printRequest(FlexGrid::PrintStart, nullptr) != FlexGrid::PrintReady)
        return pages;
    for (qint32 answer = 0; answer >= 0 && pages.size() < 100;) {
        TextRecorder page;
        QPainter painter(&page);
        const GridPrintRecord record{&painter, rect.left(), rect.top(), rect.left() + rect.width(),
                                     rect.top() + rect.height()};
        answer = grid.printRequest(FlexGrid::PrintPage, &record);
        painter.end();
        pages << page.texts;
        if (fonts)
            fonts->insert(page.fonts);
    }
    grid.printRequest(FlexGrid::PrintPage, nullptr);
    return pages;
}

// Prints grid into a PDF file on A4 with 5 mm paper margins, with the
// journal sheet's right and bottom margins.
bool printPdf(FlexGrid &grid, const QString &path, float left, float top, const QString &titel = {},
              const QString &datum = {}, short many = 0)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QMarginsF paper(PaperMarginMm, PaperMarginMm, PaperMarginMm, PaperMarginMm);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, paper, QPageLayout::Millimeter));
    printer.setOutputFileName(path);
    return PrintGrid(grid, printer, left, top, 0.0F, 10.0F, titel, datum, many);
}

} // namespace

class TestPrintGrid : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_pdf = m_dir.filePath(QStringLiteral("druck.pdf"));

private slots:
    void pagination_data()
    {
        // At 144 dpi a 240-twip row is 24 pixels; the two heading rows take 48.
        QTest::addColumn<int>("bodyRows");
        QTest::addColumn<int>("rowTwips");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("drawnRows");
        QTest::newRow("ten rows fill the rectangle exactly") << 10 << 240 << 48 + 240 << 1 << 10;
        QTest::newRow("one row more than fits") << 11 << 240 << 48 + 240 << 2 << 11;
        QTest::newRow("one pixel short of ten rows") << 10 << 240 << 48 + 239 << 2 << 10;
        QTest::newRow("hundred rows, ten a page") << 100 << 240 << 48 + 240 << 10 << 100;
        QTest::newRow("headings only") << 0 << 240 << 48 + 240 << 1 << 0;
        QTest::newRow("rows taller than a page, one cut row a page") << 5 << 2400 << 48 + 150 << 5 << 5;
        QTest::newRow("no room under the headings ends the job") << 5 << 240 << 40 << 1 << 0;
        QTest::newRow("empty rectangle ends the job") << 5 << 240 << 0 << 1 << 0;
    }

    void pagination()
    {
        QFETCH(int, bodyRows);
        QFETCH(int, rowTwips);
        QFETCH(int, height);
        QFETCH(int, pages);
        QFETCH(int, drawnRows);
        FlexGrid grid;
        fillSheet(grid, bodyRows);
        FlexGridStore &s = grid.store();
        for (int r = 2; r < s.rows(); ++r)
            s.setRowHeight(r, rowTwips);
        const QList<QStringList> printed = printPages(grid, QRect(30, 50, 1500, height));
        QCOMPARE(printed.size(), pages);
        // Each body row once and in order, the headings on every page with room.
        QStringList body;
        for (const QStringList &page : printed) {
            QCOMPARE(page.contains(QStringLiteral("h1c8")), height >= 48);
            body << page.filter(QRegularExpression(QStringLiteral("^r\\d+c0$")));
        }
        QStringList expected;
        for (int r = 2; r < 2 + drawnRows; ++r)
            expected << QStringLiteral("r%1c0").arg(r);
        QCOMPARE(body, expected);
    }

    void cellsAsOnScreenCutAtTheRightEdge()
    {
        FlexGrid grid;
        fillSheet(grid, 2);
        FlexGridStore &s = grid.store();
        s.setRowCol(3, 1);
        s.setCellFontBold(true);
        s.setCellFontSize(12.0F);
        s.setCellFontName(QStringLiteral("DejaVu Serif"));
        // Columns 0 to 4 end at 500 pixels; a rectangle 550 wide cuts column 5.
        QMap<QString, QFont> fonts;
        const QStringList page = printPages(grid, QRect(20, 0, 550, 1000), &fonts).value(0);
        QVERIFY(page.contains(QStringLiteral("r2c5")));
        QVERIFY(!page.contains(QStringLiteral("r2c6")));
        const auto font = [&fonts](const QString &text) {
            const QFont f = fonts.value(text);
            return QStringLiteral("%1 %2%3")
                .arg(f.family())
                .arg(f.pointSizeF())
                .arg(f.bold() ? QStringLiteral(" bold") : QString());
        };
        QCOMPARE(font(QStringLiteral("r3c1")), QStringLiteral("DejaVu Serif 12 bold"));
        QCOMPARE(font(QStringLiteral("r3c2")), QStringLiteral("Arial 8"));
    }

    void pageRectangleInWholePixels()
    {
        // 10 dots a millimetre across and 5 down: 0.25 mm across and 0.5 mm
        // down are 2.5 pixels, rounded to the even 2; 0.75 and 1.5 mm are
        // 7.5 pixels, rounded to the even 8.
        QImage page(2000, 1500, QImage::Format_Mono);
        page.setDotsPerMeterX(10000);
        page.setDotsPerMeterY(5000);
        const GridPrintRecord r = gridPrintRecord(nullptr, page, 0.25F, 0.5F, 0.75F, 1.5F);
        QCOMPARE(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)), QRect(QPoint(2, 2), QPoint(1992, 1492)));
    }

    void titleAndDateOnEveryPage()
    {
        FlexGrid grid;
        fillSheet(grid, 100);
        const QString datum = QStringLiteral("06.12.2026");
        QVERIFY(printPdf(grid, m_pdf, 20.0F, 30.0F, QStringLiteral("Kassenbuch März"), datum));
        const QList<PdfPage> pages = readPdfPages(m_pdf);
        QCOMPARE(pages.size(), 2);
        const double left = mmToPoints(PaperMarginMm + 20.0);
        const double top = mmToPoints(PaperMarginMm + 30.0);
        for (const PdfPage &page : pages) {
            // The title hangs from 10 mm and the date from 16 mm, at the left margin.
            const QRectF title = page.box(QStringLiteral("Kassenbuch"));
            const QRectF date = page.box(datum);
            QVERIFY(qAbs(title.left() - left) < TolerancePt && qAbs(date.left() - left) < TolerancePt);
            QVERIFY(title.top() > mmToPoints(PaperMarginMm + 10.0) - TolerancePt);
            QVERIFY(title.bottom() < mmToPoints(PaperMarginMm + 16.0));
            QVERIFY(date.top() > mmToPoints(PaperMarginMm + 16.0) - TolerancePt && date.bottom() < top);
        }
    }

    void leadingColumns_data()
    {
        QTest::addColumn<int>("many");
        QTest::addColumn<bool>("redraw");
        QTest::addColumn<int>("printedColumns");
        QTest::newRow("0 prints all") << 0 << true << 10;
        QTest::newRow("3 prints columns 0 to 2") << 3 << true << 3;
        QTest::newRow("3 keeps a switched-off redraw off") << 3 << false << 3;
    }

    void leadingColumns()
    {
        QFETCH(int, many);
        QFETCH(bool, redraw);
        QFETCH(int, printedColumns);
        FlexGrid grid;
        fillSheet(grid, 1);
        grid.store().setColWidth(5, 600);
        grid.store().setRedraw(redraw);
        QVERIFY(printPdf(grid, m_pdf, 20.0F, 10.0F, {}, {}, static_cast<short>(many)));
        const QStringList texts = readPdfPages(m_pdf).value(0).texts();
        for (int c = 0; c < 10; ++c)
            QCOMPARE(texts.contains(QStringLiteral("r2c%1").arg(c)), c < printedColumns);
        QCOMPARE(grid.store().colWidth(5), 600);
        QCOMPARE(grid.store().redraw(), redraw);
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
        QVERIFY(!printPdf(grid, m_pdf, 20.0F, 10.0F));
        QVERIFY(!QFile::exists(m_pdf));
        QCOMPARE(grid.printRequest(FlexGrid::PrintStart, nullptr), 0);
        grid.printRequest(FlexGrid::PrintPage, nullptr);
        // A printer that cannot open: the grid's job is closed again.
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!printPdf(grid, m_dir.filePath(QStringLiteral("fehlt/druck.pdf")), 20.0F, 10.0F));
        QCOMPARE(grid.printRequest(FlexGrid::PrintStart, nullptr), FlexGrid::PrintReady);
        grid.printRequest(FlexGrid::PrintPage, nullptr);
    }
};

QTEST_MAIN(TestPrintGrid)
#include "TestPrintGrid.moc"
