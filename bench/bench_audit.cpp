// What the audit trail costs: a save that carries the change log on, the
// check of a long log at load, and how long the recovery file holds up a key.
#include "books/MonthAudit.h"
#include "books/MonthStorage.h"
#include "books/RecoveryFile.h"
#include "books/ui/CrashRecovery.h"
#include "mainwindow/ui/Form1.h"
#include "platform/FlexGridStore.h"
#include "platform/ui/FlexGrid.h"
#include "storage/MonthDatabase.h"
#include "storage/PosixFile.h"
#include "storage/SheetRecords.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {
const QString year = QStringLiteral("2021");
const QString month = QStringLiteral("03");
constexpr int MonthRows = 300;
constexpr int ChangedCells = 10;

// A month of `rows` sheet rows below the headings, every cell filled.
void fill(FlexGridStore &sheet, int rows)
{
    sheet.setRows(rows + 1);
    sheet.setTextMatrix(1, 0, QStringLiteral("19%"));
    sheet.setTextMatrix(2, 4, QStringLiteral("1.000,00"));
    sheet.setTextMatrix(2, 8, QStringLiteral("Übertrag"));
    for (int r = 3; r <= rows; ++r) {
        sheet.setTextMatrix(r, r % 3, QStringLiteral("%1,95").arg(r * 7));
        sheet.setTextMatrix(r, 5, QStringLiteral("4711"));
        sheet.setTextMatrix(r, 7, QStringLiteral("%1.03.2021").arg(r % 28 + 1, 2, 10, QLatin1Char('0')));
        sheet.setTextMatrix(r, 8, QStringLiteral("Bürobedarf Nr. %1").arg(r));
    }
}

FlexGridStore monthSheet()
{
    FlexGridStore sheet(2, 10, 2, 0);
    fill(sheet, MonthRows);
    return sheet;
}

// A program folder on the build's disk, not in /tmp, which may be memory.
QTemporaryDir programFolder()
{
    return QTemporaryDir(QDir::currentPath() + QStringLiteral("/bench-audit-XXXXXX"));
}

QString monthPath(const QTemporaryDir &dir)
{
    return dir.path() + QStringLiteral("/2021/2021-03.mdb");
}

// The month saved once: its log holds every cell, 3,000 entries.
QByteArray savedMonth(const QTemporaryDir &dir)
{
    MonthStorage::save(MonthStorage::planSave(monthSheet(), dir.path(), year, month));
    QFile file(monthPath(dir));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BM_SaveWithLog(benchmark::State &state)
{
    const QTemporaryDir dir = programFolder();
    const QByteArray before = savedMonth(dir);
    FlexGridStore changed = monthSheet();
    for (int i = 0; i < ChangedCells; ++i)
        changed.setTextMatrix(10 + i * 20, 8, QStringLiteral("Berichtigt %1").arg(i));
    const QByteArray path = QFile::encodeName(monthPath(dir));
    for (auto _ : state) {
        state.PauseTiming();
        PosixFile::replaceFile(path, before);
        state.ResumeTiming();
        const MonthStorage::SavePlan plan = MonthStorage::planSave(changed, dir.path(), year, month);
        if (!MonthStorage::save(plan).isEmpty())
            state.SkipWithError("save failed");
    }
}

void BM_VerifyChain(benchmark::State &state)
{
    const Records records = SheetRecords::fromSheet(monthSheet());
    ChangeLog::Entries log;
    ChangeLog::append(log, ChangeLog::diff({}, records), QStringLiteral("2021-03-31T18:00:00.000+02:00"));
    for (auto _ : state) {
        if (ChangeLog::verify(log, records))
            state.SkipWithError("the chain did not verify");
    }
    state.counters["entries"] = static_cast<double>(log.size());
}

void BM_ReadAndCheckMonth(benchmark::State &state)
{
    const QTemporaryDir dir = programFolder();
    savedMonth(dir);
    for (auto _ : state) {
        MonthContents contents;
        if (!MonthDatabase::readMonth(monthPath(dir), contents).ok()
            || !MonthAudit::intact(MonthAudit::check(contents)))
            state.SkipWithError("the month did not read intact");
    }
}

// What a key waits for when the recovery file is due: the snapshot of the
// sheet, its comparison and the hand-off to the writer thread, which then
// writes while the next keys come in.
void BM_RecoveryHoldsUpAKey(benchmark::State &state)
{
    QTemporaryDir dir = programFolder();
    Form1 form(dir.path());
    form.Form_Load();
    FlexGridStore &sheet = form.flex->store();
    fill(sheet, MonthRows);
    form.crashRecovery().sheetMatchesFile();
    std::vector<qint64> times;
    int turn = 0;
    for (auto _ : state) {
        sheet.setTextMatrix(150, 8, QStringLiteral("Eingabe %1").arg(++turn));
        QElapsedTimer timer;
        timer.start();
        form.crashRecovery().keepUp();
        times.push_back(timer.nsecsElapsed());
    }
    form.crashRecovery().settle();
    std::sort(times.begin(), times.end());
    const auto at = [&times](double share) {
        return static_cast<double>(times[static_cast<size_t>(share * static_cast<double>(times.size() - 1))]);
    };
    state.counters["median_us"] = at(0.5) / 1e3;
    state.counters["p99_us"] = at(0.99) / 1e3;
    state.counters["longest_us"] = at(1.0) / 1e3;
}

// The writer thread's part, for comparison: encoding and the durable write.
void BM_RecoveryFileWrite(benchmark::State &state)
{
    const QTemporaryDir dir = programFolder();
    const RecoveryFile::Snapshot snapshot{year, month, QStringLiteral("2021-03-31T18:00:00.000+02:00"),
                                          RecoveryFile::sheetRows(monthSheet())};
    const QByteArray path = QFile::encodeName(RecoveryFile::path(dir.path()));
    for (auto _ : state) {
        if (PosixFile::replaceFile(path, RecoveryFile::encode(snapshot)) != 0)
            state.SkipWithError("write failed");
    }
}

BENCHMARK(BM_SaveWithLog)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_VerifyChain)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadAndCheckMonth)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_RecoveryHoldsUpAKey)->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_RecoveryFileWrite)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
