#include "storage/JetReader.h"

#include "storage/PosixFile.h"

// mdbtools expects glib's types to be known before its own header.
#include <glib.h>

#include <mdbtools.h>

#include <QDataStream>
#include <QIODevice>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <vector>

namespace JetReader {
namespace {

struct HandleCloser
{
    void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
};
struct TableFreer
{
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};

// A damaged file can send the library into an endless loop or a crash;
// reading happens in a child process that is given this long.
constexpr std::chrono::seconds ReadTimeLimit{10};

DbStatus readDirect(const QString &path, const QString &table, Records &records)
{
    records.clear();
    const auto native = PosixFile::nativePath(path);
    if (!native)
        return DbErrors::cannotOpen(path, ENOENT);
    std::unique_ptr<MdbHandle, HandleCloser> mdb(mdb_open(native->constData(), MDB_NOFLAGS));
    if (!mdb || !mdb_read_catalog(mdb.get(), MDB_TABLE))
        return DbErrors::corrupt(path);
    // Dates come out in German form, independent of the system's locale.
    mdb_set_date_fmt(mdb.get(), "%d.%m.%Y %H:%M:%S");
    mdb_set_shortdate_fmt(mdb.get(), "%d.%m.%Y");

    QByteArray name = table.toUtf8();
    std::unique_ptr<MdbTableDef, TableFreer> def(
        name.contains('\0') ? nullptr : mdb_read_table_by_name(mdb.get(), name.data(), MDB_TABLE));
    if (!def)
        return DbErrors::tableNotFound(path, table);
    if (!mdb_read_columns(def.get()))
        return DbErrors::corrupt(path);
    mdb_rewind_table(def.get());

    const unsigned columns = def->num_cols;
    std::vector<std::vector<char>> buffers(columns, std::vector<char>(MDB_BIND_SIZE + 1));
    std::vector<int> lengths(columns, 0);
    for (unsigned i = 0; i < columns; ++i)
        mdb_bind_column(def.get(), static_cast<int>(i) + 1, buffers[i].data(), &lengths[i]);

    while (mdb_fetch_row(def.get())) {
        Record record;
        record.reserve(columns);
        for (unsigned i = 0; i < columns; ++i) {
            const int length = std::min(lengths[i], MDB_BIND_SIZE);
            record << (length > 0 ? QString::fromUtf8(buffers[i].data(), length) : QString());
        }
        records.push_back(std::move(record));
    }
    return {};
}

void writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += n;
    }
}

[[noreturn]] void readInChild(int out, const QString &path, const QString &table)
{
    // The library reports damaged pages on stderr at great length.
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (devNull >= 0)
        ::dup2(devNull, STDERR_FILENO);
    Records records;
    const DbStatus status = readDirect(path, table, records);
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << status.number << status.description << static_cast<quint64>(records.size());
    for (const Record &r : records)
        stream << r;
    writeAll(out, bytes);
    ::_exit(0);
}

// Reads the child's answer until it closes the pipe or the time is up.
bool collect(int in, pid_t child, QByteArray &bytes)
{
    const auto deadline = std::chrono::steady_clock::now() + ReadTimeLimit;
    char buffer[65536];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ::kill(child, SIGKILL);
            return false;
        }
        pollfd p{in, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            continue;
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        bytes.append(buffer, n);
    }
}

} // namespace

DbStatus readTable(const QString &path, const QString &table, Records &records)
{
    records.clear();
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return DbErrors::cannotOpen(path, errno);
    const pid_t child = ::fork();
    if (child < 0) {
        const int err = errno;
        ::close(fds[0]);
        ::close(fds[1]);
        return DbErrors::cannotOpen(path, err);
    }
    if (child == 0) {
        ::close(fds[0]);
        readInChild(fds[1], path, table);
    }
    ::close(fds[1]);
    QByteArray bytes;
    const bool complete = collect(fds[0], child, bytes);
    ::close(fds[0]);
    int wstatus = 0;
    while (::waitpid(child, &wstatus, 0) < 0 && errno == EINTR) {
    }
    if (!complete || !WIFEXITED(wstatus) || WEXITSTATUS(wstatus) != 0)
        return DbErrors::corrupt(path);

    QDataStream stream(bytes);
    DbStatus status;
    quint64 count = 0;
    stream >> status.number >> status.description >> count;
    for (quint64 i = 0; i < count && stream.status() == QDataStream::Ok; ++i) {
        Record r;
        stream >> r;
        records.push_back(std::move(r));
    }
    if (stream.status() != QDataStream::Ok) {
        records.clear();
        return DbErrors::corrupt(path);
    }
    if (!status.ok())
        records.clear();
    return status;
}

} // namespace JetReader
