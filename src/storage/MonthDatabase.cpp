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

DbStatus readJournalFields(const QString &datenbank, int count, const FieldsTaker &take)
{
    const FormatProbe probe = probeDatabaseFile(datenbank);
    switch (probe.format) {
    case DatabaseFormat::Sqlite:
        return SqliteMonthDb::readJournalFields(datenbank, count, take);
    case DatabaseFormat::Jet:
        break;
    case DatabaseFormat::None:
        return probe.status;
    }
    // The Windows program's files are read whole, as seldom as they come.
    Records records;
    if (DbStatus status = JetReader::readTable(datenbank, JournalTable::tableName(), records); !status.ok())
        return status;
    std::vector<QByteArray> utf8(static_cast<size_t>(count));
    std::vector<QUtf8StringView> fields(static_cast<size_t>(count));
    for (const Record &record : records) {
        for (int i = 0; i < count; ++i) {
            const auto at = static_cast<size_t>(i);
            utf8[at] = record.value(i).toUtf8();
            fields[at] = i < record.size() && !record.at(i).isNull() ? QUtf8StringView(utf8[at]) : QUtf8StringView();
        }
        take(fields.data());
    }
    return {};
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
