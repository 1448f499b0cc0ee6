#include "books/Checksum.h"

#include "books/ChangeLog.h"
#include "platform/FileSystem.h"
#include "storage/MonthDatabase.h"
#include "storage/MonthPath.h"

#include <QCryptographicHash>

namespace Checksum {
namespace {
constexpr qsizetype ShortDigits = 16;
constexpr int MonthsPerYear = 12;

// The month file's chain head, if it has a chain.
std::optional<ChangeLog::Link> headOf(const QString &path)
{
    MonthContents file;
    if (!FileExists(path) || !MonthDatabase::readMonth(path, file, LogRead::LastEntry).ok() || !file.logged)
        return std::nullopt;
    const ChangeLog::Link head = ChangeLog::chainHead(file);
    if (head.number == 0)
        return std::nullopt;
    return head;
}
} // namespace

QByteArray shortHash(const QByteArray &hash)
{
    return hash.left(ShortDigits);
}

QString printLine(const MonthContents &file)
{
    const ChangeLog::Link head = ChangeLog::chainHead(file);
    if (!file.logged || head.number == 0)
        return {};
    QString line = QStringLiteral("Prüfsumme %1").arg(QString::fromLatin1(shortHash(head.hash)));
    if (file.closed)
        line += QStringLiteral(" · Abschluss vom %1 %2")
                    .arg(ChangeLog::displayTime(file.closed->time).left(QStringLiteral("dd.MM.yyyy").size()),
                         QString::fromLatin1(shortHash(file.closed->recordsHash)));
    return line;
}

QString printLine(const QString &path)
{
    MonthContents file;
    if (!FileExists(path) || !MonthDatabase::readMonth(path, file, LogRead::LastEntry).ok())
        return {};
    return printLine(file);
}

QString yearLine(const QString &programFolder, int year)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    bool any = false;
    for (int month = 1; month <= MonthsPerYear; ++month) {
        const QString y = QString::number(year);
        const QString m = QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0'));
        const MonthPath where = monthFilePath(programFolder, y, m);
        const std::optional<ChangeLog::Link> head = where.ok() ? headOf(where.path) : std::nullopt;
        if (!head)
            continue;
        any = true;
        hash.addData(monthLabel(y, m).toUtf8() + ';' + head->hash + '\n');
    }
    if (!any)
        return {};
    return QStringLiteral("Prüfsumme %1").arg(QString::fromLatin1(shortHash(hash.result().toHex())));
}

} // namespace Checksum
