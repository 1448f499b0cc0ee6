#include "storage/MonthFileWriter.h"

#include "platform/FileSystem.h"
#include "storage/PosixFile.h"
#include "storage/SqliteMonthDb.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace MonthFileWriter {
namespace {

using PosixFile::Fd;

QByteArray uniqueName(const QByteArray &base)
{
    return base + ".tmp-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

bool existsAtAll(const QByteArray &path)
{
    struct stat st
    {
    };
    return ::lstat(path.constData(), &st) == 0;
}

int copyContents(const QByteArray &from, const QByteArray &to)
{
    Fd in(::open(from.constData(), O_RDONLY | O_CLOEXEC));
    if (!in.valid())
        return errno;
    Fd out(::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!out.valid())
        return errno;
    char buffer[65536];
    for (;;) {
        int got = 0;
        if (const int err = PosixFile::readPrefix(in.get(), buffer, sizeof buffer, got))
            return err;
        if (got == 0)
            break;
        if (const int err = PosixFile::writeAll(out.get(), buffer, got))
            return err;
    }
    if (::fsync(out.get()) != 0)
        return errno;
    return out.reset();
}

// The current file becomes "<name>.bak" while it stays in place: a hard link,
// or a copy where the file system has none, renamed over the older backup.
int keepBackup(const QByteArray &path, const QByteArray &backup)
{
    const QByteArray staging = uniqueName(backup);
    if (::link(path.constData(), staging.constData()) != 0) {
        const int linkErr = errno;
        if (linkErr != EPERM && linkErr != EXDEV && linkErr != ENOTSUP && linkErr != EMLINK && linkErr != ENOSYS)
            return linkErr;
        if (const int err = copyContents(path, staging)) {
            ::unlink(staging.constData());
            return err;
        }
    }
    if (::rename(staging.constData(), backup.constData()) != 0) {
        const int err = errno;
        ::unlink(staging.constData());
        return err;
    }
    return 0;
}

class Attempt
{
public:
    explicit Attempt(const QString &path) : m_path(path), m_info(path), m_previousExists(FileExists(path)) {}

    QString run(const MonthContents &month);

private:
    QString fail(const QString &reason) const;
    QString failSystem(const QString &what, int err) const
    {
        return fail(what + QLatin1Char(' ') + systemErrorText(err));
    }
    QString prepareFolder(bool &created);
    void removeLeftovers() const;

    QString m_path;
    QFileInfo m_info;
    bool m_previousExists;
    QByteArray m_native;
    QByteArray m_folder;
    QByteArray m_temp;
};

QString Attempt::fail(const QString &reason) const
{
    if (!m_temp.isEmpty())
        ::unlink(m_temp.constData());
    const QString outcome = m_previousExists ? QStringLiteral("Die bisherige Datei ist unverändert.")
                                             : QStringLiteral("Es wurde keine Datei angelegt.");
    return QStringLiteral("Die Datei „%1“ wurde nicht gespeichert. %2\r\n\r\n%3")
        .arg(m_info.fileName(), reason, outcome);
}

QString Attempt::prepareFolder(bool &created)
{
    created = false;
    const QString folder = m_info.path();
    if (DirExists(folder))
        return {};
    if (existsAtAll(m_folder))
        return fail(QStringLiteral("Wo der Ordner „%1“ sein sollte, liegt eine Datei.").arg(folder));
    if (::mkdir(m_folder.constData(), 0777) != 0) {
        const int err = errno;
        return failSystem(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(folder), err);
    }
    created = true;
    return {};
}

// Saves of this month that were killed left their unfinished files behind.
void Attempt::removeLeftovers() const
{
    const QString name = m_info.fileName();
    const QDir folder = m_info.dir();
    const QStringList leftovers =
        folder.entryList({name + QStringLiteral(".tmp-*"), name + QStringLiteral(".bak.tmp-*")},
                         QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &leftover : leftovers)
        QFile::remove(folder.filePath(leftover));
}

QString Attempt::run(const MonthContents &month)
{
    const auto native = PosixFile::nativePath(m_path);
    const auto folder = PosixFile::nativePath(m_info.path());
    if (!native || !folder || m_info.fileName().isEmpty())
        return fail(QStringLiteral("Der Pfad „%1“ ist ungültig.").arg(m_path));
    m_native = *native;
    m_folder = *folder;

    bool createdFolder = false;
    if (QString problem = prepareFolder(createdFolder); !problem.isEmpty())
        return problem;
    if (DirExists(m_path))
        return fail(QStringLiteral("An ihrer Stelle liegt ein Ordner."));

    for (int tries = 0; m_temp.isEmpty(); ++tries) {
        const QByteArray candidate = uniqueName(m_native);
        Fd fd(::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        const int err = fd.valid() ? 0 : errno;
        if (err == 0)
            m_temp = candidate;
        else if (err != EEXIST || tries > 8)
            return failSystem(QStringLiteral("Im Ordner „%1“ kann keine Datei angelegt werden.").arg(m_info.path()),
                              err);
    }

    if (const DbStatus status = SqliteMonthDb::writeMonth(QFile::decodeName(m_temp), month, m_path); !status.ok())
        return fail(status.description);
    if (const int err = PosixFile::syncFile(m_temp))
        return failSystem(QStringLiteral("Die neue Fassung lässt sich nicht auf den Datenträger schreiben."), err);
    if (existsAtAll(m_native)) {
        if (const int err = keepBackup(m_native, m_native + ".bak"))
            return failSystem(
                QStringLiteral("Die Sicherungskopie „%1.bak“ kann nicht angelegt werden.").arg(m_info.fileName()), err);
    }
    if (::rename(m_temp.constData(), m_native.constData()) != 0) {
        const int err = errno;
        return failSystem(QStringLiteral("Die neue Fassung kann nicht an ihren Platz gebracht werden."), err);
    }
    m_temp.clear();
    removeLeftovers();

    // The rename is durable only once its folder is synced; a new year folder
    // must itself be recorded in the program folder.
    int err = PosixFile::syncFolder(m_folder);
    if (err == 0 && createdFolder)
        err = PosixFile::syncFolder(QFile::encodeName(QFileInfo(m_info.path()).path()));
    if (err == 0)
        return {};
    QString message = QStringLiteral("Die Datei „%1“ wurde geschrieben, aber ihr Ordner ließ sich nicht auf den "
                                     "Datenträger schreiben. %2")
                          .arg(m_info.fileName(), systemErrorText(err));
    if (m_previousExists)
        message += QStringLiteral("\r\n\r\nDie vorige Fassung liegt in „%1.bak“.").arg(m_info.fileName());
    return message;
}

} // namespace

QString write(const QString &path, const MonthContents &month)
{
    return Attempt(path).run(month);
}

} // namespace MonthFileWriter
