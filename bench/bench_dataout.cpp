// Data out for a busy year: the year overview of twelve month files of 300
// rows opens (reads and computes), the year's 3,600 rows become one DATEV
// batch, and the year with 10,000 log entries and 250 counts becomes the
// tax audit's ZIP file.
#include "books/CashCount.h"
#include "books/ChangeLog.h"
#include "books/MonthStorage.h"
#include "editing/Modul.h"
#include "exports/AuditExport.h"
#include "exports/DatevExport.h"
#include "exports/YearOverview.h"
#include "platform/FlexGridStore.h"
#include "storage/MonthFileWriter.h"
#include "storage/SheetRecords.h"
#include "storage/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

namespace {
constexpr int Year = 2026;
constexpr int RowsPerMonth = 300;

// A recalculated month of entries spread over the income columns and the
// expense, each dated in its month.
FlexGridStore monthSheet(int month)
{
    const modul::RateTexts rates = modul::defaultRateTexts();
    FlexGridStore sheet(modul::FirstEntryRow + RowsPerMonth + 1, modul::ColCount, 2, 0);
    for (int c = 0; c < modul::RateCount; ++c)
        sheet.setTextMatrix(modul::RowRates, c, rates[static_cast<size_t>(c)]);
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColBestand, QStringLiteral("1.000,00"));
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColText, QStringLiteral("Übertrag"));
    for (int i = 0; i < RowsPerMonth; ++i) {
        const int r = modul::FirstEntryRow + i;
        sheet.setTextMatrix(r, i % 4, QStringLiteral("%1,95").arg(i % 97 + 1));
        sheet.setTextMatrix(r, modul::ColBeleg, QString::number(i + 1));
        sheet.setTextMatrix(r, modul::ColDatum,
                            QStringLiteral("%1.%2.%3").arg(i % 28 + 1, 2, 10, QLatin1Char('0')).arg(month).arg(Year));
        sheet.setTextMatrix(r, modul::ColText, QStringLiteral("Tageseinnahme Nr. %1 für Büro").arg(i));
    }
    modul::BestandBerechnen(sheet);
    return sheet;
}

void BM_YearOverviewOpens(benchmark::State &state)
{
    const QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-year-XXXXXX"));
    for (int m = 1; m <= 12; ++m) {
        const MonthStorage::SavePlan plan = MonthStorage::planSave(
            monthSheet(m), dir.path(), QString::number(Year), QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')));
        if (!MonthStorage::save(plan).isEmpty())
            state.SkipWithError("save failed");
    }
    for (auto _ : state) {
        const YearOverview::Overview overview = YearOverview::read(dir.path(), Year);
        benchmark::DoNotOptimize(YearOverview::table(overview).size());
    }
}

void BM_DatevYear(benchmark::State &state)
{
    std::vector<FlexGridStore> sheets;
    for (int m = 1; m <= 12; ++m)
        sheets.push_back(monthSheet(m));
    std::vector<DatevExport::MonthSheet> months;
    for (int m = 1; m <= 12; ++m)
        months.push_back({&sheets[static_cast<size_t>(m - 1)], Year, m});
    DatevSettings settings = DatevSettings::defaults();
    settings.beraternummer = QStringLiteral("29098");
    settings.mandantennummer = QStringLiteral("55003");
    const QDateTime created(QDate(Year, 12, 31), QTime(12, 0));
    for (auto _ : state) {
        const DatevExport::Result result = DatevExport::write(settings, DatevExport::yearPeriod(Year), months, created);
        if (!result.ok())
            state.SkipWithError("refused");
        benchmark::DoNotOptimize(result.bytes.size());
    }
}

constexpr int LogEntriesPerMonth = 834; // 10,008 in the year
constexpr int CountsPerMonth = 21;      // 252 in the year

// A month file of 300 rows whose log holds edits of its texts and whose
// counts follow the log in the chain.
void writeAuditMonth(const QString &folder, int month)
{
    MonthContents file;
    file.logged = true;
    file.records = SheetRecords::fromSheet(monthSheet(month));
    std::vector<ChangeLog::Change> changes;
    for (int i = 0; i < LogEntriesPerMonth; ++i) {
        const int row = modul::FirstEntryRow + i % RowsPerMonth;
        changes.push_back({row, modul::ColText, QStringLiteral("Tageseinnahme %1").arg(i),
                           QStringLiteral("Tageseinnahme Nr. %1 für Büro; \"Kasse\"").arg(i)});
    }
    ChangeLog::append(file.log, changes,
                      QStringLiteral("%1-%2-28T18:00:00.000+01:00").arg(Year).arg(month, 2, 10, QLatin1Char('0')));
    ChangeLog::Link head = ChangeLog::chainHead(file.log, {});
    for (int i = 0; i < CountsPerMonth; ++i) {
        CashCount::Tally tally{};
        tally[static_cast<size_t>(i % CashCount::DenominationCount)] = i + 1;
        CashCount::Count count = CashCount::taken(tally, 100000, QStringLiteral("Anna Müller"),
                                                  QStringLiteral("Abendkasse"), file.log.back().time);
        ChangeLog::chain(count, head);
        head = {count.number, count.hash};
        file.counts.push_back(count);
    }
    const QString path = QStringLiteral("%1/%2/%2-%3.mdb").arg(folder).arg(Year).arg(month, 2, 10, QLatin1Char('0'));
    QDir().mkpath(QFileInfo(path).path());
    MonthFileWriter::write(path, file);
}

void BM_AuditExportYear(benchmark::State &state)
{
    const QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-audit-XXXXXX"));
    for (int m = 1; m <= 12; ++m)
        writeAuditMonth(dir.path(), m);
    const QDateTime created(QDate(Year + 1, 1, 15), QTime(9, 0));
    const QString target = dir.path() + QStringLiteral("/Betriebsprüfung.zip");
    for (auto _ : state) {
        const AuditYear::Year year = AuditYear::read(dir.path(), Year);
        const ZipArchive::Result zip = ZipArchive::pack(AuditExport::files(year, {}, created), created);
        if (!zip.ok() || !writeWholeFile(target, zip.bytes).isEmpty())
            state.SkipWithError("not written");
        if (year.months[0].file.log.size() != LogEntriesPerMonth)
            state.SkipWithError("log not read");
    }
}
} // namespace

BENCHMARK(BM_YearOverviewOpens)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DatevYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AuditExportYear)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
