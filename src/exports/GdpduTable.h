#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A table in the tax audit's description standard (index.xml beside CSV
// files, checked against gdpdu-01-08-2002.dtd): its CSV file and its
// declaration in index.xml come from one list of columns, so the two cannot
// disagree.
//
// The CSV is UTF-8: the standard's default, ANSI, is a Windows code page that
// knows the euro sign and umlauts but not every character a text may hold,
// and an audit copy must give back every text exactly. Hence also: ";"
// between fields, CR LF after each record, every text in double quotes with
// inner quotes doubled (so ";", quotes and line breaks inside a text read
// back as written), numbers with a decimal comma and no grouping, dates as
// DD.MM.YYYY. The first line names the columns for a person who opens the
// file; SkipNumBytes tells the audit software to pass over it.
namespace Gdpdu {

enum class Type {
    Integer,     // Numeric without decimals
    TwoDecimals, // Numeric with Accuracy 2: cents, or hundredths of a percent
    Date,        // Date in DD.MM.YYYY
    Text,        // AlphaNumeric, its MaxLength the longest value in UTF-8 bytes
};

struct Column
{
    QString name;
    Type type = Type::Text;
    QString description; // none when empty
};

struct ForeignKey
{
    QStringList columns; // of this table
    QString references;  // the name of the table whose primary key they name
};

class Table
{
public:
    // The first keyColumns columns are the primary key.
    Table(const QString &url, const QString &name, std::vector<Column> columns, int keyColumns,
          std::vector<ForeignKey> foreignKeys = {});

    void setDescription(const QString &description) { m_description = description; }

    // One record, cell by cell in the order of the columns; nothing writes
    // an empty field.
    Table &integer(std::optional<qint64> value);
    Table &twoDecimals(std::optional<qint64> hundredths);
    Table &date(std::optional<QDate> day);
    Table &text(const QString &text);
    void endRecord();

    int records() const { return m_records; }
    const QString &url() const { return m_url; }
    // The heading line, then the records.
    QByteArray csv() const;
    // The <Table> element for index.xml.
    QString declaration() const;

private:
    void cell(Type type, const QByteArray &field);
    QByteArray headingLine() const;

    QString m_url;
    QString m_name;
    QString m_description;
    std::vector<Column> m_columns;
    int m_keyColumns;
    std::vector<ForeignKey> m_foreignKeys;
    std::vector<qsizetype> m_maxLength;
    QByteArray m_body;
    size_t m_cell = 0;
    int m_records = 0;
};

// Who hands the data over: the DataSupplier element.
struct Supplier
{
    QString name;
    QString location;
    QString comment;
};

// index.xml for the tables, all on one medium named mediaName.
QByteArray indexXml(const Supplier &supplier, const QString &mediaName, const std::vector<const Table *> &tables);

// The DTD the index names, as it ships with Barlog.
QString dtdName(); // "gdpdu-01-08-2002.dtd"
QByteArray dtd();

// Text made safe for XML character data: markup characters escaped, the
// control characters XML 1.0 forbids left out.
QString xmlText(const QString &text);

} // namespace Gdpdu
