// Saving and loading a month file, against appending record by record with
// the file opened and closed each time, as saving used to work.
#include "books/MonthStorage.h"
#include "platform/FlexGridStore.h"
#include "storage/MonthDatabase.h"
#include "storage/SheetRecords.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {
const QString year = QStringLiteral("2021");
const QString month = QStringLiteral("03");
const modul::RateTexts rates = modul::defaultRateTexts();

// A sheet whose rows below the headings make `records` records.
FlexGridStore sheetOf(int records)
{
    FlexGridStore sheet(records + 1, 10, 2, 0);
    for (int c = 0; c < 3; ++c)
        sheet.setTextMatrix(1, c, rates[static_cast<size_t>(c)]);
    sheet.setTextMatrix(1, 6, QStringLiteral("2021-03"));
    sheet.setTextMatrix(2, 8, QStringLiteral("Übertrag"));
    for (int r = 3; r < sheet.rows() - 1; ++r) {
        sheet.setTextMatrix(r, r % 3, QStringLiteral("%1,95").arg(r * 7));
        sheet.setTextMatrix(r, 4, QStringLiteral("%1.%2,00").arg(r / 100 + 1).arg(r % 1000, 3, 10, QLatin1Char('0')));
        sheet.setTextMatrix(r, 5, QStringLiteral("4711"));
        sheet.setTextMatrix(r, 6, QString::number(r - 2));
        sheet.setTextMatrix(r, 7, QStringLiteral("%1.03.2021").arg(r % 28 + 1, 2, 10, QLatin1Char('0')));
        sheet.setTextMatrix(r, 8, QStringLiteral("Bürobedarf Nr. %1").arg(r));
    }
    return sheet;
}

// A program folder on the build's disk, not in /tmp, which may be memory.
QTemporaryDir programFolder()
{
    return QTemporaryDir(QDir::currentPath() + QStringLiteral("/bench-monthfile-XXXXXX"));
}

QString monthPath(const QTemporaryDir &dir)
{
    return dir.path() + QStringLiteral("/2021/2021-03.mdb");
}

bool saveMonth(const FlexGridStore &sheet, const QTemporaryDir &dir)
{
    return MonthStorage::save(MonthStorage::planSave(sheet, dir.path(), year, month)).isEmpty();
}

void BM_SaveMonth(benchmark::State &state)
{
    const QTemporaryDir dir = programFolder();
    const FlexGridStore sheet = sheetOf(static_cast<int>(state.range(0)));
    saveMonth(sheet, dir); // each timed save replaces a month and keeps its backup
    for (auto _ : state) {
        if (!saveMonth(sheet, dir))
            state.SkipWithError("save failed");
    }
}

void BM_LoadMonth(benchmark::State &state)
{
    const QTemporaryDir dir = programFolder();
    saveMonth(sheetOf(static_cast<int>(state.range(0))), dir);
    FlexGridStore sheet = sheetOf(10);
    for (auto _ : state) {
        if (!MonthStorage::loadMonth(sheet, dir.path(), year, month, rates).loaded)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(sheet.rows());
    }
}

void BM_SaveRecordByRecord(benchmark::State &state)
{
    const QTemporaryDir dir = programFolder();
    QDir(dir.path()).mkdir(year);
    const QString path = monthPath(dir);
    const Records records = SheetRecords::fromSheet(sheetOf(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        QFile::remove(path);
        MonthDatabase::interne_Datenbank(path);
        for (const Record &record : records) {
            if (!MonthDatabase::DatensatzAnfuegen(record, path, QStringLiteral("Journal")).ok())
                state.SkipWithError("append failed");
        }
    }
}

BENCHMARK(BM_SaveMonth)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond)->Repetitions(9);
BENCHMARK(BM_LoadMonth)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond)->Repetitions(9);
BENCHMARK(BM_SaveRecordByRecord)->Arg(300)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(BM_SaveRecordByRecord)->Arg(3000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// Prints as usual and keeps the medians, so that the run ends with the
// ratio of the old way of saving to the new one.
class MedianReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};
} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char *rows : {"300", "3000"}) {
        const auto oldWay = reporter.medians.find(std::string("BM_SaveRecordByRecord/") + rows);
        const auto newWay = reporter.medians.find(std::string("BM_SaveMonth/") + rows);
        if (oldWay != reporter.medians.end() && newWay != reporter.medians.end() && newWay->second > 0)
            std::printf("%s rows: saving record by record takes %.1f times as long (median %.2f ms against %.2f ms)\n",
                        rows, oldWay->second / newWay->second, oldWay->second, newWay->second);
    }
    benchmark::Shutdown();
    return 0;
}
