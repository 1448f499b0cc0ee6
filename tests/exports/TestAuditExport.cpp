#include "StorageFixtures.h"
#include "TestSupport.h"

#include "books/CashCount.h"
#include "books/CashCountStore.h"
#include "books/ChangeLog.h"
#include "books/MonthClosing.h"
#include "books/MonthStorage.h"
#include "editing/Modul.h"
#include "exports/AuditExport.h"
#include "exports/YearOverview.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QtTest>

#include <zip.h>

namespace {
constexpr int Year = 2026;

QString monthPath(const ProgramFolder &folder, int month)
{
    return folder.file(QStringLiteral("%1/%1-%2.mdb").arg(Year).arg(month, 2, 10, QLatin1Char('0')));
}

// "Speichern" of a month that starts with 100,00; each row's cells from
// the first income column on, split at "|".
void save(const ProgramFolder &folder, int month, const QStringList &rows)
{
    FlexGridStore sheet = Fixtures::startupSheet(modul::FirstEntryRow + static_cast<int>(rows.size()) + 1);
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColBestand, QStringLiteral("100,00"));
    for (int i = 0; i < rows.size(); ++i)
        Fixtures::setRow(sheet, modul::FirstEntryRow + i, rows[i].split(u'|'));
    modul::BestandBerechnen(sheet);
    const MonthStorage::SavePlan plan = MonthStorage::planSave(
        sheet, folder.path(), QString::number(Year), QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')));
    QCOMPARE(MonthStorage::save(plan), QString());
}

// The year: January saved, counted and closed; February saved and open;
// March from before the change log; April a file of the Windows program
// that holds no month; May saved, then a text changed in the file; June
// closed, then its copy from before the close put back; July closed, then
// its file removed.
void makeYear(const ProgramFolder &folder)
{
    save(folder, 1,
         {QStringLiteral("119,00||||||1|05.01.2026|Kaffee; \"Bohnen\""),
          QStringLiteral("|10,70|||||2|06.01.|Brötchen €"), QStringLiteral("|||30,00||4980|3|07.01.2026|Porto")});
    const CashCount::Tally tally{0, 0, 1, 1, 2, 0, 1, 2, 0, 1, 1, 0, 0, 0, 0};
    const CashCount::Count count = CashCount::taken(tally, 19970, QStringLiteral("Anna; \"A.\""),
                                                    QStringLiteral("Fehlbetrag\r\nam Abend"), ChangeLog::timeNow());
    QVERIFY(CashCountStore::store(folder.path(), monthPath(folder, 1), QStringLiteral("2026-01"), count,
                                  modul::defaultRateTexts())
                .ok());
    QCOMPARE(MonthClosing::close(folder.path(), monthPath(folder, 1), QStringLiteral("2026-01")), QString());
    save(folder, 2, {QStringLiteral("23,80||||||4|02.02.2026|Tee")});
    QVERIFY(Fixtures::Sql::exec(
        monthPath(folder, 3),
        JournalTable::createTableSql()
            + QStringLiteral("; INSERT INTO Journal VALUES ('19%', '7%', '0%', ' ', ' ', ' ', ' ', ' ', ' ', ' ');"
                             "INSERT INTO Journal VALUES (' ', ' ', ' ', ' ', '50,00', ' ', '7', ' ', 'Übertrag', ' ');"
                             "INSERT INTO Journal VALUES ('5,00', ' ', ' ', ' ', ' ', ' ', ' ', '03.03.', 'alt', ' ');"
                             "PRAGMA application_id = %1; PRAGMA user_version = 1")
                  .arg(JournalTable::applicationId)));
    folder.write(QStringLiteral("2026/2026-04.mdb"), Fixtures::jetFile());
    save(folder, 5, {QStringLiteral("12,00||||||9|04.05.2026|Miete")});
    QVERIFY(Fixtures::Sql::flipByte(monthPath(folder, 5), JournalTable::tableName(), QStringLiteral("Text"), 3, 0));
    for (int month : {6, 7}) {
        save(folder, month, {QStringLiteral("1,00")});
        const QString copy = monthPath(folder, month) + QStringLiteral(".alt");
        QVERIFY(QFile::copy(monthPath(folder, month), copy));
        QCOMPARE(MonthClosing::close(folder.path(), monthPath(folder, month), QStringLiteral("2026-0%1").arg(month)),
                 QString());
        QVERIFY(QFile::remove(monthPath(folder, month)));
        // June: its copy from before the close back in place; July: gone.
        if (month == 6)
            QVERIFY(QFile::rename(copy, monthPath(folder, month)));
    }
}

struct DeclaredColumn
{
    QString name;
    QString type;
    int accuracy = 0;
    int maxLength = 0;
};
struct DeclaredTable
{
    QString url;
    QString name;
    QString description;
    qsizetype skip = 0;
    bool utf8 = false;
    QList<DeclaredColumn> columns;
    QList<QStringList> records;

    int column(const QString &columnName) const
    {
        for (int i = 0; i < columns.size(); ++i) {
            if (columns[i].name == columnName)
                return i;
        }
        return -1;
    }
};

// The tables index.xml declares, and the supplier's name.
QList<DeclaredTable> declarations(const QByteArray &xml, QString &supplier)
{
    QList<DeclaredTable> tables;
    QXmlStreamReader x(xml);
    bool inColumn = false;
    while (!x.atEnd()) {
        const QXmlStreamReader::TokenType token = x.readNext();
        const QString n = x.name().toString();
        const bool column = n == u"VariablePrimaryKey" || n == u"VariableColumn";
        if (token == QXmlStreamReader::EndElement && column)
            inColumn = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (tables.isEmpty()) {
            if (n == u"Table")
                tables.append(DeclaredTable{});
            else if (n == u"Name" && supplier.isEmpty())
                supplier = x.readElementText();
            continue;
        }
        DeclaredTable &t = n == u"Table" ? tables.emplaceBack() : tables.last();
        if (column)
            t.columns.append(DeclaredColumn{});
        inColumn = inColumn || column;
        if (n == u"Numeric" || n == u"Date" || n == u"AlphaNumeric")
            t.columns.last().type = n;
        else if (n == u"UTF8")
            t.utf8 = true;
        else if (n == u"Name" && inColumn)
            t.columns.last().name = x.readElementText();
        else if (n == u"Name" && t.name.isEmpty())
            t.name = x.readElementText();
        else if (n == u"URL" || (n == u"Description" && !inColumn))
            (n == u"URL" ? t.url : t.description) = x.readElementText();
        else if (n == u"SkipNumBytes")
            t.skip = x.readElementText().toLongLong();
        else if (n == u"Accuracy")
            t.columns.last().accuracy = x.readElementText().toInt();
        else if (n == u"MaxLength")
            t.columns.last().maxLength = x.readElementText().toInt();
    }
    return tables;
}

// The records as the declared format reads them: ";" between fields, CR LF
// after each record, "..." around a text with "" for a quote inside.
QList<QStringList> records(const QByteArray &bytes)
{
    QList<QStringList> out;
    QStringList record;
    QByteArray field;
    bool inQuotes = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        const char next = i + 1 < bytes.size() ? bytes[i + 1] : '\0';
        if (inQuotes && c == '"' && next == '"') {
            field += '"';
            ++i;
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && c == ';') {
            record << QString::fromUtf8(field);
            field.clear();
        } else if (!inQuotes && c == '\r' && next == '\n') {
            out << (record << QString::fromUtf8(field));
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return out;
}

qint64 cents(const QString &amount)
{
    return QString(amount).remove(u',').toLongLong();
}

// Unpacks the archive with libzip: every entry's name and bytes in order.
QList<std::pair<QString, QByteArray>> unzip(const QByteArray &archive)
{
    QList<std::pair<QString, QByteArray>> entries;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source =
        zip_source_buffer_create(archive.constData(), static_cast<zip_uint64_t>(archive.size()), 0, &error);
    zip_t *zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (zip == nullptr) {
        zip_source_free(source);
        return entries;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &stat);
        QByteArray bytes(static_cast<qsizetype>(stat.size), '\0');
        zip_file_t *file = zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0);
        zip_fread(file, bytes.data(), stat.size);
        zip_fclose(file);
        entries.append({QString::fromUtf8(stat.name), bytes});
    }
    zip_close(zip);
    return entries;
}
} // namespace

class TestAuditExport : public QObject
{
    Q_OBJECT
private:
    ProgramFolder m_folder;
    AuditYear::Year m_year;
    QList<std::pair<QString, QByteArray>> m_files;
    QList<DeclaredTable> m_tables;
    QString m_supplier;

    const DeclaredTable &table(const QString &name) const
    {
        for (const DeclaredTable &t : m_tables) {
            if (t.name == name)
                return t;
        }
        static const DeclaredTable none;
        return none;
    }

private slots:
    void initTestCase()
    {
        makeYear(m_folder);
        m_year = AuditYear::read(m_folder.path(), Year);
        const ShopData shop{QStringLiteral("Café Müller & Söhne"), QStringLiteral("Hauptstr. 1"),
                            QStringLiteral("12345 Berlin"), QStringLiteral("12/345/67890"), 0};
        const ZipArchive::Result zip =
            ZipArchive::pack(AuditExport::files(m_year, shop, QDateTime(QDate(2027, 1, 15), QTime(9, 30))),
                             QDateTime(QDate(2027, 1, 15), QTime(9, 30)));
        QVERIFY(zip.ok());
        m_files = unzip(zip.bytes);
        QVERIFY(!m_files.isEmpty());
        m_tables = declarations(m_files.first().second, m_supplier);
        for (DeclaredTable &t : m_tables) {
            for (const auto &[name, bytes] : m_files) {
                if (name == t.url)
                    t.records = records(bytes.mid(t.skip));
            }
        }
    }

    // index.xml comes first and is valid against the DTD beside it.
    void theIndexIsValid()
    {
        QStringList names;
        for (const auto &[name, bytes] : m_files)
            names << name;
        QCOMPARE(names.join(u' '), QStringLiteral("index.xml gdpdu-01-08-2002.dtd kassenbuch.csv "
                                                  "aenderungsprotokoll.csv monatsabschluesse.csv "
                                                  "kassenzaehlungen.csv uebertraege.csv"));
        QCOMPARE(m_supplier, QStringLiteral("Café Müller & Söhne"));
        if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty())
            QSKIP("xmllint (libxml2-utils) is not installed");
        const QTemporaryDir dir;
        for (const auto &[name, bytes] : m_files) {
            QFile out(dir.filePath(name));
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        }
        QProcess lint;
        lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--dtdvalid"),
                                               dir.filePath(names[1]), dir.filePath(names[0])});
        QVERIFY(lint.waitForFinished());
        QVERIFY2(lint.exitCode() == 0, lint.readAllStandardError().constData());
    }

    // Every record has the declared columns, every field its declared type.
    void eachTableReadsBackAsDeclared()
    {
        QCOMPARE(m_tables.size(), 5);
        const QRegularExpression whole(QStringLiteral("^-?\\d+$"));
        const QRegularExpression hundredths(QStringLiteral("^-?\\d+,\\d\\d$"));
        for (const DeclaredTable &t : m_tables) {
            QVERIFY2(t.utf8 && !t.records.isEmpty(), qPrintable(t.name));
            for (const QStringList &r : t.records) {
                QVERIFY2(r.size() == t.columns.size(), qPrintable(t.name + u' ' + r.join(u';')));
                for (int i = 0; i < r.size(); ++i) {
                    const DeclaredColumn &c = t.columns[i];
                    const QString &v = r[i];
                    const bool ok =
                        v.isEmpty() || (c.type == u"Numeric" && c.accuracy == 0 && whole.match(v).hasMatch())
                        || (c.type == u"Numeric" && c.accuracy == 2 && hundredths.match(v).hasMatch())
                        || (c.type == u"Date" && QDate::fromString(v, QStringLiteral("dd.MM.yyyy")).isValid())
                        || (c.type == u"AlphaNumeric" && v.toUtf8().size() <= c.maxLength);
                    QVERIFY2(ok, qPrintable(QStringLiteral("%1, %2: „%3“").arg(t.name, c.name, v)));
                }
            }
        }
    }

    // The incomes of each rate and the expenses add up to the year overview's.
    void amountsSumToTheYearOverview()
    {
        const DeclaredTable &book = table(QStringLiteral("Kassenbuch"));
        QMap<QString, qint64> byRate;
        qint64 expenses = 0;
        for (const QStringList &r : book.records) {
            for (int i = 1; i <= modul::RateCount; ++i)
                byRate[r[book.column(QStringLiteral("Steuersatz %1").arg(i))]] +=
                    cents(r[book.column(QStringLiteral("Einnahmen %1").arg(i))]);
            expenses += cents(r[book.column(QStringLiteral("Ausgaben"))]);
        }
        const YearOverview::Overview overview = YearOverview::read(m_folder.path(), Year);
        for (size_t i = 0; i < overview.rates.size(); ++i) {
            const QString rate = QStringLiteral("%1,00").arg(overview.rates[i].rate.value_or(-1) / 100);
            QCOMPARE(byRate.value(rate), overview.yearIncome[i].gross);
        }
        QCOMPARE(expenses, overview.yearExpenses);
        QVERIFY(expenses > 0);
    }

    // Single fields, found by their table and key: texts with ";", quotes,
    // line breaks, umlauts and "€" read back as typed; the split, the dates,
    // the months' state and what ties the months together.
    void theFields_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("expected");
        textRow("a text with ; and quotes", "Kassenbuch", "1/3", "Text", "Kaffee; \"Bohnen\"");
        textRow("umlauts and the euro sign", "Kassenbuch", "1/4", "Text", "Brötchen €");
        textRow("a date typed without its year", "Kassenbuch", "1/4", "Datum", "06.01.2026");
        textRow("the date as typed", "Kassenbuch", "1/4", "Datum wie erfasst", "06.01.");
        textRow("the net of a row", "Kassenbuch", "1/3", "Netto 1", "100,00");
        textRow("the VAT of a row", "Kassenbuch", "1/4", "USt 2", "0,70");
        textRow("the column's rate", "Kassenbuch", "1/4", "Steuersatz 2", "7,00");
        textRow("the balance after the row", "Kassenbuch", "1/5", "Bestand", "199,70");
        textRow("a closed month", "Kassenbuch", "1/3", "Monatsstatus", "abgeschlossen");
        textRow("an open month", "Kassenbuch", "2/3", "Monatsstatus", "offen");
        textRow("a month from before the log", "Kassenbuch", "3/3", "Einnahmen 1", "5,00");
        textRow("a changed month, as its file holds it", "Kassenbuch", "5/3", "Einnahmen 1", "12,00");
        textRow("the carry-over row", "Kassenbuch", "2/2", "Bestand", "100,00");
        textRow("a log entry", "Änderungsprotokoll", "1/1", "Art", "neue Zeile");
        textRow("a note with a line break", "Kassenzählungen", "1", "Notiz", "Fehlbetrag\r\nam Abend");
        textRow("who counted", "Kassenzählungen", "1", "Gezählt von", "Anna; \"A.\"");
        textRow("a denomination's count", "Kassenzählungen", "1", "Anzahl 20 €", "2");
        textRow("a close", "Monatsabschlüsse", "1", "Monat", "1");
        textRow("a carry-over off the month before", "Überträge", "2", "Abweichung", "-99,70");
        textRow("the end of a month", "Überträge", "2", "Endbestand", "123,80");
    }
    void theFields()
    {
        QFETCH(QString, table);
        QFETCH(QString, key);
        QFETCH(QString, column);
        QFETCH(QString, expected);
        const DeclaredTable &t = this->table(table);
        const qsizetype keyColumns = key.count(u'/') + 1;
        for (const QStringList &r : t.records) {
            if (QStringList(r.mid(0, keyColumns)).join(u'/') == key) {
                QVERIFY2(t.column(column) >= 0, qPrintable(column));
                QCOMPARE(r[t.column(column)], expected);
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no record %1 in %2").arg(key, table)));
    }

    // The months without a log, and those that were not read whole or were
    // changed, are named where the auditor reads about the cash book.
    void theDescriptionNamesTheMonths()
    {
        const QString d = table(QStringLiteral("Kassenbuch")).description;
        for (const QString &part :
             {QStringLiteral("Nicht abgeschlossen: 2026-02, 2026-03, 2026-04, 2026-05."),
              QStringLiteral("Ohne Änderungsprotokoll: 2026-03 (gespeichert vor dem "
                             "Änderungsprotokoll)."),
              QStringLiteral("2026-04: nicht lesbar"), QStringLiteral("2026-05: außerhalb von Barlog verändert."),
              QStringLiteral("2026-06: außerhalb von Barlog verändert. Die Datei ist nicht die Fassung, die beim "
                             "Abschluss gespeichert war."),
              QStringLiteral("2026-07: außerhalb von Barlog verändert. Die Datei fehlt, obwohl")})
            QVERIFY2(d.contains(part), qPrintable(d));
        QVERIFY(AuditExport::doneMessage(QStringLiteral("/x.zip"), m_year, {})
                    .contains(QStringLiteral("2026-05: außerhalb von Barlog verändert.")));
    }
};

QTEST_GUILESS_MAIN(TestAuditExport)
#include "TestAuditExport.moc"
