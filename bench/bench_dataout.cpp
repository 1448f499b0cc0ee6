// Data out for a busy year: the year overview of twelve month files of 300
// rows opens (reads and computes), the year's 3,600 rows become one DATEV
// batch, and the year with 10,000 log entries and 250 counts becomes the
// tax audit's ZIP file. The first two have their floors below, checked
// against Barlog's result.
#include "books/CashCount.h"
#include "books/ChangeLog.h"
#include "books/MonthStorage.h"
#include "editing/GermanNumbers.h"
#include "editing/Modul.h"
#include "editing/VatSplit.h"
#include "exports/AuditExport.h"
#include "exports/DatevColumns.h"
#include "exports/DatevExport.h"
#include "exports/YearOverview.h"
#include "floor/FloorSheet.h"
#include "platform/FlexGridStore.h"
#include "storage/MonthFileWriter.h"
#include "storage/SheetRecords.h"
#include "storage/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstring>
#include <optional>
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

// A program folder with the year's twelve month files.
QTemporaryDir yearFolder(benchmark::State &state)
{
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-year-XXXXXX"));
    for (int m = 1; m <= 12; ++m) {
        const MonthStorage::SavePlan plan = MonthStorage::planSave(
            monthSheet(m), dir.path(), QString::number(Year), QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')));
        if (!MonthStorage::save(plan).isEmpty())
            state.SkipWithError("save failed");
    }
    return dir;
}

DatevSettings benchSettings()
{
    DatevSettings settings = DatevSettings::defaults();
    settings.beraternummer = QStringLiteral("29098");
    settings.mandantennummer = QStringLiteral("55003");
    return settings;
}

void BM_YearOverviewOpens(benchmark::State &state)
{
    const QTemporaryDir dir = yearFolder(state);
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
    const DatevSettings settings = benchSettings();
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

// The floor of the DATEV year: the same bytes written straight into one
// buffer sized up front, Windows-1252 as each character is copied, from the
// sheets' texts held in FloorSheets.
class FloorDatev
{
public:
    explicit FloorDatev(qsizetype capacity) : m_bytes(capacity, Qt::Uninitialized), m_out(m_bytes.data()) {}

    void ascii(const char *text, qsizetype length)
    {
        std::memcpy(m_out, text, static_cast<size_t>(length));
        m_out += length;
    }
    template <size_t N>
    void ascii(const char (&text)[N])
    {
        ascii(text, N - 1);
    }
    void byte(char c) { *m_out++ = c; }
    void number(qint64 value, int width = 1)
    {
        char digits[24];
        int n = 0;
        do {
            digits[n++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0 || n < width);
        while (n > 0)
            byte(digits[--n]);
    }
    // A character in Windows-1252, "?" where it has none.
    void character(char16_t u)
    {
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            byte(static_cast<char>(u));
            return;
        }
        static constexpr char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                              0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                              0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                              0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
        for (int i = 0; i < 32; ++i) {
            if (high[i] == u) {
                byte(static_cast<char>(0x80 + i));
                return;
            }
        }
        byte('?');
    }
    void text(QStringView s)
    {
        for (QChar c : s)
            character(c.unicode());
    }
    // In quotes, inner quotes doubled.
    void quoted(QStringView s)
    {
        byte('"');
        for (QChar c : s) {
            if (c == u'"')
                byte('"');
            character(c.unicode());
        }
        byte('"');
    }
    void separator() { byte(';'); }
    void lineEnd() { ascii("\r\n"); }
    QByteArray finish()
    {
        m_bytes.truncate(m_out - m_bytes.data());
        return std::move(m_bytes);
    }

private:
    QByteArray m_bytes;
    char *m_out;
};

struct FloorMonth
{
    FloorSheet sheet;
    int month;
};

// A display-format amount in cents.
qint64 floorCents(const QString &text)
{
    qint64 value = 0;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            value = value * 10 + (c.unicode() - u'0');
    }
    return !text.isEmpty() && text.front() == u'-' ? -value : value;
}

QByteArray floorDatevYear(const DatevSettings &s, const std::vector<FloorMonth> &months, const QDateTime &created)
{
    constexpr qsizetype LongestLine = 512; // 124 separators and the filled fields
    constexpr qsizetype HeaderRoom = 8192;
    qsizetype rows = 0;
    for (const FloorMonth &m : months)
        rows += m.sheet.rows();
    FloorDatev out(HeaderRoom + rows * modul::RateCount * LongestLine);
    const auto field = [&out](const QString &value) {
        out.text(value);
        out.separator();
    };
    out.ascii("\"EXTF\";700;21;\"Buchungsstapel\";13;");
    const QDate day = created.date();
    const QTime time = created.time();
    out.number(day.year(), 4);
    out.number(day.month(), 2);
    out.number(day.day(), 2);
    out.number(time.hour(), 2);
    out.number(time.minute(), 2);
    out.number(time.second(), 2);
    out.number(time.msec(), 3);
    out.ascii(";;\"RE\";\"\";\"\";");
    field(s.beraternummer);
    field(s.mandantennummer);
    out.number(Year);
    out.ascii("0101;");
    field(s.sachkontenlaenge);
    out.number(Year);
    out.ascii("0101;");
    out.number(Year);
    out.ascii("1231;\"Kassenbuch ");
    out.number(Year);
    out.ascii("\";\"\";1;0;0;\"EUR\";;\"\";;;\"");
    out.text(s.kontenrahmen.right(2));
    out.ascii("\";;;\"\";\"\"");
    out.lineEnd();
    for (int c = 0; c < DatevColumns::Count; ++c) {
        if (c > 0)
            out.separator();
        out.text(QStringView(DatevColumns::headings[static_cast<size_t>(c)]));
    }
    out.lineEnd();
    const QString taxKey = s.buSchluessel;
    for (const FloorMonth &m : months) {
        const FloorSheet &sheet = m.sheet;
        for (int r = modul::FirstEntryRow; r < sheet.rows(); ++r) {
            std::array<qint64, 4> amounts{};
            bool any = false;
            for (int c = 0; c < 4; ++c) {
                amounts[static_cast<size_t>(c)] = floorCents(sheet.cell(r, c));
                any = any || amounts[static_cast<size_t>(c)] != 0;
            }
            if (!any)
                continue;
            // "d.M.yyyy": the day and the month before the year.
            std::array<int, 2> dayMonth{};
            size_t part = 0;
            for (QChar ch : sheet.cell(r, modul::ColDatum)) {
                if (ch == u'.' && ++part == dayMonth.size())
                    break;
                if (ch != u'.')
                    dayMonth[part] = dayMonth[part] * 10 + (ch.unicode() - u'0');
            }
            const QString &receipt = sheet.cell(r, modul::ColBeleg);
            const QString text = sheet.cell(r, modul::ColText).simplified().left(60).trimmed();
            for (int c = 0; c < 4; ++c) {
                const qint64 cents = amounts[static_cast<size_t>(c)];
                if (cents == 0)
                    continue;
                const bool income = c < modul::RateCount;
                const qint64 magnitude = cents < 0 ? -cents : cents;
                out.number(magnitude / 100);
                out.byte(',');
                out.number(magnitude % 100, 2);
                out.ascii(income == (cents > 0) ? ";\"S\";\"EUR\";;;;" : ";\"H\";\"EUR\";;;;");
                field(s.kasse);
                field(income ? s.erloeskonten[static_cast<size_t>(c)] : s.aufwandskonto);
                out.quoted(income ? QStringView() : QStringView(taxKey));
                out.separator();
                out.number(dayMonth[0], 2);
                out.number(dayMonth[1], 2);
                out.ascii(";\"");
                int kept = 0;
                for (QChar ch : receipt) {
                    const char16_t u = ch.unicode();
                    if (kept < 36
                        && ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9')
                            || QStringView(u"$&%*+-/_").contains(ch))) {
                        out.character(u);
                        ++kept;
                    }
                }
                out.ascii("\";;;");
                out.quoted(text);
                for (int f = DatevColumns::Buchungstext; f < DatevColumns::Count - 1; ++f)
                    out.separator();
                out.lineEnd();
            }
        }
    }
    return out.finish();
}

void BM_FloorDatevYear(benchmark::State &state)
{
    std::vector<FlexGridStore> sheets;
    std::vector<FloorMonth> floorMonths;
    std::vector<DatevExport::MonthSheet> months;
    for (int m = 1; m <= 12; ++m)
        sheets.push_back(monthSheet(m));
    for (int m = 1; m <= 12; ++m) {
        months.push_back({&sheets[static_cast<size_t>(m - 1)], Year, m});
        floorMonths.push_back({FloorSheet(sheets[static_cast<size_t>(m - 1)]), m});
    }
    const DatevSettings settings = benchSettings();
    const QDateTime created(QDate(Year, 12, 31), QTime(12, 0));
    if (DatevExport::write(settings, DatevExport::yearPeriod(Year), months, created).bytes
        != floorDatevYear(settings, floorMonths, created)) {
        state.SkipWithError("the floor's file differs");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(floorDatevYear(settings, floorMonths, created).size());
}

// The floor of the year overview: each month file opened read-only, the five
// amount columns read as UTF-8 bytes and added up in one pass, the same
// table made from the sums.
struct FloorMonthSums
{
    bool present = false;
    std::array<QString, modul::RateCount> rates;
    std::array<qint64, modul::RateCount> income{};
    qint64 expenses = 0;
    std::optional<qint64> closing;
};

qint64 utf8Cents(const unsigned char *text, int length)
{
    qint64 value = 0;
    for (int i = 0; i < length; ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            value = value * 10 + (text[i] - '0');
    }
    return length > 0 && text[0] == '-' ? -value : value;
}

FloorMonthSums floorMonthSums(const QString &path)
{
    FloorMonthSums sums;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        sqlite3_close(db);
        return sums;
    }
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT \"Einnahmen1\", \"Einnahmen2\", \"Einnahmen3\", \"Ausgaben\", \"Bestand\" FROM "
                       "\"Journal\" ORDER BY rowid",
                       -1, &stmt, nullptr);
    std::vector<std::array<qint64, 4>> rows;
    qint64 carryOver = 0;
    for (int record = 0; sqlite3_step(stmt) == SQLITE_ROW; ++record) {
        const auto column = [stmt](int i) {
            return utf8Cents(sqlite3_column_text(stmt, i), sqlite3_column_bytes(stmt, i));
        };
        if (record == 0) {
            for (int c = 0; c < modul::RateCount; ++c)
                sums.rates[static_cast<size_t>(c)] = QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)), sqlite3_column_bytes(stmt, c));
            continue;
        }
        if (record == 1)
            carryOver = column(modul::ColBestand);
        rows.push_back({column(0), column(1), column(2), column(3)});
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    sums.present = true;
    // The sheet: the carry-over row, the entry rows, the empty new-entry
    // row; each entry row's balance is the one above plus its amounts.
    rows.push_back({});
    qint64 balance = carryOver;
    for (size_t i = 0; i < rows.size(); ++i) {
        std::array<qint64, 4> &a = rows[i];
        const bool entry = i > 0 && i + 1 < rows.size();
        if (entry && (a[1] != 0 || a[2] > 0))
            a[3] = 0;
        if (entry)
            balance += a[0] + a[1] + a[2] - a[3];
        for (size_t c = 0; c < modul::RateCount; ++c)
            sums.income[c] += a[c];
        sums.expenses += a[3];
    }
    if (rows.size() >= 3)
        sums.closing = balance;
    return sums;
}

QList<QStringList> floorYearOverview(const QString &folder)
{
    std::array<FloorMonthSums, 12> months;
    for (int m = 1; m <= 12; ++m)
        months[static_cast<size_t>(m - 1)] =
            floorMonthSums(QStringLiteral("%1/%2/%2-%3.mdb").arg(folder).arg(Year).arg(m, 2, 10, QLatin1Char('0')));
    // Every month has the three rates of the first, highest first already.
    std::array<int, modul::RateCount> rates{};
    QStringList head{QStringLiteral("Monat")};
    QStringList parts{QString()};
    for (int c = 0; c < modul::RateCount; ++c) {
        rates[static_cast<size_t>(c)] = *modul::rateOf(months[0].rates[static_cast<size_t>(c)]);
        const QString label = months[0].rates[static_cast<size_t>(c)];
        for (const char *part : {"Brutto", "Netto", "USt"})
            parts << QLatin1StringView(part) + u' ' + label;
        head << QStringLiteral("Einnahmen") << QStringLiteral("Einnahmen") << QStringLiteral("Einnahmen");
    }
    head << QStringLiteral("Ausgaben") << QStringLiteral("Bestand");
    parts << QString() << QString();
    QList<QStringList> table{head, parts};
    std::array<modul::VatSplit, modul::RateCount> year{};
    std::array<qint64, modul::RateCount> yearGross{};
    qint64 yearExpenses = 0;
    std::optional<qint64> yearClosing;
    for (int m = 1; m <= 12; ++m) {
        const FloorMonthSums &sums = months[static_cast<size_t>(m - 1)];
        QStringList row{YearOverview::monthName(m)};
        for (size_t c = 0; c < modul::RateCount; ++c) {
            const modul::VatSplit split = modul::splitGross(sums.income[c], rates[c]);
            row << German::formatCents(sums.income[c]) << German::formatCents(split.net)
                << German::formatCents(split.vat);
            yearGross[c] += sums.income[c];
            year[c].net += split.net;
            year[c].vat += split.vat;
        }
        row << German::formatCents(sums.expenses) << German::formatCents(*sums.closing);
        yearExpenses += sums.expenses;
        yearClosing = sums.closing;
        table << row;
    }
    QStringList yearRow{QStringLiteral("Jahr %1").arg(Year)};
    for (size_t c = 0; c < modul::RateCount; ++c)
        yearRow << German::formatCents(yearGross[c]) << German::formatCents(year[c].net)
                << German::formatCents(year[c].vat);
    yearRow << German::formatCents(yearExpenses) << German::formatCents(*yearClosing);
    table << yearRow;
    return table;
}

void BM_FloorYearOverviewOpens(benchmark::State &state)
{
    const QTemporaryDir dir = yearFolder(state);
    if (YearOverview::table(YearOverview::read(dir.path(), Year)) != floorYearOverview(dir.path())) {
        state.SkipWithError("the floor's table differs");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(floorYearOverview(dir.path()).size());
}
} // namespace

BENCHMARK(BM_YearOverviewOpens)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DatevYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AuditExportYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorYearOverviewOpens)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorDatevYear)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
