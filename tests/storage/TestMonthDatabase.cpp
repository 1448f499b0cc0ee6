#include "StorageFixtures.h"
#include "TestSupport.h"
#include "storage/MonthDatabase.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace Fixtures;

namespace {
Record blanks()
{
    return Record(JournalTable::fieldCount, QStringLiteral(" "));
}

QString makeMonthFile(const ProgramFolder &folder, const QString &name = QStringLiteral("2021-03.mdb"))
{
    const QString path = folder.file(name);
    const DbStatus status = MonthDatabase::interne_Datenbank(path);
    return status.ok() ? path : QString();
}

QByteArray readFile(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

void copyInto(const ProgramFolder &folder, const QString &source, const QString &name)
{
    folder.write(name, readFile(source));
}
} // namespace

class TestMonthDatabase : public QObject
{
    Q_OBJECT
private slots:
    void newDatabaseHasTheJournalLayoutAndNoRecords()
    {
        ProgramFolder folder;
        const QString path = makeMonthFile(folder);
        QVERIFY(!path.isEmpty());
        const QStringList expected = {QStringLiteral("Einnahmen1 TEXT"), QStringLiteral("Einnahmen2 TEXT"),
                                      QStringLiteral("Einnahmen3 TEXT"), QStringLiteral("Ausgaben TEXT"),
                                      QStringLiteral("Bestand TEXT"),    QStringLiteral("Konto TEXT"),
                                      QStringLiteral("Beleg TEXT"),      QStringLiteral("Datum TEXT"),
                                      QStringLiteral("Text TEXT"),       QStringLiteral("leer TEXT")};
        QCOMPARE(Sql::columns(path, QStringLiteral("Journal")), expected);
        QVERIFY(Sql::rows(path, QStringLiteral("Journal")).isEmpty());
        QCOMPARE(Sql::pragma(path, QStringLiteral("application_id")), JournalTable::applicationId);
        QCOMPARE(Sql::pragma(path, QStringLiteral("user_version")), JournalTable::userVersion);
        QCOMPARE(folderEntries(folder.path()), QStringList{QStringLiteral("2021-03.mdb")});
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
            QTest::addRow("%s takes %d", qPrintable(name), max) << f << QString(max, QLatin1Char('9')) << 0;
            QTest::addRow("%s refuses %d", qPrintable(name), max + 1)
                << f << QString(max + 1, QLatin1Char('9')) << int(DbError::FieldTooSmall);
        }
        QTest::newRow("umlauts count as characters, not bytes") << 8 << QString(40, QChar(0xFC)) << 0;
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
        const QString path = makeMonthFile(folder);
        Record record = blanks();
        record[field] = value;
        const DbStatus status = MonthDatabase::DatensatzAnfuegen(record, path, QStringLiteral("Journal"));
        QCOMPARE(status.number, error);
        const QList<QStringList> rows = Sql::rows(path, QStringLiteral("Journal"));
        QCOMPARE(rows.size(), error == 0 ? 1 : 0);
        if (error == 0)
            QCOMPARE(rows.first().at(field), value.isNull() ? QStringLiteral("<NULL>") : value);
        else
            QVERIFY2(status.description.contains(JournalTable::fieldName(field)), qPrintable(status.description));
    }

    void appendGoesAfterEveryRecordAndReadsBackInOrder()
    {
        ProgramFolder folder;
        const QString path = makeMonthFile(folder);
        Records written;
        for (int i = 0; i < 5; ++i) {
            Record record = blanks();
            record[0] = QString::number(5 - i); // descending, so no sort by value passes
            record[8] = QStringLiteral("Bürobedarf %1").arg(i);
            written.push_back(record);
            QVERIFY(MonthDatabase::DatensatzAnfuegen(record, path, QStringLiteral("Journal")).ok());
        }
        Records read;
        QVERIFY(MonthDatabase::readRecords(path, QStringLiteral("Journal"), read).ok());
        QCOMPARE(asList(read), asList(written));
    }

    void fewerValuesLeaveTheRestNull()
    {
        ProgramFolder folder;
        const QString path = makeMonthFile(folder);
        QVERIFY(MonthDatabase::DatensatzAnfuegen({QStringLiteral("1,00"), QStringLiteral("2,00")}, path,
                                                 QStringLiteral("Journal"))
                    .ok());
        Records read;
        QVERIFY(MonthDatabase::readRecords(path, QStringLiteral("Journal"), read).ok());
        QCOMPARE(read.size(), size_t(1));
        QCOMPARE(read[0].size(), JournalTable::fieldCount);
        QCOMPARE(read[0].at(1), QStringLiteral("2,00"));
        QVERIFY(read[0].at(2).isNull());
    }

    // A table name reaches SQL only as a quoted identifier.
    void quotedTableNameNamesOnlyThatTable()
    {
        ProgramFolder folder;
        const QString path = makeMonthFile(folder);
        QVERIFY(Sql::exec(path, QStringLiteral("CREATE TABLE \"Jour\"\"nal\" (a TEXT)")));
        QVERIFY(MonthDatabase::DatensatzAnfuegen({QStringLiteral("x")}, path, QStringLiteral("Jour\"nal")).ok());
        QCOMPARE(Sql::rows(path, QStringLiteral("Jour\"\"nal")), QList<QStringList>{{QStringLiteral("x")}});
        Records read;
        QVERIFY(MonthDatabase::readRecords(path, QStringLiteral("jour\"NAL"), read).ok());
        QCOMPARE(asList(read), QList<QStringList>{{QStringLiteral("x")}});
    }

    void interneDatenbank_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("a new file is created") << ""
                                               << "2021-03.mdb" << 0 << QStringList{QStringLiteral("2021-03.mdb")};
        QTest::newRow("an existing file is left alone")
            << "file"
            << "2021-03.mdb" << 0 << QStringList{QStringLiteral("2021-03.mdb")};
        QTest::newRow("a folder of that name counts as an existing database")
            << "folder"
            << "2021-03.mdb" << int(DbError::DatabaseExists) << QStringList{QStringLiteral("2021-03.mdb")};
        QTest::newRow("a missing year folder is reported, nothing created")
            << ""
            << "2022/2022-01.mdb" << int(DbError::InvalidPath) << QStringList{};
    }
    void interneDatenbank()
    {
        QFETCH(QString, setup);
        QFETCH(QString, name);
        QFETCH(int, error);
        QFETCH(QStringList, after);
        ProgramFolder folder;
        if (setup == QStringLiteral("file"))
            folder.write(name, "kein Inhalt einer Datenbank");
        if (setup == QStringLiteral("folder"))
            QVERIFY(QDir(folder.path()).mkdir(name));
        const DbStatus status = MonthDatabase::interne_Datenbank(folder.file(name));
        QCOMPARE(status.number, error);
        QCOMPARE(folderEntries(folder.path()), after);
        if (setup == QStringLiteral("file"))
            QCOMPARE(folder.read(name), QByteArray("kein Inhalt einer Datenbank"));
    }

    // Appending to anything but one of our month files fails in order and changes nothing.
    void appendRefusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("values");
        QTest::addColumn<int>("error");
        QTest::newRow("a Jet file is read-only") << "jet"
                                                 << "Users" << 10 << int(DbError::ReadOnly);
        QTest::newRow("a text file is no database") << "text"
                                                    << "Journal" << 10 << int(DbError::UnrecognizedFormat);
        QTest::newRow("a missing file is not created") << "missing"
                                                       << "Journal" << 10 << int(DbError::FileNotFound);
        QTest::newRow("another program's SQLite file") << "foreign"
                                                       << "Journal" << 10 << int(DbError::UnrecognizedFormat);
        QTest::newRow("a table that is not there") << "ours"
                                                   << "Kasse" << 10 << int(DbError::TableNotFound);
        QTest::newRow("SQL in the table name stays a name")
            << "ours"
            << "Journal\" VALUES (1); DROP TABLE \"Journal" << 10 << int(DbError::TableNotFound);
        QTest::newRow("more values than fields") << "ours"
                                                 << "Journal" << 11 << int(DbError::TooManyValues);
    }
    void appendRefusals()
    {
        QFETCH(QString, kind);
        QFETCH(QString, table);
        QFETCH(int, values);
        QFETCH(int, error);
        ProgramFolder folder;
        const QString path = folder.file(QStringLiteral("m.mdb"));
        if (kind == QStringLiteral("jet"))
            copyInto(folder, testDataPath(QStringLiteral("jet4/users.mdb")), QStringLiteral("m.mdb"));
        if (kind == QStringLiteral("text"))
            folder.write(QStringLiteral("m.mdb"), "19%\r\n7%\r\n0%\r\n");
        if (kind == QStringLiteral("foreign"))
            QVERIFY(Sql::exec(path, QStringLiteral("CREATE TABLE Journal (a TEXT)")));
        if (kind == QStringLiteral("ours"))
            QVERIFY(MonthDatabase::interne_Datenbank(path).ok());
        const QByteArray before = folder.read(QStringLiteral("m.mdb"));
        const DbStatus status = MonthDatabase::DatensatzAnfuegen(Record(values, QStringLiteral("1")), path, table);
        QCOMPARE(status.number, error);
        QVERIFY(!status.description.isEmpty());
        QCOMPARE(folder.read(QStringLiteral("m.mdb")), before);
        QCOMPARE(folderEntries(folder.path()),
                 kind == QStringLiteral("missing") ? QStringList{} : QStringList{QStringLiteral("m.mdb")});
    }

    void readFailures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("error");
        QTest::newRow("missing file") << "missing"
                                      << "Journal" << int(DbError::FileNotFound);
        QTest::newRow("below a file") << "below"
                                      << "Journal" << int(DbError::InvalidPath);
        QTest::newRow("a folder") << "folder"
                                  << "Journal" << int(DbError::CannotOpen);
        QTest::newRow("a text file named .mdb") << "text"
                                                << "Journal" << int(DbError::UnrecognizedFormat);
        QTest::newRow("an empty file") << "empty"
                                       << "Journal" << int(DbError::UnrecognizedFormat);
        QTest::newRow("another program's SQLite file") << "foreign"
                                                       << "Journal" << int(DbError::UnrecognizedFormat);
        QTest::newRow("a month file of a later version") << "newer"
                                                         << "Journal" << int(DbError::UnrecognizedFormat);
        QTest::newRow("our file without the table") << "dropped"
                                                    << "Journal" << int(DbError::TableNotFound);
        QTest::newRow("a Jet file without Journal") << "jet"
                                                    << "Journal" << int(DbError::TableNotFound);
        QTest::newRow("a truncated Jet file") << "jet-cut"
                                              << "Users" << int(DbError::Corrupt);
        // One byte of its property data sends the library round in circles.
        QTest::newRow("a Jet file the library never finishes") << "jet-loop"
                                                               << "Users" << int(DbError::Corrupt);
        QTest::newRow("a Jet file, SQL in the table name") << "jet"
                                                           << "Users\" --" << int(DbError::TableNotFound);
        QTest::newRow("a SQLite header over garbage") << "sqlite-garbage"
                                                      << "Journal" << int(DbError::UnrecognizedFormat);
    }
    void readFailures()
    {
        QFETCH(QString, kind);
        QFETCH(QString, table);
        QFETCH(int, error);
        ProgramFolder folder;
        QString path = folder.file(QStringLiteral("m.mdb"));
        if (kind == QStringLiteral("below")) {
            folder.write(QStringLiteral("m.mdb"), "x");
            path += QStringLiteral("/2021-03.mdb");
        }
        if (kind == QStringLiteral("folder"))
            QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("m.mdb")));
        if (kind == QStringLiteral("text"))
            folder.write(QStringLiteral("m.mdb"), "Einnahmen;Ausgaben\r\n");
        if (kind == QStringLiteral("empty"))
            folder.write(QStringLiteral("m.mdb"), QByteArray());
        if (kind == QStringLiteral("foreign"))
            QVERIFY(Sql::exec(path, QStringLiteral("CREATE TABLE Journal (a TEXT)")));
        if (kind == QStringLiteral("newer") || kind == QStringLiteral("dropped"))
            QVERIFY(MonthDatabase::interne_Datenbank(path).ok());
        if (kind == QStringLiteral("newer"))
            QVERIFY(Sql::exec(path, QStringLiteral("PRAGMA user_version = 99")));
        if (kind == QStringLiteral("dropped"))
            QVERIFY(Sql::exec(path, QStringLiteral("DROP TABLE Journal")));
        if (kind == QStringLiteral("jet"))
            copyInto(folder, testDataPath(QStringLiteral("jet4/users.mdb")), QStringLiteral("m.mdb"));
        if (kind == QStringLiteral("jet-cut")) {
            copyInto(folder, testDataPath(QStringLiteral("jet4/users.mdb")), QStringLiteral("m.mdb"));
            folder.write(QStringLiteral("m.mdb"), folder.read(QStringLiteral("m.mdb")).left(4096 * 3 + 100));
        }
        if (kind == QStringLiteral("jet-loop")) {
            QByteArray bytes = readFile(testDataPath(QStringLiteral("jet4/users.mdb")));
            QCOMPARE(bytes.at(126511), '\x0c');
            bytes[126511] = '\0';
            folder.write(QStringLiteral("m.mdb"), bytes);
        }
        if (kind == QStringLiteral("sqlite-garbage"))
            folder.write(QStringLiteral("m.mdb"), QByteArray("SQLite format 3", 16) + QByteArray(4000, 'x'));
        Records records{{QStringLiteral("stale")}};
        const DbStatus status = MonthDatabase::readRecords(path, table, records);
        QCOMPARE(status.number, error);
        QVERIFY(!status.description.isEmpty());
        QVERIFY(records.empty());
    }

    void jetUsersTableReadsWithItsChineseText()
    {
        Records records;
        const DbStatus status = MonthDatabase::readRecords(testDataPath(QStringLiteral("jet4/users.mdb")),
                                                           QStringLiteral("Users"), records);
        QVERIFY2(status.ok(), qPrintable(status.report()));
        const QList<QStringList> expected = {
            {QStringLiteral("1"), QStringLiteral("Nuintun"), QStringLiteral("Male"),
             QStringLiteral("25.01.1989 00:00:00"), QStringLiteral("1")},
            {QStringLiteral("2"), QStringLiteral("Angela"), QStringLiteral("Female"),
             QStringLiteral("18.12.1988 00:00:00"), QStringLiteral("0")},
            {QStringLiteral("3"), QStringLiteral("张三"), QStringLiteral("男"), QStringLiteral("18.12.1986 00:00:00"),
             QStringLiteral("1")},
        };
        QCOMPARE(asList(records), expected);
    }

    void formatIsToldByContentNotName()
    {
        ProgramFolder folder;
        copyInto(folder, testDataPath(QStringLiteral("jet4/users.mdb")), QStringLiteral("kasse.txt"));
        Records records;
        QVERIFY(MonthDatabase::readRecords(folder.file(QStringLiteral("kasse.txt")), QStringLiteral("Users"), records)
                    .ok());
        QCOMPARE(records.size(), size_t(3));
        const QString ours = makeMonthFile(folder, QStringLiteral("ohne-endung"));
        QVERIFY(MonthDatabase::DatensatzAnfuegen(blanks(), ours, QStringLiteral("Journal")).ok());
        QVERIFY(MonthDatabase::readRecords(ours, QStringLiteral("Journal"), records).ok());
        QCOMPARE(records.size(), size_t(1));
    }
};

QTEST_GUILESS_MAIN(TestMonthDatabase)
#include "TestMonthDatabase.moc"
