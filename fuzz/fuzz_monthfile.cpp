// Opens arbitrary bytes as a month file, as "Laden" and "Öffnen" do with a
// damaged or foreign file. Reading must end in records or an orderly error.
#include "books/MonthAudit.h"
#include "storage/MonthDatabase.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2026-03.mdb"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    for (const QString &table : {QStringLiteral("Journal"), QStringLiteral("Users")}) {
        Records records;
        const DbStatus status = MonthDatabase::readRecords(path, table, records);
        if (!status.ok() && status.report().isEmpty())
            std::abort();
    }
    // The whole month with its change log, checked as a load checks it.
    MonthContents month;
    if (MonthDatabase::readMonth(path, month).ok())
        MonthAudit::message(QStringLiteral("2026-03.mdb"), month, MonthAudit::check(month));
    return 0;
}
