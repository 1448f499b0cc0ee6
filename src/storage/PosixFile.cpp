#include "storage/PosixFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace PosixFile {

std::optional<QByteArray> nativePath(const QString &path)
{
    QByteArray native = QFile::encodeName(path);
    if (native.contains('\0'))
        return std::nullopt;
    return native;
}

Fd &Fd::operator=(Fd &&other) noexcept
{
    if (this != &other) {
        reset();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

int Fd::reset()
{
    if (m_fd < 0)
        return 0;
    const int rc = ::close(m_fd);
    m_fd = -1;
    return rc == 0 ? 0 : errno;
}

namespace {
int syncPath(const QByteArray &path, int flags)
{
    Fd fd(::open(path.constData(), flags | O_CLOEXEC));
    if (!fd.valid())
        return errno;
    if (::fsync(fd.get()) != 0)
        return errno;
    return fd.reset();
}
} // namespace

int syncFile(const QByteArray &path)
{
    return syncPath(path, O_RDONLY);
}

int syncFolder(const QByteArray &path)
{
    return syncPath(path, O_RDONLY | O_DIRECTORY);
}

int readPrefix(int fd, char *buffer, int size, int &got)
{
    got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, buffer + got, static_cast<size_t>(size - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        got += static_cast<int>(n);
    }
    return 0;
}

int writeAll(int fd, const char *data, qsizetype size)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, static_cast<size_t>(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += n;
    }
    return 0;
}

int replaceFile(const QByteArray &path, const QByteArray &bytes)
{
    const QByteArray temp = path + ".tmp-" + QByteArray::number(::getpid());
    Fd fd(::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!fd.valid())
        return errno;
    int err = writeAll(fd.get(), bytes.constData(), bytes.size());
    if (err == 0 && ::fsync(fd.get()) != 0)
        err = errno;
    if (const int closeErr = fd.reset(); err == 0)
        err = closeErr;
    if (err == 0 && ::rename(temp.constData(), path.constData()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(temp.constData());
        return err;
    }
    const qsizetype slash = path.lastIndexOf('/');
    return syncFolder(slash > 0 ? path.left(slash) : QByteArray("."));
}

} // namespace PosixFile
