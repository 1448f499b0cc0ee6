// The grid's print service on a recording device: which rows each page
// request draws, where, and with which fonts.
#include "PrintTestSupport.h"

#include "platform/ui/FlexGrid.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTest>

namespace {

struct DrawnText
{
    QString text;
    QPointF pos;
    QFont font;
    bool visible; // inside the painter's clip
    QColor color;
};

// Keeps every text drawn on it; 144 dpi makes 10 twips one pixel.
class TextRecorder : public QPaintDevice
{
public:
    TextRecorder() : m_engine(this) {}
    ~TextRecorder() override = default;
    QPaintEngine *paintEngine() const override { return &m_engine; }
    QList<DrawnText> texts;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return 2000;
        case PdmHeight:
            return 3000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 144;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(m);
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(TextRecorder *device) : QPaintEngine(AllFeatures), m_device(device) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF &p, const QTextItem &item) override
        {
            const bool visible = !painter()->hasClipping() || painter()->clipBoundingRect().contains(p);
            m_device->texts.append({item.text(), p, item.font(), visible, painter()->pen().color()});
        }
        Type type() const override { return User; }

    private:
        TextRecorder *m_device;
    };
    mutable Engine m_engine;
};

// Runs a whole job the way the printing routine does and gives each page's texts.
QList<QList<DrawnText>> printPages(FlexGrid &grid, const QRect &rect, int pageLimit = 1000)
{
    QList<QList<DrawnText>> pages;
    if (grid.printRequest(1, nullptr) != FlexGrid::PrintReady)
        return pages;
    for (int i = 0; i < pageLimit; ++i) {
        TextRecorder page;
        QPainter painter(&page);
        GridPrintRecord record;
        record.device = &painter;
        record.left = rect.left();
        record.top = rect.top();
        record.right = rect.left() + rect.width();
        record.bottom = rect.top() + rect.height();
        const qint32 answer = grid.printRequest(0, &record);
        painter.end();
        pages.append(page.texts);
        if (answer < 0)
            break;
    }
    grid.printRequest(0, nullptr);
    return pages;
}

QStringList visibleTexts(const QList<DrawnText> &page)
{
    QStringList texts;
    for (const DrawnText &t : page)
        if (t.visible)
            texts << t.text;
    return texts;
}

} // namespace

class TestGridPrintService : public QObject
{
    Q_OBJECT
private slots:
    void openingAnswersReadyOncePerJob();
    void pagination_data();
    void pagination();
    void clipsAtTheRightEdge();
    void cellFontsAsOnScreen();
    void cellTextColoursAsOnScreen();
    void printingLeavesTheCurrentCellAlone();
};

void TestGridPrintService::openingAnswersReadyOncePerJob()
{
    FlexGrid grid;
    fillSheet(grid, 3);
    TextRecorder page;
    QPainter painter(&page);
    const GridPrintRecord record{&painter, 0, 0, 1000, 1000, 2000, 3000};
    // No page is drawn outside a job.
    QVERIFY(grid.printRequest(0, &record) < 0);
    QVERIFY(page.texts.isEmpty());
    QCOMPARE(grid.printRequest(1, nullptr), FlexGrid::PrintReady);
    // A second job cannot start while one is open.
    QCOMPARE(grid.printRequest(1, nullptr), 0);
    grid.printRequest(0, nullptr);
    QCOMPARE(grid.printRequest(1, nullptr), FlexGrid::PrintReady);
    grid.printRequest(0, nullptr);
}

void TestGridPrintService::pagination_data()
{
    // At 144 dpi a 240-twip row is 24 pixels; the two heading rows take 48.
    QTest::addColumn<int>("bodyRows");
    QTest::addColumn<int>("bodyRowTwips");
    QTest::addColumn<int>("rectHeight");
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

void TestGridPrintService::pagination()
{
    QFETCH(int, bodyRows);
    QFETCH(int, bodyRowTwips);
    QFETCH(int, rectHeight);
    QFETCH(int, pages);
    QFETCH(int, drawnRows);
    FlexGrid grid;
    fillSheet(grid, bodyRows);
    for (int r = 2; r < grid.store().rows(); ++r)
        grid.store().setRowHeight(r, bodyRowTwips);
    const QList<QList<DrawnText>> printed = printPages(grid, QRect(30, 50, 1500, rectHeight));
    QCOMPARE(printed.size(), pages);
    // Each body row once and in order, the headings on every page with room.
    QStringList body;
    for (const QList<DrawnText> &page : printed) {
        const QStringList texts = visibleTexts(page);
        QCOMPARE(texts.contains(QStringLiteral("r1c8")), rectHeight >= 48);
        for (const QString &t : texts)
            if (t.endsWith(QStringLiteral("c0")) && t != QStringLiteral("r0c0") && t != QStringLiteral("r1c0"))
                body << t;
    }
    QStringList expected;
    for (int r = 2; r < 2 + drawnRows; ++r)
        expected << QStringLiteral("r%1c0").arg(r);
    QCOMPARE(body, expected);
}

void TestGridPrintService::clipsAtTheRightEdge()
{
    // Columns 0 to 4 end at 500 px; a rectangle 550 px wide cuts column 5.
    FlexGrid grid;
    fillSheet(grid, 1);
    const QStringList texts = visibleTexts(printPages(grid, QRect(20, 0, 550, 1000)).value(0));
    QVERIFY(texts.contains(QStringLiteral("r2c4")));
    QVERIFY(texts.contains(QStringLiteral("r2c5")));
    QVERIFY(!texts.contains(QStringLiteral("r2c6")));
    QVERIFY(!texts.contains(QStringLiteral("r2c8")));
}

void TestGridPrintService::cellFontsAsOnScreen()
{
    FlexGrid grid;
    fillSheet(grid, 3);
    FlexGridStore &s = grid.store();
    s.setRowCol(3, 1);
    s.setCellFontBold(true);
    s.setCellFontSize(12.0F);
    s.setCellFontName(QStringLiteral("DejaVu Serif"));
    s.setRowCol(2, 0);
    QFont bold;
    QFont plain;
    for (const DrawnText &t : printPages(grid, QRect(0, 0, 1500, 1000)).value(0)) {
        if (t.text == QStringLiteral("r3c1"))
            bold = t.font;
        else if (t.text == QStringLiteral("r3c2"))
            plain = t.font;
    }
    QVERIFY(bold.bold());
    QCOMPARE(bold.pointSizeF(), 12.0);
    QCOMPARE(bold.family(), QStringLiteral("DejaVu Serif"));
    QVERIFY(!plain.bold());
    QCOMPARE(plain.pointSizeF(), 8.0);
}

// A negative balance is red on paper as on the screen: the painter both share
// draws a cell's own text colour.
void TestGridPrintService::cellTextColoursAsOnScreen()
{
    FlexGrid grid;
    fillSheet(grid, 3);
    grid.store().setForeColorAt(3, 1, gridRgb(255, 0, 0));
    QHash<QString, QColor> colours;
    for (const DrawnText &t : printPages(grid, QRect(0, 0, 1500, 1000)).value(0))
        colours.insert(t.text, t.color);
    QCOMPARE(colours.value(QStringLiteral("r3c1")), QColor(255, 0, 0));
    QCOMPARE(colours.value(QStringLiteral("r3c2")), QColor(Qt::black));
}

void TestGridPrintService::printingLeavesTheCurrentCellAlone()
{
    FlexGrid grid;
    fillSheet(grid, 30);
    grid.store().setRowCol(5, 3);
    int notifications = 0;
    grid.store().leaveCell = [&] { ++notifications; };
    grid.store().rowColChange = [&] { ++notifications; };
    QCOMPARE(printPages(grid, QRect(0, 0, 1500, 300)).size(), 3);
    QCOMPARE(notifications, 0);
    QCOMPARE(grid.store().row(), 5);
    QCOMPARE(grid.store().col(), 3);
}

QTEST_MAIN(TestGridPrintService)
#include "TestGridPrintService.moc"
