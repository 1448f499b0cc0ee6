// PrintGrid of a month's sheet into a PDF file, from the call until the
// file is closed. Run from a release build:
//   QT_QPA_PLATFORM=offscreen build-bench/bench/bench_print
#include "platform/FlexGrid.h"
#include "platform/Fonts.h"
#include "printing/PrintGrid.h"

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>

using namespace Qt::StringLiterals;

namespace {

// The journal sheet in its print layout with rows filled like a busy month.
void fillMonth(FlexGrid &grid)
{
    FlexGridStore &s = grid.store();
    s.setFontName(u"MS Sans Serif"_s);
    s.setFontSize(8.0F);
    const std::array<int, 10> widths = {1000, 1000, 1000, 1000, 1000, 600, 900, 1000, 2500, 20};
    for (int c = 0; c < 10; ++c)
        s.setColWidth(c, widths[static_cast<size_t>(c)]);
    for (int r = 2; r < s.rows(); ++r) {
        s.setTextMatrix(r, r % 3 == 0 ? 3 : 0, u"%1,%2"_s.arg(r * 7).arg(r % 100, 2, 10, QChar(u'0')));
        s.setTextMatrix(r, 4, u"1.%1,00"_s.arg(r, 3, 10, QChar(u'0')));
        s.setTextMatrix(r, 5, u"4930"_s);
        s.setTextMatrix(r, 6, QString::number(r - 2));
        s.setTextMatrix(r, 7, u"%1.03.2026"_s.arg(r % 28 + 1, 2, 10, QChar(u'0')));
        s.setTextMatrix(r, 8, r % 3 == 0 ? u"Bürobedarf Müller"_s : u"Bareinnahme"_s);
    }
}

void BM_PrintGridToPdf(benchmark::State &state)
{
    FlexGrid grid(nullptr, 2 + static_cast<int>(state.range(0)), 10, 2, 0);
    fillMonth(grid);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(u"monat.pdf"_s));
    for (auto _ : state) {
        const bool printed = PrintGrid(grid, printer, 20.0F, 10.0F, 0.0F, 10.0F, {}, {}, 0);
        benchmark::DoNotOptimize(printed);
    }
}
BENCHMARK(BM_PrintGridToPdf)->Arg(300)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fonts::installSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
