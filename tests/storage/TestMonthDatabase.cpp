#include "StorageFixtures.h"
#include "TestSupport.h"
#include "storage/MonthDatabase.h"

#include <QDir>
#include <QtTest>

using namespace Fixtures;

namespace {
const QString journal = QStringLiteral("Journal");

Record blanks()
{
    return Record(JournalTable::fieldCount, QStringLiteral(" "));
}

QString ourMonthFile(const ProgramFolder &folder, const QString &name = QStringLiteral("m.mdb"))
{
    const QString path = folder.file(name);
    return MonthDatabase::interne_Datenbank(path).ok() ? path : QString();
}

QByteArray jetFile()
{
    QFile in(testDataPath(QStringLiteral("jet4/users.mdb")));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
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
    if (kind == QStringLiteral("empty"))
        folder.write(name, QByteArray());
    if (kind == QStringLiteral("sqlite-garbage"))
        folder.write(name, QByteArray("SQLite format 3", 16) + QByteArray(4000, 'x'));
    if (kind == QStringLiteral("foreign"))
        Sql::exec(path, QStringLiteral("CREATE TABLE Journal (a TEXT)"));
    if (kind == QStringLiteral("ours") || kind == QStringLiteral("newer") || kind == QStringLiteral("dropped"))
        ourMonthFile(folder);
    if (kind == QStringLiteral("newer"))
        Sql::exec(path, QStringLiteral("PRAGMA user_version = 99"));
    if (kind == QStringLiteral("dropped"))
        Sql::exec(path, QStringLiteral("DROP TABLE Journal"));
    if (kind == QStringLiteral("jet"))
        folder.write(name, jetFile());
    if (kind == QStringLiteral("jet-cut"))
        folder.write(name, jetFile().left(4096 * 3 + 100));
    if (kind == QStringLiteral("jet-loop")) {
        // One byte of its property data sends the library round in circles.
        QByteArray bytes = jetFile();
        bytes[126511] = '\0';
        folder.write(name, bytes);
    }
    return path;
}
} // namespace

class TestMonthDatabase : public QObject
{
    Q_OBJECT
private slots:
    void newDatabaseHasTheJournalLayoutAndNoRecords()
    {
        ProgramFolder folder;
        const QString path = ourMonthFile(folder);
        const QString layout =
            QStringLiteral("SELECT group_concat(name || ' ' || type, ', ') FROM pragma_table_info('Journal')");
        QCOMPARE(Sql::query(path, layout).value(0).value(0),
                 QStringLiteral("Einnahmen1 TEXT, Einnahmen2 TEXT, Einnahmen3 TEXT, Ausgaben TEXT, Bestand TEXT, "
                                "Konto TEXT, Beleg TEXT, Datum TEXT, Text TEXT, leer TEXT"));
        QVERIFY(Sql::rows(path, journal).isEmpty());
        const QString stamps = QStringLiteral("SELECT * FROM pragma_application_id, pragma_user_version");
        QCOMPARE(Sql::query(path, stamps), (QList<QStringList>{{QString::number(JournalTable::applicationId),
                                                                QString::number(JournalTable::userVersion)}}));
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
        Record record = blanks();
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

    void appendedRecordsReadBackInOrder()
    {
        ProgramFolder folder;
        const QString path = ourMonthFile(folder);
        Records written;
        for (int i = 0; i < 4; ++i) {
            Record record = blanks();
            record[0] = QString::number(5 - i); // descending, so no sort by value passes
            record[8] = QStringLiteral("Bürobedarf %1").arg(i);
            written.push_back(record);
            QVERIFY(MonthDatabase::DatensatzAnfuegen(record, path, journal).ok());
        }
        // Fewer values than fields leave the rest NULL.
        QVERIFY(MonthDatabase::DatensatzAnfuegen({QStringLiteral("1,00")}, path, journal).ok());
        written.push_back(Record(JournalTable::fieldCount));
        written.back()[0] = QStringLiteral("1,00");
        Records read;
        QVERIFY(MonthDatabase::readRecords(path, journal, read).ok());
        QCOMPARE(asList(read), asList(written));
        QVERIFY(read.back().at(1).isNull());
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
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        QTest::newRow("a new file") << QString() << QStringLiteral("m.mdb") << 0;
        QTest::newRow("an existing file is left alone") << QStringLiteral("text") << QStringLiteral("m.mdb") << 0;
        QTest::newRow("a folder of that name")
            << QStringLiteral("folder") << QStringLiteral("m.mdb") << int(DbError::DatabaseExists);
        QTest::newRow("a missing year folder")
            << QString() << QStringLiteral("2022/2022-01.mdb") << int(DbError::InvalidPath);
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

    // Appending to anything but one of our month files fails and changes nothing.
    void appendRefusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("values");
        QTest::addColumn<int>("error");
        QTest::newRow("a Jet file is read-only")
            << QStringLiteral("jet") << QStringLiteral("Users") << 10 << int(DbError::ReadOnly);
        QTest::newRow("a text file") << QStringLiteral("text") << journal << 10 << int(DbError::UnrecognizedFormat);
        QTest::newRow("a missing file is not created") << QString() << journal << 10 << int(DbError::FileNotFound);
        QTest::newRow("another program's SQLite file")
            << QStringLiteral("foreign") << journal << 10 << int(DbError::UnrecognizedFormat);
        QTest::newRow("a table that is not there")
            << QStringLiteral("ours") << QStringLiteral("Kasse") << 10 << int(DbError::TableNotFound);
        QTest::newRow("more values than fields")
            << QStringLiteral("ours") << journal << 11 << int(DbError::TooManyValues);
    }
    void appendRefusals()
    {
        QFETCH(QString, kind);
        QFETCH(QString, table);
        QFETCH(int, values);
        QFETCH(int, error);
        ProgramFolder folder;
        const QString path = prepare(folder, kind);
        const QStringList entries = folderEntries(folder.path());
        const QByteArray before = folder.read(QStringLiteral("m.mdb"));
        const DbStatus status = MonthDatabase::DatensatzAnfuegen(Record(values, QStringLiteral("1")), path, table);
        QCOMPARE(status.number, error);
        QVERIFY(!status.description.isEmpty());
        QCOMPARE(folder.read(QStringLiteral("m.mdb")), before);
        QCOMPARE(folderEntries(folder.path()), entries);
    }

    void readFailures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("error");
        const int unrecognized = int(DbError::UnrecognizedFormat);
        QTest::newRow("missing file") << QString() << journal << int(DbError::FileNotFound);
        QTest::newRow("below a file") << QStringLiteral("below") << journal << int(DbError::InvalidPath);
        QTest::newRow("a folder") << QStringLiteral("folder") << journal << int(DbError::CannotOpen);
        QTest::newRow("a text file named .mdb") << QStringLiteral("text") << journal << unrecognized;
        QTest::newRow("an empty file") << QStringLiteral("empty") << journal << unrecognized;
        QTest::newRow("a SQLite header over garbage") << QStringLiteral("sqlite-garbage") << journal << unrecognized;
        QTest::newRow("another program's SQLite file") << QStringLiteral("foreign") << journal << unrecognized;
        QTest::newRow("a month file of a later version") << QStringLiteral("newer") << journal << unrecognized;
        QTest::newRow("our file without the table")
            << QStringLiteral("dropped") << journal << int(DbError::TableNotFound);
        QTest::newRow("a Jet file without Journal") << QStringLiteral("jet") << journal << int(DbError::TableNotFound);
        QTest::newRow("a truncated Jet file")
            << QStringLiteral("jet-cut") << QStringLiteral("Users") << int(DbError::Corrupt);
        QTest::newRow("a Jet file the library never finishes")
            << QStringLiteral("jet-loop") << QStringLiteral("Users") << int(DbError::Corrupt);
    }
    void readFailures()
    {
        QFETCH(QString, kind);
        QFETCH(QString, table);
        QFETCH(int, error);
        ProgramFolder folder;
        const QString path = prepare(folder, kind);
        Records records{{QStringLiteral("stale")}};
        const DbStatus status = MonthDatabase::readRecords(path, table, records);
        QCOMPARE(status.number, error);
        QVERIFY(!status.description.isEmpty());
        QVERIFY(records.empty());
    }

    // The format is told by the content, whatever the name.
    void jetUsersTableReadsWithItsChineseText()
    {
        ProgramFolder folder;
        folder.write(QStringLiteral("kasse.txt"), jetFile());
        Records records;
        const DbStatus status =
            MonthDatabase::readRecords(folder.file(QStringLiteral("kasse.txt")), QStringLiteral("Users"), records);
        QVERIFY2(status.ok(), qPrintable(status.report()));
        QCOMPARE(records.size(), size_t(3));
        QCOMPARE(records[2], (QStringList{QStringLiteral("3"), QStringLiteral("张三"), QStringLiteral("男"),
                                          QStringLiteral("18.12.1986 00:00:00"), QStringLiteral("1")}));
        const QString ours = ourMonthFile(folder, QStringLiteral("ohne-endung"));
        QVERIFY(MonthDatabase::readRecords(ours, journal, records).ok());
        QVERIFY(records.empty());
    }
};

QTEST_GUILESS_MAIN(TestMonthDatabase)
#include "TestMonthDatabase.moc"
