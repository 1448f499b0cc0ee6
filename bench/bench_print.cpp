// Printing a month of 300 rows. Run from a release build:
//   QT_QPA_PLATFORM=offscreen build-bench/bench/bench_print
// The print-out through CUPS needs a print server with the queue PDF; the
// private one of tools/cups-test-server.sh does (export what it prints).
// The floors of the PDF print-outs are below, each checked once against
// Barlog's pages with pdftoppm.
#include "floor/FloorGrid.h"
#include "floor/PdfPages.h"
#include "mainwindow/ui/Form1.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "printing/PrintLayout.h"
#include "printing/ui/Druckerwahl.h"
#include "printing/ui/PrintGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <memory>

namespace {

constexpr int MonthRows = 300;

// Rows filled like a busy month, below the two heading rows.
void fillMonth(FlexGridStore &s)
{
    for (int r = 2; r < s.rows(); ++r) {
        s.setTextMatrix(r, r % 3 == 0 ? 3 : 0, QStringLiteral("%1,%2").arg(r * 7).arg(r % 100, 2, 10, QChar(u'0')));
        s.setTextMatrix(r, 4, QStringLiteral("1.%1,00").arg(r, 3, 10, QChar(u'0')));
        s.setTextMatrix(r, 5, QStringLiteral("4930"));
        s.setTextMatrix(r, 6, QString::number(r - 2));
        s.setTextMatrix(r, 7, QStringLiteral("%1.03.2026").arg(r % 28 + 1, 2, 10, QChar(u'0')));
        s.setTextMatrix(r, 8, r % 3 == 0 ? QStringLiteral("Bürobedarf Müller") : QStringLiteral("Bareinnahme"));
    }
}

// The margins of the print-out's two jobs, and of the bare grid's.
constexpr PageMargins SheetPage{20.0F, 10.0F, 0.0F, 10.0F};
constexpr PageMargins TotalsPage{60.0F, 30.0F, 5.0F, 10.0F};
constexpr PageMargins GridPage = SheetPage;

// A grid of the given number of rows below two heading rows, laid out like
// the printed sheet.
std::unique_ptr<FlexGrid> monthGrid(int rows)
{
    auto grid = std::make_unique<FlexGrid>(nullptr, 2 + rows, 10, 2, 0);
    FlexGridStore &s = grid->store();
    s.setFontName(QStringLiteral("MS Sans Serif"));
    s.setFontSize(8.0F);
    const std::array<int, 10> widths = {1000, 1000, 1000, 1000, 1000, 600, 900, 1000, 2500, 20};
    for (int c = 0; c < 10; ++c)
        s.setColWidth(c, widths[static_cast<size_t>(c)]);
    fillMonth(s);
    return grid;
}

void BM_PrintGridToPdf(benchmark::State &state)
{
    const std::unique_ptr<FlexGrid> grid = monthGrid(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("monat.pdf")));
    for (auto _ : state) {
        const bool printed =
            PrintGrid(*grid, printer, GridPage.left, GridPage.top, GridPage.right, GridPage.bottom, {}, {}, 0);
        benchmark::DoNotOptimize(printed);
    }
}
BENCHMARK(BM_PrintGridToPdf)->Arg(MonthRows)->Unit(benchmark::kMillisecond);

// The started main window with a month of MonthRows entries and its printer
// window open.
struct PrintingMonth
{
    PrintingMonth()
    {
        form.Form_Load();
        FlexGridStore &sheet = form.flex->store();
        sheet.setRows(3 + MonthRows + 1);
        fillMonth(sheet);
        sheet.setTextMatrix(2, 8, QStringLiteral("Übertrag"));
        form.Command6_Click();
    }
    Druckerwahl &window() { return *form.druckerwahl(); }

    QTemporaryDir folder;
    Form1 form{folder.path()};
};

void BM_PrintOutToPdf(benchmark::State &state)
{
    PrintingMonth month;
    // The box names no printer: the print-out stays on the PDF file.
    month.window().Combo1->setEditText(QString());
    QPrinter &printer = month.window().currentPrinter().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(month.folder.filePath(QStringLiteral("monat.pdf")));
    for (auto _ : state) {
        month.window().Command1_Click();
        benchmark::DoNotOptimize(QFileInfo(printer.outputFileName()).size());
    }
    if (!MessageBox::takeShown().isEmpty())
        state.SkipWithError("the print-out showed a message");
}
BENCHMARK(BM_PrintOutToPdf)->Unit(benchmark::kMillisecond);

// The floor of printing: the same pages painted by FloorGrid from the cells'
// texts and looks, taken in the set-up, onto a printer of the same kind.
struct FloorJob
{
    FloorJob(const FlexGridStore &store, PageMargins pageMargins)
        : grid(store, store.fixedCols()),
          rows(store.rows()),
          firstRow(store.fixedRows()),
          margins(pageMargins)
    {
        for (int r = 0; r < store.rows(); ++r) {
            for (int c = 0; c < store.cols(); ++c)
                texts.push_back(store.textMatrix(r, c));
        }
    }

    // Page after page until every row is printed, as one job.
    bool print(QPrinter &printer)
    {
        QPainter painter;
        if (!painter.begin(&printer))
            return false;
        grid.prepare(&printer);
        const auto pixels = [](double mm, int dpi) { return std::nearbyint(mm * dpi / 25.4); };
        const QRectF page(
            QPointF(pixels(margins.left, printer.logicalDpiX()), pixels(margins.top, printer.logicalDpiY())),
            QPointF(printer.width() - pixels(margins.right, printer.logicalDpiX()),
                    printer.height() - pixels(margins.bottom, printer.logicalDpiY())));
        for (int next = firstRow;;) {
            const FloorGrid::Layout layout =
                grid.layout(page, printer.logicalDpiX() / 1440.0, printer.logicalDpiY() / 1440.0, next, false);
            grid.paint(painter, layout, texts.data());
            next = grid.lastDrawnRow(layout) + 1;
            if (next >= rows)
                break;
            printer.newPage();
        }
        return painter.end();
    }

    FloorGrid grid;
    std::vector<QString> texts;
    int rows;
    int firstRow;
    PageMargins margins;
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BM_FloorPrintGridToPdf(benchmark::State &state)
{
    const std::unique_ptr<FlexGrid> grid = monthGrid(static_cast<int>(state.range(0)));
    FloorJob job(grid->store(), GridPage);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("barlog.pdf")));
    PrintGrid(*grid, printer, GridPage.left, GridPage.top, GridPage.right, GridPage.bottom, {}, {}, 0);
    const QByteArray barlog = fileBytes(printer.outputFileName());
    printer.setOutputFileName(dir.filePath(QStringLiteral("floor.pdf")));
    job.print(printer);
    const QByteArray floor = fileBytes(printer.outputFileName());
    if (const QString difference = pdfPagesDiffer(barlog, floor); !difference.isEmpty()) {
        state.SkipWithError(qPrintable(QStringLiteral("the floor's pages differ: ") + difference));
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(job.print(printer));
    state.counters["barlog_pdf_kb"] = static_cast<double>(barlog.size()) / 1024.0;
    state.counters["floor_pdf_kb"] = static_cast<double>(floor.size()) / 1024.0;
}
BENCHMARK(BM_FloorPrintGridToPdf)->Arg(MonthRows)->Unit(benchmark::kMillisecond);

// The print-out's two jobs as the floor prints them: the sheet in the print
// layout, then the totals grid as the window shows it.
struct FloorPrintOut
{
    explicit FloorPrintOut(PrintingMonth &month)
        : sheet(printLayout(month.form.flex->store(), month.form.rates()), SheetPage),
          totals(month.form.flex2->store(), TotalsPage)
    {
    }

    static FlexGridStore printLayout(FlexGridStore store, const modul::RateTexts &rates)
    {
        store.leaveCell = {};
        store.rowColChange = {};
        store.currentMoved = {};
        store.changed = {};
        PrintLayout::setColumns(store, rates);
        PrintLayout::setEveryCellFontSize(store, PrintLayout::CellPoints);
        store.setAllRowHeights(FlexGridStore::DefaultRowHeight);
        return store;
    }

    bool print(QPrinter &printer) { return sheet.print(printer) && totals.print(printer); }

    FloorJob sheet;
    FloorJob totals;
};

void BM_FloorPrintOutToPdf(benchmark::State &state)
{
    PrintingMonth month;
    month.window().Combo1->setEditText(QString());
    QPrinter &barlogPrinter = month.window().currentPrinter().printer();
    barlogPrinter.setOutputFormat(QPrinter::PdfFormat);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QList<QByteArray> barlogJobs;
    {
        PdfJobs jobs;
        barlogPrinter.setOutputFileName(jobs.fileName());
        month.window().Command1_Click();
        barlogJobs = jobs.take();
    }
    // The sheet as Barlog printed it: its balances recalculated.
    FloorPrintOut floor(month);
    QList<QByteArray> floorJobs;
    {
        PdfJobs jobs;
        printer.setOutputFileName(jobs.fileName());
        floor.print(printer);
        floorJobs = jobs.take();
    }
    if (barlogJobs.size() != 2 || floorJobs.size() != 2) {
        state.SkipWithError(qPrintable(QStringLiteral("not two print jobs: %1, floor %2; %3")
                                           .arg(barlogJobs.size())
                                           .arg(floorJobs.size())
                                           .arg(MessageBox::takeShown().size())));
        return;
    }
    for (int i = 0; i < 2; ++i) {
        if (const QString difference = pdfPagesDiffer(barlogJobs[i], floorJobs[i]); !difference.isEmpty()) {
            state.SkipWithError(
                qPrintable(QStringLiteral("job %1 of the floor differs: %2").arg(i + 1).arg(difference)));
            return;
        }
    }
    printer.setOutputFileName(month.folder.filePath(QStringLiteral("floor.pdf")));
    for (auto _ : state)
        benchmark::DoNotOptimize(floor.print(printer));
    state.counters["barlog_pdf_kb"] = static_cast<double>(barlogJobs[0].size()) / 1024.0;
    state.counters["floor_pdf_kb"] = static_cast<double>(floorJobs[0].size()) / 1024.0;
}
BENCHMARK(BM_FloorPrintOutToPdf)->Unit(benchmark::kMillisecond);

// Ids of the completed jobs on queue.
QSet<int> completedJobs(const QString &queue)
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"),
                 {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue});
    lpstat.waitForFinished(10000);
    QSet<int> ids;
    const QRegularExpression job(QStringLiteral("^%1-(\\d+)\\s").arg(queue), QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch &m : job.globalMatch(QString::fromUtf8(lpstat.readAllStandardOutput())))
        ids.insert(m.captured(1).toInt());
    return ids;
}

void BM_PrintOutThroughCups(benchmark::State &state)
{
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER")) {
        state.SkipWithError("needs a CUPS server with the queue PDF (CUPS_SERVER is not set)");
        return;
    }
    const QString queue = QStringLiteral("PDF");
    PrintingMonth month;
    month.window().Combo1->setEditText(queue);
    const QString docName = QStringLiteral("barlogbench-%1").arg(QCoreApplication::applicationPid());
    month.window().currentPrinter().printer().setDocName(docName);
    for (auto _ : state) {
        const QSet<int> before = completedJobs(queue);
        month.window().Command1_Click();
        // Both jobs are done once the queue lists two more completed jobs.
        QDeadlineTimer deadline(60000);
        while (completedJobs(queue).size() < before.size() + 2 && !deadline.hasExpired())
            QThread::msleep(20);
        if (deadline.hasExpired()) {
            state.SkipWithError("the jobs did not complete within a minute");
            break;
        }
    }
    const QString output = qEnvironmentVariable("BARLOG_CUPS_PDF_FOLDER");
    if (!output.isEmpty()) {
        for (const QString &file : QDir(output).entryList({docName + QStringLiteral("-job_*.pdf")}, QDir::Files))
            QFile::remove(QDir(output).filePath(file));
    }
}
BENCHMARK(BM_PrintOutThroughCups)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fonts::installSubstitutions();
    MessageBox::setTesting(true);
    Screen::setOverride(QSize(1024, 768));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
