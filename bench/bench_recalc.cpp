// One full recalculation, the balance walk and the totals, as it runs after
// every key press in the editor box, and its floor: one pass over the same
// texts (floor/FloorSheet). Measure in a release build; bench/ratios.sh
// runs both in turns and prints their ratio.
#include "editing/GermanNumbers.h"
#include "editing/Modul.h"
#include "floor/FloorSheet.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>
#include <QStringList>

namespace {

// A month of the given number of entry rows as a cash book holds it: daily
// takings at 19 % and 7 %, now and then an expense, a few large amounts,
// an unbroken receipt chain, and the empty new-entry row at the end.
FlexGridStore monthSheet(int entryRows)
{
    const int rows = entryRows + 4;
    FlexGridStore sheet(rows, 10, 2, 0);
    const QStringList headings = {QStringLiteral("Einnahmen"), QStringLiteral("Einnahmen"), QStringLiteral("Einnahmen"),
                                  QStringLiteral("Ausgaben"),  QStringLiteral("Bestand"),   QStringLiteral("Konto"),
                                  QStringLiteral("Beleg-Nr"),  QStringLiteral("Datum"),     QStringLiteral("Text")};
    for (int c = 0; c < headings.size(); ++c)
        sheet.setTextMatrix(0, c, headings[c]);
    sheet.setTextMatrix(1, 0, QStringLiteral("19%"));
    sheet.setTextMatrix(1, 1, QStringLiteral("7%"));
    sheet.setTextMatrix(1, 2, QStringLiteral("0%"));
    sheet.setTextMatrix(1, 6, QStringLiteral("2026-03"));
    sheet.setTextMatrix(2, 4, QStringLiteral("1.500,00"));
    sheet.setTextMatrix(2, 6, QStringLiteral("100"));
    sheet.setTextMatrix(2, 8, QStringLiteral("Übertrag"));
    QRandomGenerator random(42);
    for (int i = 3; i < rows - 1; ++i) {
        const qint64 cents =
            random.bounded(qint64(100), random.bounded(50) == 0 ? qint64(200'000'000) : qint64(90'000));
        const int kind = random.bounded(4);
        sheet.setTextMatrix(i, kind == 3 ? modul::ColAusgaben : kind, German::formatCents(cents));
        sheet.setTextMatrix(i, 5, QStringLiteral("1000"));
        sheet.setTextMatrix(i, 7, QStringLiteral("%1.03.2026").arg(1 + i % 28));
        sheet.setTextMatrix(i, 8, kind == 3 ? QStringLiteral("Wareneinkauf") : QStringLiteral("Tageseinnahmen"));
    }
    return sheet;
}

// As the editor runs it after every key: the balance walk and the totals.
void recalculate(FlexGridStore &sheet, FlexGridStore &totals)
{
    modul::BestandUndSummenBerechnen(sheet, totals);
}

// The common case: one key press changed nothing the walk derives, so every
// balance and receipt number is read, computed and found equal.
void BM_RecalcUnchanged(benchmark::State &state)
{
    const int entryRows = static_cast<int>(state.range(0));
    FlexGridStore sheet = monthSheet(entryRows);
    FlexGridStore totals(6, 3, 1, 1);
    recalculate(sheet, totals);
    for (auto _ : state) {
        recalculate(sheet, totals);
        benchmark::DoNotOptimize(totals.textMatrix(5, 2).data());
    }
    state.counters["cells"] =
        benchmark::Counter(double(sheet.rows()) * sheet.cols(),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The worst case: the carry-over changes, so every balance cell is rewritten.
void BM_RecalcCarryOverChanged(benchmark::State &state)
{
    const int entryRows = static_cast<int>(state.range(0));
    FlexGridStore sheet = monthSheet(entryRows);
    FlexGridStore totals(6, 3, 1, 1);
    const QString carryOver[2] = {QStringLiteral("1.500,00"), QStringLiteral("1.500,01")};
    int flip = 0;
    for (auto _ : state) {
        sheet.setTextMatrix(2, modul::ColBestand, carryOver[flip ^= 1]);
        recalculate(sheet, totals);
        benchmark::DoNotOptimize(totals.textMatrix(5, 2).data());
    }
    state.counters["cells"] =
        benchmark::Counter(double(sheet.rows()) * sheet.cols(),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The floor of the worst case, checked once against Barlog's result for
// both carry-over texts.
void BM_FloorRecalcCarryOverChanged(benchmark::State &state)
{
    const int entryRows = static_cast<int>(state.range(0));
    FlexGridStore sheet = monthSheet(entryRows);
    FlexGridStore totals(6, 3, 1, 1);
    FloorSheet floor(sheet);
    const QString carryOver[2] = {QStringLiteral("1.500,00"), QStringLiteral("1.500,01")};
    for (const QString &text : carryOver) {
        sheet.setTextMatrix(2, modul::ColBestand, text);
        floor.set(2, modul::ColBestand, text);
        recalculate(sheet, totals);
        floor.recalculate();
        if (const QStringList differences = floor.differences(sheet, totals); !differences.isEmpty()) {
            state.SkipWithError(qPrintable(QStringLiteral("the floor differs: ") + differences.first()));
            return;
        }
    }
    int flip = 0;
    for (auto _ : state) {
        floor.set(2, modul::ColBestand, carryOver[flip ^= 1]);
        floor.recalculate();
        benchmark::DoNotOptimize(floor.cell(5, 4).data());
    }
}

} // namespace

// bench/ratios.sh asks for repetitions itself.
BENCHMARK(BM_RecalcUnchanged)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecalcCarryOverChanged)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloorRecalcCarryOverChanged)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
