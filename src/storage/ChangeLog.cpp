#include "storage/ChangeLog.h"

#include "platform/Clock.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QtEndian>

#include <algorithm>

namespace ChangeLog {
namespace {

constexpr int Fields = JournalTable::fieldCount;
constexpr qsizetype HashHexLength = 64;
// A missing cell is told apart from every text, the empty one included.
constexpr char Absent = 0;
constexpr char Present = 1;

Cell cellOf(const Records &records, size_t row, int column)
{
    if (row >= records.size() || column >= records[row].size())
        return std::nullopt;
    const QString &text = records[row].at(column);
    if (text.isNull())
        return std::nullopt;
    return text;
}

// Every field goes in with its length in front, so that no two different
// entries give the same bytes.
class HashInput
{
public:
    void addNumber(qint64 value)
    {
        const auto big = qToBigEndian(static_cast<quint64>(value));
        m_bytes.append(reinterpret_cast<const char *>(&big), sizeof big);
    }
    void addText(const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        addNumber(utf8.size());
        m_bytes.append(utf8);
    }
    void addCell(const Cell &cell)
    {
        m_bytes.append(cell ? Present : Absent);
        if (cell)
            addText(*cell);
    }
    QByteArray sha256Hex(const QByteArray &previous)
    {
        m_hash.reset();
        m_hash.addData(previous);
        m_hash.addData(m_bytes);
        m_bytes.clear();
        return m_hash.result().toHex();
    }

private:
    QByteArray m_bytes;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
};

QByteArray hashWith(HashInput &input, const QByteArray &previous, const Entry &e)
{
    input.addNumber(e.number);
    input.addText(e.time);
    input.addNumber(e.row);
    input.addNumber(e.column);
    input.addCell(e.oldText);
    input.addCell(e.newText);
    return input.sha256Hex(previous);
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
            m_rows.resize(index + 1, std::vector<Cell>(Fields));
        Cell &cell = m_rows[index][static_cast<size_t>(e.column)];
        const bool consistent = cell == e.oldText;
        cell = e.newText;
        return consistent;
    }

    Records records() const
    {
        size_t count = m_rows.size();
        while (count > 0 && std::none_of(m_rows[count - 1].begin(), m_rows[count - 1].end(), [](const Cell &c) {
                   return c.has_value();
               }))
            --count;
        Records result;
        result.reserve(count);
        for (size_t r = 0; r < count; ++r) {
            Record record;
            record.reserve(Fields);
            for (const Cell &cell : m_rows[r])
                record << cell.value_or(QString());
            result.push_back(std::move(record));
        }
        return result;
    }

private:
    std::vector<std::vector<Cell>> m_rows;
};

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
            if (old != now)
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
    HashInput input;
    return hashWith(input, previousHash, entry);
}

void append(Entries &log, const std::vector<Change> &changes, const QString &time)
{
    HashInput input;
    QByteArray previous = log.empty() ? startHash() : log.back().hash;
    qint64 number = log.empty() ? 0 : log.back().number;
    log.reserve(log.size() + changes.size());
    for (const Change &change : changes) {
        Entry e{++number, time, change.row, change.column, change.oldText, change.newText, {}};
        e.hash = hashWith(input, previous, e);
        previous = e.hash;
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

std::optional<Break> verify(const Entries &log, const Records &records)
{
    HashInput input;
    QByteArray previous = startHash();
    qint64 expectedNumber = 1;
    for (const Entry &e : log) {
        if (e.number != expectedNumber)
            return Break{Break::Kind::Missing, expectedNumber, 0, 0, {}, {}};
        if (hashWith(input, previous, e) != e.hash)
            return Break{Break::Kind::Chain, e.number, e.row, e.column, {}, {}};
        previous = e.hash;
        ++expectedNumber;
    }
    ReplayState state;
    for (const Entry &e : log) {
        if (!state.apply(e))
            return Break{Break::Kind::OldText, e.number, e.row, e.column, {}, {}};
    }
    const Records logged = state.records();
    const size_t rows = std::max(logged.size(), records.size());
    for (size_t r = 0; r < rows; ++r) {
        for (int c = 0; c < Fields; ++c) {
            Cell expected = cellOf(logged, r, c);
            Cell found = cellOf(records, r, c);
            if (expected == found)
                continue;
            const int row = static_cast<int>(r) + 1;
            return Break{Break::Kind::Record, lastWriter(log, row, c), row, c, std::move(expected), std::move(found)};
        }
    }
    return std::nullopt;
}

QByteArray recordsHash(const Records &records)
{
    HashInput input;
    input.addNumber(static_cast<qint64>(records.size()));
    for (size_t r = 0; r < records.size(); ++r) {
        for (int c = 0; c < Fields; ++c)
            input.addCell(cellOf(records, r, c));
    }
    return input.sha256Hex(startHash());
}

QString timeNow()
{
    return Clock::now().toString(Qt::ISODateWithMs);
}

QString displayTime(const QString &isoTime)
{
    const QDateTime moment = QDateTime::fromString(isoTime, Qt::ISODateWithMs);
    if (!moment.isValid())
        return isoTime;
    return moment.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

} // namespace ChangeLog
