#include "books/ChangeLog.h"

#include "platform/Clock.h"

#include <QDateTime>
#include <QStringEncoder>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>

#include <openssl/evp.h>

namespace ChangeLog {
namespace {

constexpr int Fields = JournalTable::fieldCount;
constexpr size_t DigestSize = 32;
constexpr qsizetype HashHexLength = 2 * DigestSize;
// A missing cell is told apart from every text, the empty one included.
constexpr char Absent = 0;
constexpr char Present = 1;

const QByteArray &blankUtf8()
{
    static const QByteArray blank = JournalTable::blankCell().toUtf8();
    return blank;
}

bool isBlank(const QString &text)
{
    static const QString blank = JournalTable::blankCell();
    return text == blank;
}

// The cell a new row is made with where it is left empty: no entry logs it.
bool madeBlank(const Cell &old, const Cell &now)
{
    return !old && now && isBlank(*now);
}

Cell cellOf(const Records &records, size_t row, int column)
{
    if (row >= records.size() || column >= records[row].size())
        return std::nullopt;
    const QString &text = records[row].at(column);
    if (text.isNull())
        return std::nullopt;
    return text;
}

// The bytes hashed for an entry: the previous entry's digest (32 bytes),
// then every field with a fixed width or its length in front, so that no
// two different entries give the same bytes. Texts go in as UTF-8. The
// buffer and the hash are kept from entry to entry: a month's log is
// checked at every load, and most entries of one save share their time.
class EntryHasher
{
public:
    using Digest = std::array<char, DigestSize>;

    Digest hash(const Digest &previous, const Entry &e)
    {
        m_bytes.clear();
        m_bytes.append(previous.data(), DigestSize);
        addNumber(e.number, sizeof(quint64));
        if (e.time != m_time) {
            m_time = e.time;
            m_timeUtf8 = e.time.toUtf8();
        }
        addUtf8(m_timeUtf8);
        addNumber(e.row, sizeof(quint32));
        addNumber(e.column, sizeof(quint32));
        addCell(e.oldText);
        addCell(e.newText);
        return digest();
    }

    // A count's bytes carry a tag after its number, so that they never read
    // as a log entry's.
    Digest hashCount(const Digest &previous, const CashCount::Count &c)
    {
        static const QByteArray Tag = QByteArrayLiteral("Kassenzaehlung");
        m_bytes.clear();
        m_bytes.append(previous.data(), DigestSize);
        addNumber(c.number, sizeof(quint64));
        addUtf8(Tag);
        addUtf8(c.time.toUtf8());
        addUtf8(c.countedBy.toUtf8());
        addUtf8(c.note.toUtf8());
        addNumber(c.bookBalance, sizeof(quint64));
        addNumber(c.counted, sizeof(quint64));
        addNumber(c.difference, sizeof(quint64));
        for (const int pieces : c.pieces)
            addNumber(pieces, sizeof(quint32));
        return digest();
    }

    Digest hashRecords(const Records &records)
    {
        m_bytes.clear();
        addNumber(static_cast<qint64>(records.size()), sizeof(quint64));
        for (size_t r = 0; r < records.size(); ++r) {
            for (int c = 0; c < Fields; ++c)
                addCell(cellOf(records, r, c));
        }
        return digest();
    }

private:
    void addNumber(qint64 value, size_t width)
    {
        const auto big = qToBigEndian(static_cast<quint64>(value));
        m_bytes.append(reinterpret_cast<const char *>(&big) + sizeof big - width, width);
    }
    void addUtf8(const QByteArray &utf8)
    {
        addNumber(utf8.size(), sizeof(quint32));
        m_bytes.append(utf8.constData(), static_cast<size_t>(utf8.size()));
    }
    void addCell(const Utf8Cell &cell)
    {
        m_bytes.push_back(cell ? Present : Absent);
        if (cell)
            addUtf8(*cell);
    }
    void addCell(const Cell &cell)
    {
        m_bytes.push_back(cell ? Present : Absent);
        if (!cell)
            return;
        // UTF-8 written straight behind its length, which is filled in after.
        const size_t lengthAt = m_bytes.size();
        m_bytes.resize(lengthAt + sizeof(quint32) + static_cast<size_t>(m_encoder.requiredSpace(cell->size())));
        char *text = m_bytes.data() + lengthAt + sizeof(quint32);
        char *end = m_encoder.appendToBuffer(text, *cell);
        const auto length = qToBigEndian(static_cast<quint32>(end - text));
        std::memcpy(m_bytes.data() + lengthAt, &length, sizeof length);
        m_bytes.resize(static_cast<size_t>(end - m_bytes.data()));
    }
    Digest digest()
    {
        Digest out;
        // libcrypto's SHA-256 uses the processor's SHA instructions where it has them.
        static EVP_MD *const sha256 = EVP_MD_fetch(nullptr, "SHA256", nullptr);
        unsigned int length = 0;
        if (!EVP_DigestInit_ex2(m_context.get(), sha256, nullptr)
            || !EVP_DigestUpdate(m_context.get(), m_bytes.data(), m_bytes.size())
            || !EVP_DigestFinal_ex(m_context.get(), reinterpret_cast<unsigned char *>(out.data()), &length)
            || length != DigestSize)
            qFatal("SHA-256 is not available");
        return out;
    }

    struct ContextFree
    {
        void operator()(EVP_MD_CTX *context) const { EVP_MD_CTX_free(context); }
    };

    std::string m_bytes;
    QString m_time;
    QByteArray m_timeUtf8;
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
    std::unique_ptr<EVP_MD_CTX, ContextFree> m_context{EVP_MD_CTX_new()};
};

EntryHasher::Digest rawDigest(const QByteArray &hex)
{
    EntryHasher::Digest raw{};
    const QByteArray bytes = QByteArray::fromHex(hex);
    std::memcpy(raw.data(), bytes.constData(), std::min<size_t>(raw.size(), static_cast<size_t>(bytes.size())));
    return raw;
}

QByteArray hexOf(const EntryHasher::Digest &raw)
{
    return QByteArray(raw.data(), DigestSize).toHex();
}

// Compares a digest with a stored hex text without building a text.
bool sameDigest(const EntryHasher::Digest &raw, const QByteArray &hex)
{
    static constexpr char Digits[] = "0123456789abcdef";
    if (hex.size() != HashHexLength)
        return false;
    for (size_t i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<unsigned char>(raw[i]);
        if (hex[2 * i] != Digits[byte >> 4] || hex[2 * i + 1] != Digits[byte & 0xF])
            return false;
    }
    return true;
}

// The month as the entries so far describe it: rows of cells.
class ReplayState
{
public:
    // False when the entry's old text is not what the cell holds.
    bool apply(const Entry &e)
    {
        if (e.row < 1 || e.column < 0 || e.column >= Fields)
            return false;
        const auto index = static_cast<size_t>(e.row - 1);
        if (index >= m_rows.size())
            m_rows.resize(index + 1);
        Utf8Cell &cell = m_rows[index][static_cast<size_t>(e.column)];
        // A cell no entry wrote, or whose row was removed, is empty: a save
        // made it as the blank without logging it.
        const bool consistent = cell == e.oldText || (!cell && e.oldText == blankUtf8());
        cell = e.newText;
        return consistent;
    }

    // The cell as the entries so far left it; nothing past the rows they made.
    const Utf8Cell &cell(size_t row, int column) const
    {
        static const Utf8Cell none;
        return row < m_rows.size() ? m_rows[row][static_cast<size_t>(column)] : none;
    }
    size_t rows() const { return m_rows.size(); }

    Records records() const
    {
        size_t count = m_rows.size();
        while (count > 0 && std::none_of(m_rows[count - 1].begin(), m_rows[count - 1].end(), [](const Utf8Cell &c) {
                   return c.has_value();
               }))
            --count;
        Records result;
        result.reserve(count);
        for (size_t r = 0; r < count; ++r) {
            Record record;
            record.reserve(Fields);
            for (const Utf8Cell &cell : m_rows[r])
                record << textOf(cell).value_or(JournalTable::blankCell());
            result.push_back(std::move(record));
        }
        return result;
    }

private:
    std::vector<std::array<Utf8Cell, Fields>> m_rows;
};

// A logged cell and a record's cell hold the same text. A cell no entry wrote
// is empty: the record has no such cell, NULL there, or the blank.
bool sameCell(const Utf8Cell &logged, const Records &records, size_t row, int column)
{
    const QString *found = row < records.size() && column < records[row].size() ? &records[row].at(column) : nullptr;
    if (found && found->isNull())
        found = nullptr;
    if (!logged)
        return !found || isBlank(*found);
    if (!found)
        return false;
    return QAnyStringView::equal(QUtf8StringView(*logged), QStringView(*found));
}

// The last entry that wrote the cell, or 0.
qint64 lastWriter(const Entries &log, int row, int column)
{
    for (auto it = log.rbegin(); it != log.rend(); ++it) {
        if (it->row == row && it->column == column)
            return it->number;
    }
    return 0;
}

} // namespace

std::vector<Change> diff(const Records &before, const Records &after)
{
    std::vector<Change> changes;
    const size_t rows = std::max(before.size(), after.size());
    for (size_t r = 0; r < rows; ++r) {
        for (int c = 0; c < Fields; ++c) {
            Cell old = cellOf(before, r, c);
            Cell now = cellOf(after, r, c);
            if (old != now && !madeBlank(old, now))
                changes.push_back({static_cast<int>(r) + 1, c, std::move(old), std::move(now)});
        }
    }
    return changes;
}

QByteArray startHash()
{
    return QByteArray(HashHexLength, '0');
}

QByteArray entryHash(const QByteArray &previousHash, const Entry &entry)
{
    EntryHasher hasher;
    return hexOf(hasher.hash(rawDigest(previousHash), entry));
}

QByteArray countHash(const QByteArray &previousHash, const CashCount::Count &count)
{
    EntryHasher hasher;
    return hexOf(hasher.hashCount(rawDigest(previousHash), count));
}

Link chainHead(const Entries &log, const CashCount::Counts &counts)
{
    Link head{0, startHash()};
    if (!log.empty())
        head = {log.back().number, log.back().hash};
    if (!counts.empty() && counts.back().number > head.number)
        head = {counts.back().number, counts.back().hash};
    return head;
}

Link chainHead(const MonthContents &month)
{
    if (month.log.empty() && month.counts.empty())
        return {0, chainStart(month)};
    return chainHead(month.log, month.counts);
}

QByteArray chainStart(const MonthContents &month)
{
    return month.monthBefore ? month.monthBefore->hash : startHash();
}

std::optional<QByteArray> linkHash(const MonthContents &month, qint64 number)
{
    if (number == 0)
        return chainStart(month);
    const auto entry =
        std::find_if(month.log.begin(), month.log.end(), [number](const Entry &e) { return e.number == number; });
    if (entry != month.log.end())
        return entry->hash;
    const auto count = std::find_if(month.counts.begin(), month.counts.end(),
                                    [number](const CashCount::Count &c) { return c.number == number; });
    if (count != month.counts.end())
        return count->hash;
    return std::nullopt;
}

void append(Entries &log, const std::vector<Change> &changes, const QString &time)
{
    append(log, chainHead(log, {}), changes, time);
}

void chain(CashCount::Count &count, const Link &after)
{
    count.number = after.number + 1;
    count.hash = countHash(after.hash, count);
}

Link carryOn(const MonthContents &file, const QString &path, const QString &time, MonthContents &next)
{
    next.records = file.records;
    next.logged = true;
    next.monthBefore = file.monthBefore;
    const Link head = chainHead(file);
    if (file.logged) {
        next.carried = CarriedLog{path, head.number, head.hash};
        return head;
    }
    append(next.log, head, diff({}, file.records), time);
    return chainHead(next);
}

void append(Entries &log, const Link &after, const std::vector<Change> &changes, const QString &time)
{
    EntryHasher hasher;
    EntryHasher::Digest previous = rawDigest(after.hash);
    qint64 number = after.number;
    log.reserve(log.size() + changes.size());
    for (const Change &change : changes) {
        Entry e{++number, time, change.row, change.column, utf8Of(change.oldText), utf8Of(change.newText), {}};
        previous = hasher.hash(previous, e);
        e.hash = hexOf(previous);
        log.push_back(std::move(e));
    }
}

Records replay(const Entries &log)
{
    ReplayState state;
    for (const Entry &e : log)
        state.apply(e);
    return state.records();
}

std::optional<Break> verify(const Entries &log, const Records &records, const CashCount::Counts &counts,
                            const QByteArray &start)
{
    EntryHasher hasher;
    EntryHasher::Digest previous = rawDigest(start);
    qint64 expectedNumber = 1;
    // Both lists are in the order of their numbers; the chain takes the lower
    // number next. Where both have the number, the link that continues the
    // chain is the one written, and the other one was slipped in.
    auto entry = log.begin();
    auto count = counts.begin();
    while (entry != log.end() || count != counts.end()) {
        bool takeCount = count != counts.end() && (entry == log.end() || count->number < entry->number);
        if (count != counts.end() && entry != log.end() && count->number == entry->number)
            takeCount = !sameDigest(hasher.hash(previous, *entry), entry->hash);
        const qint64 number = takeCount ? count->number : entry->number;
        const int row = takeCount ? 0 : entry->row;
        const int column = takeCount ? 0 : entry->column;
        if (number < expectedNumber)
            return Break{Break::Kind::Inserted, number, row, column, {}, {}, takeCount};
        if (number > expectedNumber)
            return Break{Break::Kind::Missing, expectedNumber, 0, 0, {}, {}};
        previous = takeCount ? hasher.hashCount(previous, *count) : hasher.hash(previous, *entry);
        if (!sameDigest(previous, takeCount ? count->hash : entry->hash))
            return Break{Break::Kind::Chain, number, row, column, {}, {}, takeCount};
        if (takeCount)
            ++count;
        else
            ++entry;
        ++expectedNumber;
    }
    ReplayState state;
    for (const Entry &e : log) {
        if (!state.apply(e))
            return Break{Break::Kind::OldText, e.number, e.row, e.column, {}, {}};
    }
    const size_t rows = std::max(state.rows(), records.size());
    for (size_t r = 0; r < rows; ++r) {
        for (int c = 0; c < Fields; ++c) {
            const Utf8Cell &expected = state.cell(r, c);
            if (sameCell(expected, records, r, c))
                continue;
            const int row = static_cast<int>(r) + 1;
            return Break{Break::Kind::Record, lastWriter(log, row, c), row, c, textOf(expected), cellOf(records, r, c)};
        }
    }
    return std::nullopt;
}

QByteArray recordsHash(const Records &records)
{
    EntryHasher hasher;
    return hexOf(hasher.hashRecords(records));
}

QString timeNow()
{
    // Local time alone would be written without its offset.
    const QDateTime now = Clock::now();
    return now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QString displayTime(const QString &isoTime)
{
    const QDateTime moment = QDateTime::fromString(isoTime, Qt::ISODateWithMs);
    if (!moment.isValid())
        return isoTime;
    return moment.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

} // namespace ChangeLog
