#include "storage/DatabaseFormat.h"

#include "storage/PosixFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {
constexpr char sqliteMagic[] = "SQLite format 3"; // with its NUL: 16 bytes
constexpr unsigned char jetPrefix[] = {0x00, 0x01, 0x00, 0x00};
constexpr char jetName[] = "Standard Jet DB";
constexpr char aceName[] = "Standard ACE DB";
constexpr int jetVersionOffset = 0x14;
constexpr int probeSize = jetVersionOffset + 1;

bool startsWith(const char *data, int size, const void *magic, int magicSize, int offset = 0)
{
    return size >= offset + magicSize && std::memcmp(data + offset, magic, static_cast<size_t>(magicSize)) == 0;
}

// A Jet file is a whole number of pages; a truncated copy would send the
// reader past the end of what it was given.
bool plausibleJetSize(char version, off_t size)
{
    const off_t page = version == 0 ? 2048 : 4096;
    return size >= 2 * page && size % page == 0;
}
} // namespace

FormatProbe probeDatabaseFile(const QString &path)
{
    FormatProbe probe;
    const auto native = PosixFile::nativePath(path);
    if (!native || path.isEmpty()) {
        probe.status = DbErrors::cannotOpen(path, ENOENT);
        return probe;
    }
    PosixFile::Fd fd(::open(native->constData(), O_RDONLY | O_CLOEXEC));
    struct stat st
    {
    };
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0) {
        probe.status = DbErrors::cannotOpen(path, errno);
        return probe;
    }
    if (S_ISDIR(st.st_mode)) {
        probe.status = DbErrors::cannotOpen(path, EISDIR);
        return probe;
    }
    char head[probeSize] = {};
    int got = 0;
    if (const int err = PosixFile::readPrefix(fd.get(), head, probeSize, got)) {
        probe.status = DbErrors::cannotOpen(path, err);
        return probe;
    }
    if (startsWith(head, got, sqliteMagic, sizeof sqliteMagic)) {
        probe.format = DatabaseFormat::Sqlite;
    } else if (startsWith(head, got, jetPrefix, sizeof jetPrefix)
               && (startsWith(head, got, jetName, sizeof jetName, 4)
                   || startsWith(head, got, aceName, sizeof aceName, 4))
               && got == probeSize) {
        if (plausibleJetSize(head[jetVersionOffset], st.st_size))
            probe.format = DatabaseFormat::Jet;
        else
            probe.status = DbErrors::corrupt(path);
    } else {
        probe.status = DbErrors::unrecognizedFormat(path);
    }
    return probe;
}
