#include "StorageFixtures.h"
#include "TestSupport.h"
#include "storage/MonthDatabase.h"

#include <QDir>
#include <QtTest>

using namespace Fixtures;

namespace {
const QString journal = QStringLiteral("Journal");

QString ourMonthFile(const ProgramFolder &folder)
{
    const QString path = folder.file(QStringLiteral("m.mdb"));
    return MonthDatabase::interne_Datenbank(path).ok() ? path : QString();
}

// Puts a file of the given kind at "m.mdb" and returns the path to open.
QString prepare(const ProgramFolder &folder, const QString &kind)
{
    const QString name = QStringLiteral("m.mdb");
    const QString path = folder.file(name);
    if (kind == QStringLiteral("below")) {
        folder.write(name, "x");
        return path + QStringLiteral("/2021-03.mdb");
    }
    if (kind == QStringLiteral("folder"))
        QDir(folder.path()).mkdir(name);
    if (kind == QStringLiteral("text"))
        folder.write(name, "Einnahmen;Ausgaben\r\n");
    if (kind == QStringLiteral("foreign"))
        Sql::exec(path, QStringLiteral("CREATE TABLE Journal (a TEXT); PRAGMA user_version = 1"));
    if (kind == QStringLiteral("ours") || kind == QStringLiteral("newer") || kind == QStringLiteral("dropped"))
        ourMonthFile(folder);
    if (kind == QStringLiteral("newer"))
        Sql::exec(path, QStringLiteral("PRAGMA user_version = 99"));
    if (kind == QStringLiteral("dropped"))
        Sql::exec(path, QStringLiteral("DROP TABLE Journal"));
    if (kind.startsWith(QStringLiteral("jet"))) {
        QByteArray bytes = jetFile();
        if (kind == QStringLiteral("jet-cut"))
            bytes.truncate(4096 * 3 + 100);
        if (kind == QStringLiteral("jet-loop"))
            bytes[126511] = '\0'; // one byte of its property data sends the library round in circles
        folder.write(name, bytes);
    }
    return path;
}

// The columns of fileRow(): the kind of file prepare() lays out, a file or
// table name, an error number (0: none) and how many values to append (0: read).
void fileColumns()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("values");
}

void fileRow(const char *name, const char *kind, const char *text, DbError error, int values = 0)
{
    QTest::newRow(name) << QString::fromUtf8(kind) << QString::fromUtf8(text) << int(error) << values;
}
} // namespace

class TestMonthDatabase : public QObject
{
    Q_OBJECT
private slots:
    // The Windows program's column names and types, so that its tools read our months.
    void newDatabaseHasTheJournalLayout()
    {
        ProgramFolder folder;
        const QString layout =
            QStringLiteral("SELECT group_concat(name || ' ' || type, ', ') FROM pragma_table_info('Journal')");
        QCOMPARE(Sql::query(ourMonthFile(folder), layout).value(0).value(0),
                 QStringLiteral("Einnahmen1 TEXT, Einnahmen2 TEXT, Einnahmen3 TEXT, Ausgaben TEXT, Bestand TEXT, "
                                "Konto TEXT, Beleg TEXT, Datum TEXT, Text TEXT, leer TEXT"));
    }

    // Each field takes texts up to its length in characters and refuses longer ones.
    void fieldLengths_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("error");
        for (int f = 0; f < JournalTable::fieldCount; ++f) {
            const int max = JournalTable::fields[static_cast<size_t>(f)].maxLength;
            const QString name = JournalTable::fieldName(f);
            QTest::addRow("%s takes %d", qPrintable(name), max) << f << QString(max, u'9') << 0;
            QTest::addRow("%s refuses %d", qPrintable(name), max + 1)
                << f << QString(max + 1, u'9') << int(DbError::FieldTooSmall);
        }
        QTest::newRow("a character outside the BMP counts once")
            << 8 << QString(40, QChar(0)).replace(QChar(0), QStringLiteral("\U0001F600")) << 0;
        QTest::newRow("the empty text is refused") << 8 << QStringLiteral("") << int(DbError::ZeroLength);
        QTest::newRow("NULL is allowed") << 8 << QString() << 0;
    }
    void fieldLengths()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(int, error);
        ProgramFolder folder;
        const QString path = ourMonthFile(folder);
        Record record(JournalTable::fieldCount, QStringLiteral(" "));
        record[field] = value;
        const DbStatus status = MonthDatabase::DatensatzAnfuegen(record, path, journal);
        QCOMPARE(status.number, error);
        const QList<QStringList> rows = Sql::rows(path, journal);
        QCOMPARE(rows.size(), error == 0 ? 1 : 0);
        if (error == 0)
            QCOMPARE(rows.first().at(field), value.isNull() ? QStringLiteral("<NULL>") : value);
        else
            QVERIFY2(status.description.contains(JournalTable::fieldName(field)), qPrintable(status.description));
    }

    // A table name reaches SQL only as a quoted identifier.
    void quotedTableNameNamesOnlyThatTable()
    {
        ProgramFolder folder;
        const QString path = ourMonthFile(folder);
        QVERIFY(Sql::exec(path, QStringLiteral("CREATE TABLE \"Jour\"\"nal\" (a TEXT)")));
        QVERIFY(MonthDatabase::DatensatzAnfuegen({QStringLiteral("x")}, path, QStringLiteral("Jour\"nal")).ok());
        QCOMPARE(Sql::rows(path, QStringLiteral("Jour\"\"nal")), QList<QStringList>{{QStringLiteral("x")}});
        Records read;
        QVERIFY(MonthDatabase::readRecords(path, QStringLiteral("jour\"NAL"), read).ok());
        QCOMPARE(asList(read), QList<QStringList>{{QStringLiteral("x")}});
        QVERIFY(Sql::rows(path, journal).isEmpty());
    }

    void interneDatenbank_data()
    {
        fileColumns();
        fileRow("a new file", "", "m.mdb", DbError::None);
        fileRow("an existing file is left alone", "text", "m.mdb", DbError::None);
        fileRow("a folder of that name", "folder", "m.mdb", DbError::DatabaseExists);
        fileRow("a missing year folder", "", "2022/2022-01.mdb", DbError::InvalidPath);
    }
    void interneDatenbank()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(int, error);
        ProgramFolder folder;
        prepare(folder, kind);
        const QByteArray before = folder.read(name);
        QCOMPARE(MonthDatabase::interne_Datenbank(folder.file(name)).number, error);
        QCOMPARE(folderEntries(folder.path()), error == int(DbError::InvalidPath) ? QStringList{} : QStringList{name});
        if (!kind.isEmpty())
            QCOMPARE(folder.read(name), before);
    }

    // Reading from (no values) or appending to anything but one of our month
    // files fails and changes nothing.
    void refusals_data()
    {
        fileColumns();
        fileRow("append: a Jet file is read-only", "jet", "Users", DbError::ReadOnly, 10);
        fileRow("append: a text file", "text", "Journal", DbError::UnrecognizedFormat, 10);
        fileRow("append: a missing file is not created", "", "Journal", DbError::FileNotFound, 10);
        fileRow("append: another program's SQLite file", "foreign", "Journal", DbError::UnrecognizedFormat, 10);
        fileRow("append: a table that is not there", "ours", "Kasse", DbError::TableNotFound, 10);
        fileRow("append: more values than fields", "ours", "Journal", DbError::TooManyValues, 11);
        fileRow("missing file", "", "Journal", DbError::FileNotFound);
        fileRow("below a file", "below", "Journal", DbError::InvalidPath);
        fileRow("a folder", "folder", "Journal", DbError::CannotOpen);
        fileRow("another program's SQLite file", "foreign", "Journal", DbError::UnrecognizedFormat);
        fileRow("a month file of a later version", "newer", "Journal", DbError::UnrecognizedFormat);
        fileRow("our file without the table", "dropped", "Journal", DbError::TableNotFound);
        fileRow("a Jet file without Journal", "jet", "Journal", DbError::TableNotFound);
        fileRow("a truncated Jet file", "jet-cut", "Users", DbError::Corrupt);
        fileRow("a Jet file the library never finishes", "jet-loop", "Users", DbError::Corrupt);
    }
    void refusals()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(int, error);
        QFETCH(int, values);
        ProgramFolder folder;
        const QString path = prepare(folder, kind);
        const QStringList entries = folderEntries(folder.path());
        const QByteArray before = folder.read(QStringLiteral("m.mdb"));
        Records records{{QStringLiteral("stale")}};
        const DbStatus status = values == 0
                                    ? MonthDatabase::readRecords(path, name, records)
                                    : MonthDatabase::DatensatzAnfuegen(Record(values, QStringLiteral("1")), path, name);
        QCOMPARE(status.number, error);
        QVERIFY(!status.description.isEmpty());
        QCOMPARE(records.empty(), values == 0);
        QCOMPARE(folder.read(QStringLiteral("m.mdb")), before);
        QCOMPARE(folderEntries(folder.path()), entries);
    }
};

QTEST_GUILESS_MAIN(TestMonthDatabase)
#include "TestMonthDatabase.moc"
