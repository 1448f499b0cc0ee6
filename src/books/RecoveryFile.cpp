#include "books/RecoveryFile.h"

#include "books/ChangeLog.h"
#include "platform/FlexGridStore.h"
#include "storage/PosixFile.h"

#include <QCryptographicHash>
#include <QStringList>

#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

namespace RecoveryFile {
namespace {
const QByteArray Header = "Barlog-Wiederherstellung 1";
const QByteArray YearKey = "Jahr";
const QByteArray MonthKey = "Monat";
const QByteArray TimeKey = "Zeit";
const QByteArray RowsKey = "Zeilen";
const QByteArray ChecksumKey = "Pruefsumme";
constexpr char Tab = '\t';
constexpr char Newline = '\n';
constexpr int KeyLines = 5; // the header, year, month, time and row count

QByteArray escaped(const QString &text)
{
    QByteArray out;
    const QByteArray utf8 = text.toUtf8();
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString unescaped(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\\' || i + 1 == bytes.size()) {
            out += c;
            continue;
        }
        const char next = bytes[++i];
        out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return QString::fromUtf8(out);
}

QByteArray keyLine(const QByteArray &key, const QByteArray &value)
{
    return key + Tab + value + Newline;
}

QByteArray checksum(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// The value of a "key<TAB>value" line, or nothing if the line has another key.
std::optional<QByteArray> valueOf(const QByteArray &line, const QByteArray &key)
{
    if (!line.startsWith(key + Tab))
        return std::nullopt;
    return line.mid(key.size() + 1);
}
} // namespace

QString path(const QString &programFolder)
{
    return programFolder + QStringLiteral("/Barlog-Wiederherstellung.txt");
}

Records sheetRows(const FlexGridStore &sheet)
{
    Records rows;
    rows.reserve(static_cast<size_t>(std::max(sheet.rows() - 1, 0)));
    for (int r = 1; r < sheet.rows(); ++r) {
        Record row;
        row.reserve(sheet.cols());
        for (int c = 0; c < sheet.cols(); ++c)
            row << sheet.textMatrix(r, c);
        rows.push_back(std::move(row));
    }
    return rows;
}

void restoreInto(FlexGridStore &sheet, const Records &rows)
{
    sheet.setRows(static_cast<int>(rows.size()) + 1);
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < sheet.cols(); ++c)
            sheet.setTextMatrix(static_cast<int>(r) + 1, c, rows[r].value(c));
    }
}

QByteArray encode(const Snapshot &snapshot)
{
    QByteArray out = Header + Newline;
    out += keyLine(YearKey, escaped(snapshot.year));
    out += keyLine(MonthKey, escaped(snapshot.month));
    out += keyLine(TimeKey, escaped(snapshot.time));
    out += keyLine(RowsKey, QByteArray::number(static_cast<qsizetype>(snapshot.rows.size())));
    for (const Record &row : snapshot.rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += Tab;
            out += escaped(row.at(c));
        }
        out += Newline;
    }
    return out + keyLine(ChecksumKey, checksum(out));
}

std::optional<Snapshot> decode(const QByteArray &bytes)
{
    const qsizetype checksumStart = bytes.lastIndexOf(Newline + ChecksumKey + Tab) + 1;
    if (checksumStart <= 0 || !bytes.endsWith(Newline))
        return std::nullopt;
    const QByteArray body = bytes.left(checksumStart);
    if (valueOf(bytes.mid(checksumStart).chopped(1), ChecksumKey) != checksum(body))
        return std::nullopt;
    QList<QByteArray> lines = body.split(Newline);
    lines.removeLast(); // after the last line break
    if (lines.size() < KeyLines || lines[0] != Header)
        return std::nullopt;
    const auto year = valueOf(lines[1], YearKey);
    const auto month = valueOf(lines[2], MonthKey);
    const auto time = valueOf(lines[3], TimeKey);
    const auto count = valueOf(lines[4], RowsKey);
    if (!year || !month || !time || !count || count->toLongLong() != lines.size() - KeyLines)
        return std::nullopt;
    Snapshot snapshot{unescaped(*year), unescaped(*month), unescaped(*time), {}};
    for (qsizetype i = KeyLines; i < lines.size(); ++i) {
        Record row;
        for (const QByteArray &cell : lines[i].split(Tab))
            row << unescaped(cell);
        snapshot.rows.push_back(std::move(row));
    }
    return snapshot;
}

QString restoreQuestion(const Snapshot &snapshot)
{
    return QStringLiteral("Barlog wurde zuletzt nicht ordnungsgemäß beendet. Für den Monat %1-%2 gibt es Eingaben "
                          "vom %3, die nicht gespeichert wurden.\r\n\r\nSollen sie wiederhergestellt werden ?")
        .arg(snapshot.year, snapshot.month, ChangeLog::displayTime(snapshot.time));
}

} // namespace RecoveryFile

RecoveryWriter::RecoveryWriter(QString path) : m_path(std::move(path)), m_thread([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void RecoveryWriter::write(RecoveryFile::Snapshot snapshot)
{
    submit({false, std::move(snapshot)});
}

void RecoveryWriter::remove()
{
    submit({true, {}});
}

void RecoveryWriter::submit(Request request)
{
    // A snapshot still waiting is freed after the lock is let go, so the
    // writer thread never waits on the free.
    std::optional<Request> replaced;
    {
        const std::lock_guard lock(m_mutex);
        replaced = std::exchange(m_pending, std::move(request));
    }
    m_wake.notify_all();
}

void RecoveryWriter::waitIdle()
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_pending && !m_busy; });
}

int RecoveryWriter::lastError()
{
    const std::lock_guard lock(m_mutex);
    return m_lastError;
}

void RecoveryWriter::run()
{
    // Below the user interface thread, so that writing never takes a core a
    // key press is waiting for.
    constexpr int BackgroundNice = 10;
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), BackgroundNice);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_pending || m_stop; });
        if (!m_pending)
            return;
        {
            // Written and freed outside the lock: a key press may be waiting
            // for it to hand over the next snapshot.
            const Request request = *std::exchange(m_pending, std::nullopt);
            m_busy = true;
            lock.unlock();
            carryOut(request);
        }
        lock.lock();
        m_busy = false;
        m_wake.notify_all();
    }
}

void RecoveryWriter::carryOut(const Request &request)
{
    const auto native = PosixFile::nativePath(m_path);
    int err = native ? 0 : ENOENT;
    if (err == 0 && request.remove)
        err = ::unlink(native->constData()) == 0 || errno == ENOENT ? 0 : errno;
    else if (err == 0)
        err = PosixFile::replaceFile(*native, RecoveryFile::encode(request.snapshot));
    const std::lock_guard lock(m_mutex);
    m_lastError = err;
}
