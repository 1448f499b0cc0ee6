#include "exports/GdpduTable.h"

#include <QFile>

namespace Gdpdu {
namespace {
constexpr char Separator = ';';
const QByteArray RecordEnd = "\r\n";
constexpr int HundredthsPerUnit = 100;

QByteArray quoted(const QString &text)
{
    QByteArray field = text.toUtf8();
    field.replace('"', "\"\"");
    return '"' + field + '"';
}

QString element(const QString &name, const QString &text)
{
    return QStringLiteral("<%1>%2</%1>").arg(name, xmlText(text));
}

QString typeDeclaration(const Column &column, qsizetype maxLength)
{
    switch (column.type) {
    case Type::Integer:
        return QStringLiteral("<Numeric><Accuracy>0</Accuracy></Numeric>");
    case Type::TwoDecimals:
        return QStringLiteral("<Numeric><Accuracy>2</Accuracy></Numeric>");
    case Type::Date:
        return QStringLiteral("<Date><Format>DD.MM.YYYY</Format></Date>");
    case Type::Text:
        break;
    }
    return QStringLiteral("<AlphaNumeric/><MaxLength>%1</MaxLength>").arg(std::max<qsizetype>(maxLength, 1));
}

bool allowedInXml(char32_t c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}
} // namespace

Table::Table(const QString &url, const QString &name, std::vector<Column> columns, int keyColumns,
             std::vector<ForeignKey> foreignKeys)
    : m_url(url),
      m_name(name),
      m_columns(std::move(columns)),
      m_keyColumns(keyColumns),
      m_foreignKeys(std::move(foreignKeys)),
      m_maxLength(m_columns.size(), 0)
{
}

void Table::cell(Type type, const QByteArray &field)
{
    Q_ASSERT(m_cell < m_columns.size() && m_columns[m_cell].type == type);
    if (m_cell > 0)
        m_body += Separator;
    m_body += field;
    ++m_cell;
}

Table &Table::integer(std::optional<qint64> value)
{
    cell(Type::Integer, value ? QByteArray::number(*value) : QByteArray());
    return *this;
}

Table &Table::twoDecimals(std::optional<qint64> hundredths)
{
    QByteArray field;
    if (hundredths) {
        const qint64 v = *hundredths;
        const qint64 magnitude = v < 0 ? -v : v;
        field = (v < 0 ? QByteArray("-") : QByteArray()) + QByteArray::number(magnitude / HundredthsPerUnit) + ','
                + QByteArray::number(magnitude % HundredthsPerUnit).rightJustified(2, '0');
    }
    cell(Type::TwoDecimals, field);
    return *this;
}

Table &Table::date(std::optional<QDate> day)
{
    cell(Type::Date, day && day->isValid() ? day->toString(QStringLiteral("dd.MM.yyyy")).toLatin1() : QByteArray());
    return *this;
}

Table &Table::text(const QString &text)
{
    const QByteArray field = quoted(text);
    // The quotes and the doubled inner quotes are not part of the value.
    const qsizetype length = text.toUtf8().size();
    if (m_cell < m_maxLength.size())
        m_maxLength[m_cell] = std::max(m_maxLength[m_cell], length);
    cell(Type::Text, field);
    return *this;
}

void Table::endRecord()
{
    Q_ASSERT(m_cell == m_columns.size());
    m_body += RecordEnd;
    m_cell = 0;
    ++m_records;
}

QByteArray Table::headingLine() const
{
    QByteArray line;
    for (const Column &column : m_columns) {
        if (!line.isEmpty())
            line += Separator;
        line += quoted(column.name);
    }
    return line + RecordEnd;
}

QByteArray Table::csv() const
{
    return headingLine() + m_body;
}

QString Table::declaration() const
{
    QStringList x;
    x << QStringLiteral("    <Table>") << QStringLiteral("      ") + element(QStringLiteral("URL"), m_url)
      << QStringLiteral("      ") + element(QStringLiteral("Name"), m_name);
    if (!m_description.isEmpty())
        x << QStringLiteral("      ") + element(QStringLiteral("Description"), m_description);
    x << QStringLiteral("      <UTF8/>") << QStringLiteral("      <DecimalSymbol>,</DecimalSymbol>")
      << QStringLiteral("      <DigitGroupingSymbol>.</DigitGroupingSymbol>")
      << QStringLiteral("      <SkipNumBytes>%1</SkipNumBytes>").arg(headingLine().size())
      << QStringLiteral("      <VariableLength>") << QStringLiteral("        <ColumnDelimiter>;</ColumnDelimiter>")
      << QStringLiteral("        <RecordDelimiter>&#13;&#10;</RecordDelimiter>")
      << QStringLiteral("        <TextEncapsulator>&quot;</TextEncapsulator>");
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const Column &c = m_columns[i];
        const QString kind = static_cast<int>(i) < m_keyColumns ? QStringLiteral("VariablePrimaryKey")
                                                                : QStringLiteral("VariableColumn");
        QString line = QStringLiteral("        <%1>").arg(kind) + element(QStringLiteral("Name"), c.name);
        if (!c.description.isEmpty())
            line += element(QStringLiteral("Description"), c.description);
        x << line + typeDeclaration(c, m_maxLength[i]) + QStringLiteral("</%1>").arg(kind);
    }
    for (const ForeignKey &key : m_foreignKeys) {
        QString line = QStringLiteral("        <ForeignKey>");
        for (const QString &column : key.columns)
            line += element(QStringLiteral("Name"), column);
        x << line + element(QStringLiteral("References"), key.references) + QStringLiteral("</ForeignKey>");
    }
    x << QStringLiteral("      </VariableLength>") << QStringLiteral("    </Table>");
    return x.join(u'\n');
}

QByteArray indexXml(const Supplier &supplier, const QString &mediaName, const std::vector<const Table *> &tables)
{
    QStringList x;
    x << QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")
      << QStringLiteral("<!DOCTYPE DataSet SYSTEM \"%1\">").arg(dtdName()) << QStringLiteral("<DataSet>")
      << QStringLiteral("  <Version>1.0</Version>") << QStringLiteral("  <DataSupplier>")
      << QStringLiteral("    ") + element(QStringLiteral("Name"), supplier.name)
      << QStringLiteral("    ") + element(QStringLiteral("Location"), supplier.location)
      << QStringLiteral("    ") + element(QStringLiteral("Comment"), supplier.comment)
      << QStringLiteral("  </DataSupplier>") << QStringLiteral("  <Media>")
      << QStringLiteral("    ") + element(QStringLiteral("Name"), mediaName);
    for (const Table *table : tables)
        x << table->declaration();
    x << QStringLiteral("  </Media>") << QStringLiteral("</DataSet>");
    return (x.join(u'\n') + u'\n').toUtf8();
}

QString dtdName()
{
    return QStringLiteral("gdpdu-01-08-2002.dtd");
}

QByteArray dtd()
{
    QFile file(QStringLiteral(":/gdpdu/") + dtdName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString xmlText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (!allowedInXml(c))
            continue;
        switch (c) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        case u'\r':
            // A plain CR would be read as a line end and lost.
            out += QStringLiteral("&#13;");
            break;
        default:
            out += QString::fromUcs4(&c, 1);
        }
    }
    return out;
}

} // namespace Gdpdu
