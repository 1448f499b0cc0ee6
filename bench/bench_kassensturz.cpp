// What counting the drawer costs: opening the count window on a month with
// a hundred stored counts, and storing one more count into a month of 300
// rows whose change log holds 3,000 entries.
#include "books/CarryOver.h"
#include "books/CashCount.h"
#include "books/CashCountStore.h"
#include "books/MonthStorage.h"
#include "books/ui/Kassensturz.h"
#include "mainwindow/ui/Form1.h"
#include "platform/FlexGridStore.h"
#include "storage/MonthDatabase.h"
#include "storage/PosixFile.h"
#include "storage/SheetRecords.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
const QString year = QStringLiteral("2021");
const QString month = QStringLiteral("03");
const QString label = QStringLiteral("2021-03");
constexpr int MonthRows = 300;
constexpr int StoredCounts = 100;

// A month of 300 sheet rows below the headings, every entry row booked:
// saved once, its log holds every cell, 3,000 entries.
FlexGridStore monthSheet()
{
    FlexGridStore sheet(2, 10, 2, 0);
    sheet.setRows(MonthRows + 1);
    sheet.setTextMatrix(1, 0, QStringLiteral("19%"));
    sheet.setTextMatrix(2, 4, QStringLiteral("1.000,00"));
    sheet.setTextMatrix(2, 8, QStringLiteral("Übertrag"));
    for (int r = 3; r <= MonthRows; ++r) {
        sheet.setTextMatrix(r, r % 3, QStringLiteral("%1,95").arg(r * 7));
        sheet.setTextMatrix(r, 7, QStringLiteral("%1.03.2021").arg(r % 28 + 1, 2, 10, QLatin1Char('0')));
        sheet.setTextMatrix(r, 8, QStringLiteral("Bürobedarf Nr. %1").arg(r));
    }
    return sheet;
}

// A program folder on the build's disk, not in /tmp, which may be memory.
QTemporaryDir programFolder()
{
    return QTemporaryDir(QDir::currentPath() + QStringLiteral("/bench-count-XXXXXX"));
}

QString monthPath(const QTemporaryDir &dir)
{
    return dir.path() + QStringLiteral("/2021/2021-03.mdb");
}

// The month saved, and the count that matches its balance.
CashCount::Count savedMonth(const QTemporaryDir &dir)
{
    MonthStorage::save(MonthStorage::planSave(monthSheet(), dir.path(), year, month));
    MonthContents file;
    MonthDatabase::readMonth(monthPath(dir), file);
    CashCount::Tally pieces{};
    pieces[0] = 3;
    const qint64 balance = CarryOver::closingOf(file.records, modul::defaultRateTexts()).balance;
    return CashCount::taken(pieces, balance, QStringLiteral("Anna"), QStringLiteral("Schicht"), {});
}

void BM_StoreCount(benchmark::State &state)
{
    const QTemporaryDir dir = programFolder();
    const CashCount::Count count = savedMonth(dir);
    QFile file(monthPath(dir));
    const QByteArray before = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QByteArray path = QFile::encodeName(monthPath(dir));
    for (auto _ : state) {
        state.PauseTiming();
        PosixFile::replaceFile(path, before);
        state.ResumeTiming();
        const CashCountStore::Result result =
            CashCountStore::store(dir.path(), monthPath(dir), label, count, modul::defaultRateTexts());
        if (!result.ok())
            state.SkipWithError(qPrintable(result.message));
    }
}

// The main window shows the month; the window is opened and closed again.
void BM_OpenWindowWith100Counts(benchmark::State &state)
{
    const QTemporaryDir dir = programFolder();
    const CashCount::Count count = savedMonth(dir);
    for (int i = 0; i < StoredCounts; ++i)
        CashCountStore::store(dir.path(), monthPath(dir), label, count, modul::defaultRateTexts());
    Form1 form(dir.path());
    form.Form_Load();
    form.Combo2->setEditText(year);
    form.Combo1->setEditText(month);
    form.Command8_Click();
    for (auto _ : state) {
        form.Kassensturz_Click();
        QApplication::processEvents();
        form.kassensturz()->hide();
    }
    state.counters["counts"] = static_cast<double>(form.kassensturz()->storedCounts->rowCount());
}

BENCHMARK(BM_StoreCount)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenWindowWith100Counts)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace
