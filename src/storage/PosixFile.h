#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Small wrappers over the POSIX calls that saving and probing need, so that
// every failure keeps its errno for a precise German message.
namespace PosixFile {

// The name the system sees; none when a NUL inside would shorten it silently.
std::optional<QByteArray> nativePath(const QString &path);

class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    Fd(Fd &&other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    Fd &operator=(Fd &&other) noexcept;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now; returns errno of a failed close, else 0.
    int reset();

private:
    int m_fd;
};

// Each returns 0 or the errno of the failing call.
int syncFile(const QByteArray &path);
int syncFolder(const QByteArray &path);
// Reads up to size bytes from the start; fewer only at the end of the file.
int readPrefix(int fd, char *buffer, int size, int &got);
// Writes all of data, going on after interrupted and partial writes.
int writeAll(int fd, const char *data, qsizetype size);

// Replaces the file at path by one holding bytes, so that a crash or a power
// cut leaves the old file or the new one, never a mix: a temporary file
// beside it is written and synced, renamed over it, and the folder synced.
int replaceFile(const QByteArray &path, const QByteArray &bytes);

} // namespace PosixFile
