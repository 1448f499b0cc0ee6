// Saving and loading a month file, against appending record by record with
// the file opened and closed each time, as saving used to work. The floors
// of saving and loading are below, each checked once against Barlog's file
// or sheet.
#include "books/MonthStorage.h"
#include "editing/SheetLayout.h"
#include "platform/FlexGridStore.h"
#include "storage/MonthDatabase.h"
#include "storage/SheetRecords.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
#include <string_view>
#include <unistd.h>

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

// The floors of saving and loading: SQLite through its C interface on the
// same table shape, texts as the UTF-8 bytes SQLite takes and gives.
struct Db
{
    explicit Db(const QByteArray &path, int flags)
    {
        sqlite3_open_v2(path.constData(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    }
    ~Db() { sqlite3_close(db); }
    Db(const Db &) = delete;
    Db &operator=(const Db &) = delete;
    sqlite3 *db = nullptr;
};

struct Statement
{
    Statement(sqlite3 *db, const char *sql) { sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr); }
    ~Statement() { sqlite3_finalize(stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    sqlite3_stmt *stmt = nullptr;
};

int syncPath(const QByteArray &path, int flags)
{
    const int fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return err;
}

// Save, journal only: the sheet's rows below the headings up to its last
// entry into a new file
// of the same table, synced, renamed over the month and the folder synced.
bool floorSave(const FlexGridStore &sheet, const QTemporaryDir &dir)
{
    const QByteArray path = QFile::encodeName(monthPath(dir));
    const QByteArray temp = path + ".floor-tmp";
    {
        Db file(temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        sqlite3_exec(file.db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;", nullptr, nullptr, nullptr);
        const QByteArray setup = QStringLiteral("BEGIN; PRAGMA application_id = %1; PRAGMA user_version = %2; %3;")
                                     .arg(JournalTable::applicationId)
                                     .arg(JournalTable::userVersion)
                                     .arg(JournalTable::createTableSql())
                                     .toUtf8();
        if (sqlite3_exec(file.db, setup.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
        Statement insert(file.db, "INSERT INTO \"Journal\" VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
        // The rows after the last entry, the empty new-entry row among them, book nothing.
        int last = sheet.rows() - 1;
        while (last > modul::RowUebertrag && !modul::holdsEntry(sheet, last))
            --last;
        QByteArray utf8;
        for (int r = 1; r <= last; ++r) {
            sqlite3_reset(insert.stmt);
            for (int c = 0; c < JournalTable::fieldCount; ++c) {
                const QString &text = sheet.textMatrix(r, c);
                if (text.isEmpty())
                    sqlite3_bind_text(insert.stmt, c + 1, " ", 1, SQLITE_STATIC);
                else
                    utf8 = text.toUtf8(), sqlite3_bind_text(insert.stmt, c + 1, utf8.constData(),
                                                            static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
            }
            if (sqlite3_step(insert.stmt) != SQLITE_DONE)
                return false;
        }
        if (sqlite3_exec(file.db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
    }
    return syncPath(temp, O_RDONLY) == 0 && ::rename(temp.constData(), path.constData()) == 0
           && syncPath(QFile::encodeName(dir.path() + QStringLiteral("/2021")), O_RDONLY | O_DIRECTORY) == 0;
}

// The journal table's fields as stored, row by row; NULL as a null text.
QList<QStringList> journalOf(const QString &path)
{
    QList<QStringList> rows;
    Db file(QFile::encodeName(path), SQLITE_OPEN_READONLY);
    Statement select(file.db, "SELECT * FROM \"Journal\" ORDER BY rowid");
    while (sqlite3_step(select.stmt) == SQLITE_ROW) {
        QStringList row;
        for (int c = 0; c < sqlite3_column_count(select.stmt); ++c) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(select.stmt, c));
            row << (text ? QString::fromUtf8(text, sqlite3_column_bytes(select.stmt, c)) : QString());
        }
        rows << row;
    }
    return rows;
}

void BM_FloorSaveMonth(benchmark::State &state)
{
    const QTemporaryDir barlog = programFolder();
    const QTemporaryDir dir = programFolder();
    QDir(dir.path()).mkdir(year);
    const FlexGridStore sheet = sheetOf(static_cast<int>(state.range(0)));
    if (!saveMonth(sheet, barlog) || !floorSave(sheet, dir)
        || journalOf(monthPath(barlog)) != journalOf(monthPath(dir))) {
        state.SkipWithError("the floor's journal differs");
        return;
    }
    for (auto _ : state) {
        if (!floorSave(sheet, dir))
            state.SkipWithError("save failed");
    }
}

// Load, journal only: the records' texts into the cells below the headings,
// a stored blank as an empty cell.
std::vector<QString> floorLoad(const QString &path)
{
    Db file(QFile::encodeName(path), SQLITE_OPEN_READONLY);
    Statement select(file.db, "SELECT * FROM \"Journal\" ORDER BY rowid");
    std::vector<QString> cells(static_cast<size_t>(JournalTable::fieldCount)); // the heading row stays
    while (sqlite3_step(select.stmt) == SQLITE_ROW) {
        for (int c = 0; c < JournalTable::fieldCount; ++c) {
            const int length = sqlite3_column_bytes(select.stmt, c);
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(select.stmt, c));
            cells.push_back(length == 0 || (length == 1 && text[0] == ' ') ? QString()
                                                                           : QString::fromUtf8(text, length));
        }
    }
    cells.resize(cells.size() + JournalTable::fieldCount); // the new-entry row
    return cells;
}

// The cells a load leaves differing from Barlog's sheet, as a count.
int loadDifferences(const std::vector<QString> &cells, const FlexGridStore &sheet)
{
    if (static_cast<int>(cells.size()) != sheet.rows() * JournalTable::fieldCount)
        return -1;
    int differing = 0;
    for (int r = 1; r < sheet.rows(); ++r) {
        for (int c = 0; c < JournalTable::fieldCount; ++c)
            differing += cells[static_cast<size_t>(r * JournalTable::fieldCount + c)] == sheet.textMatrix(r, c) ? 0 : 1;
    }
    return differing;
}

// Load with the chain check: the journal as above, its fields kept as bytes
// too; each log entry hashed from its stored bytes with libcrypto's SHA-256
// onto the one before and compared with its stored hash; the entries
// replayed onto an empty month, each old text checked, and the result
// compared with the journal. A cell no entry wrote is empty: the blank of a
// new row's empty cell is not logged.
class FloorLogCheck
{
public:
    FloorLogCheck() = default;
    ~FloorLogCheck()
    {
        EVP_MD_CTX_free(m_context);
        EVP_MD_free(m_sha256);
    }
    FloorLogCheck(const FloorLogCheck &) = delete;
    FloorLogCheck &operator=(const FloorLogCheck &) = delete;

    // Empty when the log is intact and describes the journal.
    QString load(const QString &path, std::vector<QString> &cells)
    {
        m_arena.clear();
        m_journal.clear();
        m_replay.clear();
        Db file(QFile::encodeName(path), SQLITE_OPEN_READONLY);
        {
            Statement select(file.db, "SELECT * FROM \"Journal\" ORDER BY rowid");
            cells.assign(static_cast<size_t>(JournalTable::fieldCount), QString());
            while (sqlite3_step(select.stmt) == SQLITE_ROW) {
                for (int c = 0; c < JournalTable::fieldCount; ++c) {
                    const Span span = keep(select.stmt, c);
                    m_journal.push_back(span);
                    const char *text = m_arena.data() + span.offset;
                    cells.push_back(span.length == 0 || (span.length == 1 && text[0] == ' ')
                                        ? QString()
                                        : QString::fromUtf8(text, span.length));
                }
            }
            cells.resize(cells.size() + JournalTable::fieldCount);
        }
        Statement log(file.db, "SELECT \"Nr\", \"Zeit\", \"Zeile\", \"Spalte\", \"Alt\", \"Neu\", \"Hash\" FROM "
                               "\"Protokoll\" ORDER BY \"Nr\"");
        std::array<unsigned char, DigestSize> previous{};
        std::string bytes;
        for (qint64 expected = 1; sqlite3_step(log.stmt) == SQLITE_ROW; ++expected) {
            const qint64 number = sqlite3_column_int64(log.stmt, 0);
            const int row = sqlite3_column_int(log.stmt, 2);
            const int column = sqlite3_column_int(log.stmt, 3);
            if (number != expected)
                return QStringLiteral("entry %1 is missing").arg(expected);
            bytes.assign(reinterpret_cast<const char *>(previous.data()), previous.size());
            addNumber(bytes, static_cast<quint64>(number), 8);
            addText(bytes, log.stmt, 1);
            addNumber(bytes, static_cast<quint32>(row), 4);
            addNumber(bytes, static_cast<quint32>(column), 4);
            addCell(bytes, log.stmt, 4);
            addCell(bytes, log.stmt, 5);
            EVP_DigestInit_ex2(m_context, m_sha256, nullptr);
            EVP_DigestUpdate(m_context, bytes.data(), bytes.size());
            EVP_DigestFinal_ex(m_context, previous.data(), nullptr);
            if (!sameHex(previous, log.stmt, 6))
                return QStringLiteral("entry %1 breaks the chain").arg(number);
            if (row < 1 || column < 0 || column >= JournalTable::fieldCount)
                return QStringLiteral("entry %1 names no cell").arg(number);
            const size_t at = static_cast<size_t>(row - 1) * JournalTable::fieldCount + static_cast<size_t>(column);
            if (m_replay.size() <= at)
                m_replay.resize((at / JournalTable::fieldCount + 1) * JournalTable::fieldCount);
            if (!same(m_replay[at], log.stmt, 4) && !(!m_replay[at].present && isBlank(log.stmt, 4)))
                return QStringLiteral("entry %1 does not fit the ones before").arg(number);
            m_replay[at] = keep(log.stmt, 5);
        }
        // Rows of the replay past the journal must be empty, and every cell the same.
        const size_t count = std::max(m_replay.size(), m_journal.size());
        for (size_t i = 0; i < count; ++i) {
            const Span logged = i < m_replay.size() ? m_replay[i] : Span{};
            const Span stored = i < m_journal.size() ? m_journal[i] : Span{};
            if (!logged.present && stored.present && stored.length == 1 && m_arena[stored.offset] == ' ')
                continue;
            if (logged.present != stored.present || logged.length != stored.length
                || std::memcmp(m_arena.data() + logged.offset, m_arena.data() + stored.offset,
                               static_cast<size_t>(stored.length))
                       != 0)
                return QStringLiteral("the record of cell %1 differs from the log").arg(i);
        }
        return {};
    }

private:
    static constexpr size_t DigestSize = 32;
    struct Span
    {
        size_t offset = 0;
        int length = 0;
        bool present = false;
    };

    Span keep(sqlite3_stmt *stmt, int column)
    {
        if (sqlite3_column_type(stmt, column) == SQLITE_NULL)
            return {};
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
        const int length = sqlite3_column_bytes(stmt, column);
        const Span span{m_arena.size(), length, true};
        m_arena.append(text, static_cast<size_t>(length));
        return span;
    }
    bool same(const Span &cell, sqlite3_stmt *stmt, int column) const
    {
        if (sqlite3_column_type(stmt, column) == SQLITE_NULL)
            return !cell.present;
        const int length = sqlite3_column_bytes(stmt, column);
        return cell.present && cell.length == length
               && std::memcmp(m_arena.data() + cell.offset, sqlite3_column_text(stmt, column),
                              static_cast<size_t>(length))
                      == 0;
    }
    static bool isBlank(sqlite3_stmt *stmt, int column)
    {
        return sqlite3_column_type(stmt, column) != SQLITE_NULL && sqlite3_column_bytes(stmt, column) == 1
               && sqlite3_column_text(stmt, column)[0] == ' ';
    }
    static void addNumber(std::string &bytes, quint64 value, int width)
    {
        for (int i = width - 1; i >= 0; --i)
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    static void addText(std::string &bytes, sqlite3_stmt *stmt, int column)
    {
        const int length = sqlite3_column_bytes(stmt, column);
        addNumber(bytes, static_cast<quint32>(length), 4);
        bytes.append(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)), static_cast<size_t>(length));
    }
    static void addCell(std::string &bytes, sqlite3_stmt *stmt, int column)
    {
        const bool present = sqlite3_column_type(stmt, column) != SQLITE_NULL;
        bytes.push_back(present ? 1 : 0);
        if (present)
            addText(bytes, stmt, column);
    }
    static bool sameHex(const std::array<unsigned char, DigestSize> &digest, sqlite3_stmt *stmt, int column)
    {
        static constexpr char Digits[] = "0123456789abcdef";
        const auto *hex = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
        if (sqlite3_column_bytes(stmt, column) != 2 * static_cast<int>(DigestSize))
            return false;
        for (size_t i = 0; i < DigestSize; ++i) {
            if (hex[2 * i] != Digits[digest[i] >> 4] || hex[2 * i + 1] != Digits[digest[i] & 0xF])
                return false;
        }
        return true;
    }

    EVP_MD *m_sha256 = EVP_MD_fetch(nullptr, "SHA256", nullptr);
    EVP_MD_CTX *m_context = EVP_MD_CTX_new();
    std::string m_arena;
    std::vector<Span> m_journal;
    std::vector<Span> m_replay;
};

void BM_FloorLoadMonth(benchmark::State &state)
{
    const QTemporaryDir dir = programFolder();
    saveMonth(sheetOf(static_cast<int>(state.range(0))), dir);
    FlexGridStore sheet = sheetOf(10);
    MonthStorage::loadMonth(sheet, dir.path(), year, month, rates);
    if (loadDifferences(floorLoad(monthPath(dir)), sheet) != 0) {
        state.SkipWithError("the floor's cells differ");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(floorLoad(monthPath(dir)).size());
}

// A copy of the month whose log entry 7 has another new text.
QString tamperedCopy(const QTemporaryDir &dir)
{
    const QString copy = dir.path() + QStringLiteral("/tampered.mdb");
    QFile::copy(monthPath(dir), copy);
    Db file(QFile::encodeName(copy), SQLITE_OPEN_READWRITE);
    sqlite3_exec(file.db,
                 "DROP TRIGGER \"Protokoll_update\"; UPDATE \"Protokoll\" SET \"Neu\" = 'anders' WHERE \"Nr\" = 7;",
                 nullptr, nullptr, nullptr);
    return copy;
}

void BM_FloorLoadMonthWithLog(benchmark::State &state)
{
    const QTemporaryDir dir = programFolder();
    saveMonth(sheetOf(static_cast<int>(state.range(0))), dir);
    FlexGridStore sheet = sheetOf(10);
    MonthStorage::loadMonth(sheet, dir.path(), year, month, rates);
    FloorLogCheck check;
    std::vector<QString> cells;
    if (!check.load(monthPath(dir), cells).isEmpty() || loadDifferences(cells, sheet) != 0
        || check.load(tamperedCopy(dir), cells).isEmpty()) {
        state.SkipWithError("the floor's check or cells differ");
        return;
    }
    for (auto _ : state) {
        if (!check.load(monthPath(dir), cells).isEmpty())
            state.SkipWithError("the chain did not verify");
    }
}

BENCHMARK(BM_SaveMonth)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMonth)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorSaveMonth)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorLoadMonth)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorLoadMonthWithLog)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);
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
    // Another output format (bench/ratios.sh asks for CSV) goes without the summary.
    const bool console = std::none_of(
        argv + 1, argv + argc, [](const char *arg) { return std::string_view(arg).starts_with("--benchmark_format"); });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (!console) {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }
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
