#include "storage/JournalTable.h"

namespace JournalTable {

QString tableName()
{
    return QStringLiteral("Journal");
}

QString fieldName(int index)
{
    if (index < 0 || index >= fieldCount)
        return {};
    return QString::fromUtf16(fields[static_cast<size_t>(index)].name);
}

QString blankCell()
{
    return QStringLiteral(" ");
}

QString carryOverText()
{
    return QStringLiteral("Übertrag");
}

QString quoteIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString createTableSql()
{
    QStringList columns;
    for (int i = 0; i < fieldCount; ++i) {
        const QString name = quoteIdentifier(fieldName(i));
        columns << QStringLiteral("%1 TEXT CONSTRAINT %1 CHECK (length(%1) BETWEEN 1 AND %2)")
                       .arg(name)
                       .arg(fields[static_cast<size_t>(i)].maxLength);
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdentifier(tableName()), columns.join(QStringLiteral(", ")));
}

int characterCount(const QString &text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

} // namespace JournalTable
