#include "StorageFixtures.h"
#include "TestSupport.h"
#include "books/MonthStorage.h"
#include "editing/Modul.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace Fixtures;

namespace {
const QString year = QStringLiteral("2021");
const QString month = QStringLiteral("03");
const QString monthFile = QStringLiteral("2021/2021-03.mdb");
const QString backup = QStringLiteral("2021/2021-03.mdb.bak");

// A month with entries of every kind of text, in rows 3 to entries + 2.
FlexGridStore filledSheet(int entries, const QString &tag = QString())
{
    FlexGridStore sheet = startupSheet(entries + 4);
    sheet.setTextMatrix(1, 6, QStringLiteral("2021-03"));
    sheet.setTextMatrix(2, 4, QStringLiteral("1.000,00"));
    for (int i = 0; i < entries; ++i) {
        setRow(sheet, i + 3,
               {QStringLiteral("%1,00").arg(i), QString(), QString(), QString(), QStringLiteral("%1,00").arg(1000 + i),
                QStringLiteral("4711"), QString::number(i + 1), QStringLiteral("0%1.03.2021").arg(i % 9 + 1),
                QStringLiteral("Bürobedarf 张三 %1%2").arg(i).arg(tag)});
    }
    return sheet;
}

QString saveSheet(const FlexGridStore &sheet, const ProgramFolder &folder, const QString &y = year)
{
    return MonthStorage::save(MonthStorage::planSave(sheet, folder.path(), y, month));
}

} // namespace

class TestMonthStorage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // A write past the file size limit must fail with EFBIG, not end the test.
        std::signal(SIGXFSZ, SIG_IGN);
    }

    void loadBringsBackEveryCell()
    {
        ProgramFolder folder;
        FlexGridStore saved = filledSheet(25);
        saved.setTextMatrix(1, 6, QStringLiteral("alt")); // the label comes from the selectors
        QCOMPARE(saveSheet(saved, folder), QString());
        FlexGridStore loaded = filledSheet(40, QStringLiteral(" alt"));
        const MonthStorage::LoadResult result = MonthStorage::loadMonth(loaded, folder.path(), year, month, {});
        QCOMPARE(result.path, folder.file(monthFile));
        QCOMPARE(result.message, QString());
        QVERIFY(result.loaded);
        saved.setTextMatrix(1, 6, QStringLiteral("2021-03"));
        QCOMPARE(texts(loaded), texts(saved)); // with its one empty row after the last entry
    }

    // Laden and Speichern over and over: the records stay byte for byte, and
    // the log gains nothing, also when the rows after the last entry carry
    // worked-out balances and receipt numbers.
    void aRoundTripChangesNothing()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(year));
        FlexGridStore sheet = filledSheet(12);
        sheet.setRows(sheet.rows() + 3);
        modul::BestandBerechnen(sheet);
        QCOMPARE(saveSheet(sheet, folder), QString());
        const QList<QStringList> records = Sql::rows(folder.file(monthFile), QStringLiteral("Journal"));
        const QList<QStringList> log = Sql::rows(folder.file(monthFile), QStringLiteral("Protokoll"));
        for (int cycle = 0; cycle < 2; ++cycle) {
            FlexGridStore loaded = startupSheet();
            QVERIFY(MonthStorage::loadMonth(loaded, folder.path(), year, month, {}).loaded);
            modul::BestandBerechnen(loaded);
            QCOMPARE(saveSheet(loaded, folder), QString());
            QCOMPARE(Sql::rows(folder.file(monthFile), QStringLiteral("Journal")), records);
            QCOMPARE(Sql::rows(folder.file(monthFile), QStringLiteral("Protokoll")), log);
        }
    }

    // A file that does not read as a month is left as it is, and so is its backup.
    void aFileThatIsNoMonthIsNeverReplaced_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason"); // part of the reason given after the refusal
        QTest::newRow("random bytes") << QByteArray(4096, '\x5a') << QStringLiteral("ist keine Monatsdatenbank");
        QTest::newRow("a Jet file without a journal") << jetFile() << QStringLiteral("Die Tabelle „Journal“ gibt es");
    }
    void aFileThatIsNoMonthIsNeverReplaced()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(year));
        folder.write(monthFile, bytes);
        folder.write(backup, "die Sicherung");
        const QString message = saveSheet(filledSheet(1), folder);
        QVERIFY2(message.startsWith(QStringLiteral("Die Datei „2021-03.mdb“ wurde nicht gespeichert, denn die "
                                                   "Fassung, die sie ersetzen würde, lässt sich nicht lesen"))
                     && message.contains(reason),
                 qPrintable(message));
        QCOMPARE(folder.read(monthFile), bytes);
        QCOMPARE(folder.read(backup), QByteArray("die Sicherung"));
    }

    void bookingsLeaving_data()
    {
        QTest::addColumn<QList<QStringList>>("file"); // entry rows
        QTest::addColumn<QList<QStringList>>("next");
        QTest::addColumn<int>("leaving");
        const QStringList coffee = items("5,00|||||4711||01.03.2021|Kaffee");
        const QStringList tea = items("3,00||||||||Tee");
        QTest::newRow("a new sheet of one booking") << QList<QStringList>{coffee, tea} << QList<QStringList>{tea} << 1;
        QTest::newRow("a twice booked entry once kept") << QList<QStringList>{tea, tea} << QList<QStringList>{tea} << 1;
        QTest::newRow("rows that book nothing")
            << QList<QStringList>{items("||||8,00||2"), coffee} << QList<QStringList>{coffee} << 0;
    }
    void bookingsLeaving()
    {
        QFETCH(QList<QStringList>, file);
        QFETCH(QList<QStringList>, next);
        QFETCH(int, leaving);
        // Two records for the rates row and the carry-over row come first.
        file = QList<QStringList>{{}, {}} + file;
        next = QList<QStringList>{{}, {}} + next;
        QCOMPARE(MonthStorage::bookingsLeaving({file.begin(), file.end()}, {next.begin(), next.end()}), leaving);
    }

    // A month that cannot be read never half-replaces the sheet: its label stays too.
    void failedLoadKeepsTheSheet_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("message");
        QTest::newRow("a missing month file") << QStringLiteral("2022") << QStringLiteral("Datei existiert nicht");
        QTest::newRow("not a month file") << year << QStringLiteral("Error #: 3343\r\n\r\nDie Datei „");
        QTest::newRow("a year with a separator") << QStringLiteral("2021/..") << QString(); // the path's problem
    }
    void failedLoadKeepsTheSheet()
    {
        QFETCH(QString, year);
        QFETCH(QString, message);
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("2021")));
        folder.write(monthFile, "Bestand;Text\r\n");
        FlexGridStore sheet = filledSheet(5, QStringLiteral(" vorher"));
        sheet.setTextMatrix(1, 6, QStringLiteral("2020-12"));
        const QList<QStringList> before = texts(sheet);
        const MonthStorage::LoadResult result = MonthStorage::loadMonth(sheet, folder.path(), year, month, {});
        if (message.isEmpty())
            message = monthFilePath(folder.path(), year, month).problem;
        QVERIFY2(result.message.startsWith(message), qPrintable(result.message));
        QVERIFY(!result.loaded);
        QCOMPARE(texts(sheet), before);
    }

    // The open-file window's way in: any file and table, its report word for word.
    void getRowsTest()
    {
        FlexGridStore sheet = filledSheet(9);
        QCOMPARE(MonthStorage::GetRowsTest(sheet, QStringLiteral("Text1"), QStringLiteral("Journal"), {}).report(),
                 QStringLiteral("Error #: 3024\r\n\r\nDie Datei „Text1“ wurde nicht gefunden."));
        QCOMPARE(texts(sheet), texts(filledSheet(9)));
        QVERIFY(MonthStorage::GetRowsTest(sheet, testDataPath(QStringLiteral("jet4/users.mdb")),
                                          QStringLiteral("Users"), {})
                    .ok());
        QCOMPARE(column(sheet, 1), (QStringList{QStringLiteral("Einnahmen"), QStringLiteral("Nuintun"),
                                                QStringLiteral("Angela"), QStringLiteral("张三"), QString()}));
    }

    void replacingKeepsOneBackupGeneration()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(year));
        QVERIFY(writeVersion1Month(folder.file(monthFile))); // a month from before the log
        QByteArray previous = folder.read(monthFile);
        for (int entries : {10, 2}) {
            const MonthStorage::SavePlan plan =
                MonthStorage::planSave(filledSheet(entries), folder.path(), year, month);
            QVERIFY(plan.replaces);
            QCOMPARE(MonthStorage::save(plan), QString());
            QCOMPARE(folder.read(backup), previous);
            QCOMPARE(Sql::rows(folder.file(monthFile), QStringLiteral("Journal")).size(), entries + 2);
            previous = folder.read(monthFile);
        }
        QCOMPARE(folderEntries(folder.file(year)),
                 (QStringList{QStringLiteral("2021-03.mdb"), QStringLiteral("2021-03.mdb.bak")}));
    }

    // A save over a month writes the file a first save would write, with the
    // log gone on, whatever was added to or taken from the replaced file.
    void aResaveWritesTheFileAFirstSaveWould_data()
    {
        QTest::addColumn<QString>("alteration"); // SQL run on the saved file
        QTest::newRow("an intact file") << QString();
        QTest::newRow("its guards dropped")
            << QStringLiteral("DROP TRIGGER \"Journal_delete\"; DROP TRIGGER \"Protokoll_update\"");
        QTest::newRow("a table added") << QStringLiteral("CREATE TABLE Fremd (x)");
    }
    void aResaveWritesTheFileAFirstSaveWould()
    {
        QFETCH(QString, alteration);
        ProgramFolder folder;
        const QString schemaSql = QStringLiteral("SELECT type, name, sql FROM sqlite_schema ORDER BY name");
        QCOMPARE(MonthStorage::save(MonthStorage::planSave(filledSheet(1), folder.path(), year, QStringLiteral("02"))),
                 QString());
        QCOMPARE(saveSheet(filledSheet(3), folder), QString());
        const QList<QStringList> schema = Sql::query(folder.file(monthFile), schemaSql);
        const QList<QStringList> log = Sql::rows(folder.file(monthFile), QStringLiteral("Protokoll"));
        QVERIFY(alteration.isEmpty() || Sql::exec(folder.file(monthFile), alteration));

        QCOMPARE(saveSheet(filledSheet(4), folder), QString());
        QCOMPARE(Sql::query(folder.file(monthFile), schemaSql), schema);
        QCOMPARE(Sql::rows(folder.file(monthFile), QStringLiteral("Journal")).size(), 6);
        QCOMPARE(Sql::rows(folder.file(monthFile), QStringLiteral("Vormonat")).size(), 1);
        const QList<QStringList> logNow = Sql::rows(folder.file(monthFile), QStringLiteral("Protokoll"));
        QVERIFY(logNow.size() > log.size());
        QCOMPARE(logNow.mid(0, log.size()), log);
    }

    // Every failure leaves the previous file byte for byte, and nothing else behind.
    void failedSaveChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<QString>("message"); // %1 is the program folder; none: the path's problem
        const QString unchanged = QStringLiteral("\r\n\r\nDie bisherige Datei ist unverändert.");
        const QString nothing = QStringLiteral("\r\n\r\nEs wurde keine Datei angelegt.");
        const QString notSaved = QStringLiteral("Die Datei „2021-03.mdb“ wurde nicht gespeichert. ");
        const QString full = notSaved + QStringLiteral("„%1/2021/2021-03.mdb“ kann nicht geschrieben werden. ...");
        QTest::newRow("a text too long for its field")
            << QStringLiteral("long") << true
            << QStringLiteral("Der Monat wurde nicht gespeichert, denn diese Texte sind zu lang für ihre Felder:"
                              "\r\n\r\nZeile 7, Spalte Text: höchstens 40 Zeichen\r\n\r\nBitte kürzen und erneut "
                              "speichern.");
        QTest::newRow("the disk fills up while writing") << QStringLiteral("full") << true << full + unchanged;
        QTest::newRow("the disk fills up on a new month") << QStringLiteral("full") << false << full + nothing;
        QTest::newRow("a folder where the backup goes")
            << QStringLiteral("bak-folder") << true
            << notSaved + QStringLiteral("Die Sicherungskopie „2021-03.mdb.bak“ kann nicht angelegt werden. ...")
                   + unchanged;
        QTest::newRow("a folder where the month file goes")
            << QStringLiteral("month-folder") << false
            << notSaved + QStringLiteral("An ihrer Stelle liegt ein Ordner.") + nothing;
        QTest::newRow("a file where the year folder goes")
            << QStringLiteral("year-file") << false
            << notSaved + QStringLiteral("Wo der Ordner „%1/2021“ sein sollte, liegt eine Datei.") + nothing;
        QTest::newRow("a year with a separator") << QStringLiteral("separator") << true << QString();
    }
    void failedSaveChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(bool, previous);
        QFETCH(QString, message);
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(year));
        if (previous) {
            QCOMPARE(saveSheet(filledSheet(1, QStringLiteral(" alt")), folder), QString());
            QCOMPARE(saveSheet(filledSheet(2, QStringLiteral(" alt")), folder), QString());
        }
        if (kind == QStringLiteral("bak-folder"))
            QVERIFY(QFile::remove(folder.file(backup)) && QDir(folder.path()).mkpath(backup + QStringLiteral("/x")));
        if (kind == QStringLiteral("month-folder"))
            QVERIFY(QDir(folder.path()).mkpath(monthFile + QStringLiteral("/inhalt")));
        if (kind == QStringLiteral("year-file")) {
            QVERIFY(QDir(folder.path()).rmdir(year));
            folder.write(year, "kein Ordner");
        }
        const QStringList entriesBefore = folderEntries(folder.path()) + folderEntries(folder.file(year));
        const QByteArray fileBefore = folder.read(monthFile);
        const QByteArray backupBefore = folder.read(backup);

        const bool full = kind == QStringLiteral("full");
        FlexGridStore sheet = filledSheet(full ? 2000 : 20);
        if (kind == QStringLiteral("long"))
            sheet.setTextMatrix(7, 8, QString(41, u'x'));
        const QString y = kind == QStringLiteral("separator") ? QStringLiteral("2021/..") : year;
        rlimit unlimited{};
        getrlimit(RLIMIT_FSIZE, &unlimited);
        rlimit fileSize = unlimited;
        fileSize.rlim_cur = full ? 64 * 1024 : unlimited.rlim_cur;
        setrlimit(RLIMIT_FSIZE, &fileSize);
        const QString result = saveSheet(sheet, folder, y);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        if (message.isEmpty())
            message = monthFilePath(folder.path(), y, month).problem;
        // "..." stands for the system's reason, which differs between systems.
        const QStringList expected = message.replace(QStringLiteral("%1"), folder.path()).split(QStringLiteral("..."));
        if (expected.size() == 1)
            QCOMPARE(result, message);
        QVERIFY2(result.startsWith(expected.first()) && result.endsWith(expected.last()), qPrintable(result));
        QCOMPARE(folderEntries(folder.path()) + folderEntries(folder.file(year)), entriesBefore);
        QCOMPARE(folder.read(monthFile), fileBefore);
        QCOMPARE(folder.read(backup), backupBefore);
    }

    void aSaveClearsOnlyThisMonthsLeftovers()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(year));
        for (const char *name :
             {"2021-03.mdb.tmp-k1", "2021-03.mdb.bak.tmp-k2", "2021-04.mdb.tmp-k3", "2021-03.mdb.txt"})
            folder.write(QStringLiteral("2021/") + QLatin1StringView(name), "halb geschrieben");
        QCOMPARE(saveSheet(filledSheet(1), folder), QString());
        QCOMPARE(folderEntries(folder.file(year)),
                 (QStringList{QStringLiteral("2021-03.mdb"), QStringLiteral("2021-03.mdb.txt"),
                              QStringLiteral("2021-04.mdb.tmp-k3")}));
    }
};

QTEST_GUILESS_MAIN(TestMonthStorage)
#include "TestMonthStorage.moc"
