#include "storage/MonthDatabase.h"

#include "platform/FileSystem.h"
#include "storage/DatabaseFormat.h"
#include "storage/JetReader.h"
#include "storage/PosixFile.h"
#include "storage/SqliteMonthDb.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace MonthDatabase {

DbStatus interne_Datenbank(const QString &DBName)
{
    if (FileExists(DBName))
        return {};
    const auto native = PosixFile::nativePath(DBName);
    if (!native || DBName.isEmpty())
        return DbErrors::cannotCreate(DBName, ENOENT);
    // O_EXCL: whatever appeared at this path since the check above is never overwritten.
    PosixFile::Fd fd(::open(native->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid())
        return DbErrors::cannotCreate(DBName, errno);
    fd.reset();
    DbStatus status = SqliteMonthDb::writeMonth(DBName, {});
    if (!status.ok())
        ::unlink(native->constData());
    return status;
}

DbStatus DatensatzAnfuegen(const Record &satz, const QString &datenbank, const QString &tabelle)
{
    const FormatProbe probe = probeDatabaseFile(datenbank);
    switch (probe.format) {
    case DatabaseFormat::Sqlite:
        return SqliteMonthDb::appendRecord(datenbank, tabelle, satz);
    case DatabaseFormat::Jet:
        return DbErrors::readOnlyJet(datenbank);
    case DatabaseFormat::None:
        break;
    }
    return probe.status;
}

DbStatus readRecords(const QString &datenbank, const QString &tabelle, Records &records)
{
    records.clear();
    const FormatProbe probe = probeDatabaseFile(datenbank);
    DbStatus status = probe.status;
    switch (probe.format) {
    case DatabaseFormat::Sqlite:
        status = SqliteMonthDb::readTable(datenbank, tabelle, records);
        break;
    case DatabaseFormat::Jet:
        status = JetReader::readTable(datenbank, tabelle, records);
        break;
    case DatabaseFormat::None:
        break;
    }
    if (!status.ok())
        records.clear();
    return status;
}

DbStatus readMonth(const QString &datenbank, MonthContents &month, LogRead read)
{
    month = {};
    const FormatProbe probe = probeDatabaseFile(datenbank);
    switch (probe.format) {
    case DatabaseFormat::Sqlite:
        return SqliteMonthDb::readMonth(datenbank, month, read);
    case DatabaseFormat::Jet:
        return JetReader::readTable(datenbank, JournalTable::tableName(), month.records);
    case DatabaseFormat::None:
        break;
    }
    return probe.status;
}

DbStatus readCounts(const QString &datenbank, CashCount::Counts &counts)
{
    counts.clear();
    const FormatProbe probe = probeDatabaseFile(datenbank);
    switch (probe.format) {
    case DatabaseFormat::Sqlite:
        return SqliteMonthDb::readCounts(datenbank, counts);
    case DatabaseFormat::Jet:
        return {};
    case DatabaseFormat::None:
        break;
    }
    return probe.status;
}

QString alreadyExistsMessage()
{
    return QStringLiteral(" Datenbank schon vorhanden");
}

} // namespace MonthDatabase
