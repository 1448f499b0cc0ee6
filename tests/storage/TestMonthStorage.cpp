#include "StorageFixtures.h"
#include "TestSupport.h"
#include "storage/MonthDatabase.h"
#include "storage/MonthStorage.h"

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

// A month with entries of every kind of text, in rows 3 to count + 2.
FlexGridStore filledSheet(int entries, const QString &tag = QString())
{
    FlexGridStore sheet = startupSheet();
    sheet.setRows(entries + 4);
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

QString saveSheet(const FlexGridStore &sheet, const ProgramFolder &folder, const QString &y = year,
                  const QString &m = month)
{
    const MonthStorage::SavePlan plan = MonthStorage::planSave(sheet, folder.path(), y, m);
    return MonthStorage::save(plan);
}

// Rows 1 and below of a sheet, as saved: what a load must bring back.
QList<QStringList> body(const FlexGridStore &sheet)
{
    QList<QStringList> all = texts(sheet);
    all.removeFirst();
    return all;
}

void copyTestData(const ProgramFolder &folder, const QString &name)
{
    QFile in(testDataPath(QStringLiteral("jet4/users.mdb")));
    QVERIFY(in.open(QIODevice::ReadOnly));
    folder.write(name, in.readAll());
}

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
};
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

    void startupSheetSavesAsFourRecords()
    {
        ProgramFolder folder;
        QCOMPARE(saveSheet(startupSheet(), folder), QString());
        const QString b = QStringLiteral(" ");
        QCOMPARE(Sql::rows(folder.file(monthFile), QStringLiteral("Journal")),
                 (QList<QStringList>{
                     {QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("0%"), b, b, b, b, b, b, b},
                     {b, b, b, b, b, b, b, b, QStringLiteral("Übertrag"), b},
                     QStringList(10, b),
                     QStringList(10, b)}));
        QCOMPARE(Sql::pragma(folder.file(monthFile), QStringLiteral("application_id")), JournalTable::applicationId);
    }

    void roundTripBringsBackEveryCellAndOneEmptyRow()
    {
        ProgramFolder folder;
        const FlexGridStore saved = filledSheet(25);
        QCOMPARE(saveSheet(saved, folder), QString());

        FlexGridStore loaded = filledSheet(40, QStringLiteral(" alt"));
        const MonthStorage::LoadResult result =
            MonthStorage::loadMonth(loaded, folder.path(), year, month, defaultRates());
        QVERIFY2(result.loaded, qPrintable(result.message));
        QCOMPARE(result.message, QString());
        QCOMPARE(loaded.rows(), saved.rows() + 1);
        QList<QStringList> expected = body(saved);
        expected << QStringList(10);
        QCOMPARE(body(loaded), expected);
    }

    void loadMonth_data()
    {
        QTest::addColumn<QString>("y");
        QTest::addColumn<QString>("m");
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<QString>("message");
        QTest::newRow("selectors at 2021 and 03 read 2021/2021-03.mdb") << "2021"
                                                                        << "03"
                                                                        << "2021/2021-03.mdb"
                                                                        << "";
        QTest::newRow("a year after 2030, its missing folder made by the save") << "2044"
                                                                                << "11"
                                                                                << "2044/2044-11.mdb"
                                                                                << "";
        QTest::newRow("a missing month file, none before it") << "2021"
                                                              << "02"
                                                              << "2021/2021-02.mdb"
                                                              << "Datei existiert nicht";
        QTest::newRow("a year that leaves the folder") << ".."
                                                       << "03"
                                                       << "../..-03.mdb"
                                                       << "Die Jahresangabe „..“ verweist auf einen anderen Ordner. "
                                                          "Die Monatsdatei muss in ihrem Jahresordner liegen.";
    }
    void loadMonth()
    {
        QFETCH(QString, y);
        QFETCH(QString, m);
        QFETCH(QString, relativePath);
        QFETCH(QString, message);
        ProgramFolder folder;
        QCOMPARE(saveSheet(filledSheet(3), folder, QStringLiteral("2021"), QStringLiteral("03")), QString());
        QVERIFY(!QFileInfo::exists(folder.file(QStringLiteral("2044"))));
        QCOMPARE(saveSheet(filledSheet(2), folder, QStringLiteral("2044"), QStringLiteral("11")), QString());
        FlexGridStore sheet = filledSheet(6, QStringLiteral(" vorher"));
        const QList<QStringList> before = texts(sheet);
        const MonthStorage::LoadResult result = MonthStorage::loadMonth(sheet, folder.path(), y, m, defaultRates());
        QCOMPARE(result.path, folder.file(relativePath));
        QCOMPARE(result.message, message);
        QCOMPARE(result.loaded, message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(sheet.textMatrix(1, 6), y + QLatin1Char('-') + m);
            QVERIFY(!sheet.textMatrix(3, 8).endsWith(QStringLiteral(" vorher")));
        } else {
            QCOMPARE(texts(sheet), before);
        }
    }

    // A failed read never half-replaces a month: the sheet, label included, stays.
    void failedLoadKeepsTheSheet_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reportStart");
        QTest::newRow("a text file") << "text"
                                     << "Error #: 3343\r\n\r\nDie Datei „";
        QTest::newRow("a month file without the table") << "dropped"
                                                        << "Error #: 3078\r\n\r\nDie Tabelle „Journal“ gibt es";
        QTest::newRow("a Jet file without Journal") << "jet"
                                                    << "Error #: 3078\r\n\r\nDie Tabelle „Journal“ gibt es";
        QTest::newRow("a folder named like the month file") << "folder"
                                                            << "Error #: 3051\r\n\r\nDie Datei „";
        QTest::newRow("the open-file window's design text as path")
            << "Text1"
            << "Error #: 3024\r\n\r\nDie Datei „Text1“ wurde nicht gefunden.";
    }
    void failedLoadKeepsTheSheet()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reportStart);
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(year));
        const QString path = kind == QStringLiteral("Text1") ? kind : folder.file(monthFile);
        if (kind == QStringLiteral("text"))
            folder.write(monthFile, "Bestand;Text\r\n");
        if (kind == QStringLiteral("dropped")) {
            QCOMPARE(saveSheet(filledSheet(2), folder), QString());
            QVERIFY(Sql::exec(path, QStringLiteral("DROP TABLE Journal")));
        }
        if (kind == QStringLiteral("jet"))
            copyTestData(folder, monthFile);
        if (kind == QStringLiteral("folder"))
            QVERIFY(QDir(folder.path()).mkdir(monthFile));
        FlexGridStore sheet = filledSheet(5, QStringLiteral(" vorher"));
        sheet.setTextMatrix(1, 6, QStringLiteral("2020-12"));
        const QList<QStringList> before = texts(sheet);

        const DbStatus status = MonthStorage::GetRowsTest(sheet, path, QStringLiteral("Journal"), defaultRates());
        QVERIFY2(status.report().startsWith(reportStart), qPrintable(status.report()));
        QCOMPARE(texts(sheet), before);
        if (path == folder.file(monthFile) && kind != QStringLiteral("folder")) {
            const MonthStorage::LoadResult loaded =
                MonthStorage::loadMonth(sheet, folder.path(), year, month, defaultRates());
            QCOMPARE(loaded.message, status.report());
            QCOMPARE(texts(sheet), before);
        }
    }

    void jetUsersTableComesIntoTheSheet()
    {
        FlexGridStore sheet = filledSheet(9);
        const DbStatus status = MonthStorage::GetRowsTest(sheet, testDataPath(QStringLiteral("jet4/users.mdb")),
                                                          QStringLiteral("Users"), defaultRates());
        QVERIFY2(status.ok(), qPrintable(status.report()));
        QCOMPARE(sheet.rows(), 5);
        QCOMPARE(sheet.textMatrix(3, 1), QStringLiteral("张三"));
        QCOMPARE(sheet.textMatrix(3, 2), QStringLiteral("男"));
        QCOMPARE(sheet.textMatrix(1, 1), QStringLiteral("Nuintun"));
        QCOMPARE(sheet.textMatrix(3, 8), QString());
        QCOMPARE(body(sheet).last(), QStringList(10));
    }

    void replacingKeepsOneBackupGeneration()
    {
        ProgramFolder folder;
        QCOMPARE(saveSheet(filledSheet(10), folder), QString());
        const QByteArray first = folder.read(monthFile);
        const MonthStorage::SavePlan plan = MonthStorage::planSave(filledSheet(2), folder.path(), year, month);
        QVERIFY(plan.replaces);
        QCOMPARE(MonthStorage::save(plan), QString());
        const QByteArray second = folder.read(monthFile);
        QCOMPARE(Sql::rows(folder.file(monthFile), QStringLiteral("Journal")).size(), 2 + 4 - 1);
        QCOMPARE(folder.read(monthFile + QStringLiteral(".bak")), first);
        QCOMPARE(saveSheet(startupSheet(), folder), QString());
        QCOMPARE(folder.read(monthFile + QStringLiteral(".bak")), second);
        QCOMPARE(folderEntries(folder.file(year)),
                 (QStringList{QStringLiteral("2021-03.mdb"), QStringLiteral("2021-03.mdb.bak")}));
    }

    void aWindowsMonthIsReplacedByOurFormat()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(year));
        copyTestData(folder, monthFile);
        const QByteArray jet = folder.read(monthFile);
        const MonthStorage::SavePlan plan = MonthStorage::planSave(filledSheet(1), folder.path(), year, month);
        QVERIFY(plan.replaces);
        QCOMPARE(MonthStorage::save(plan), QString());
        QCOMPARE(folder.read(monthFile + QStringLiteral(".bak")), jet);
        QCOMPARE(Sql::pragma(folder.file(monthFile), QStringLiteral("application_id")), JournalTable::applicationId);
    }

    // Every failure leaves the previous file byte for byte, and nothing else behind.
    void failedSaveChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<QString>("messageStart");
        QTest::addColumn<QString>("messageEnd");
        const QString unchanged = QStringLiteral("\r\n\r\nDie bisherige Datei ist unverändert.");
        const QString nothing = QStringLiteral("\r\n\r\nEs wurde keine Datei angelegt.");
        const QString notSaved = QStringLiteral("Die Datei „2021-03.mdb“ wurde nicht gespeichert. ");
        const QString tooLong =
            QStringLiteral("Der Monat wurde nicht gespeichert, denn diese Texte sind zu lang für ihre "
                           "Felder:\r\n\r\n%1\r\n\r\nBitte kürzen und erneut speichern.");
        QTest::newRow("a text too long for its field")
            << "long" << true << tooLong.arg(QStringLiteral("Zeile 7, Spalte Text: höchstens 40 Zeichen")) << "";
        QTest::newRow("a month label too long for its field")
            << "label" << true << tooLong.arg(QStringLiteral("Zeile 1, Spalte Beleg: höchstens 30 Zeichen")) << "";
        QTest::newRow("the disk fills up while writing")
            << "full" << true << notSaved + QStringLiteral("„%1/2021/2021-03.mdb“ kann nicht geschrieben werden. ")
            << unchanged;
        QTest::newRow("the disk fills up on a new month")
            << "full" << false << notSaved + QStringLiteral("„%1/2021/2021-03.mdb“ kann nicht geschrieben werden. ")
            << nothing;
        QTest::newRow("a folder where the backup goes")
            << "bak-folder" << true
            << notSaved + QStringLiteral("Die Sicherungskopie „2021-03.mdb.bak“ kann nicht angelegt werden. ")
            << unchanged;
        QTest::newRow("a folder where the month file goes")
            << "month-folder" << false << notSaved + QStringLiteral("An ihrer Stelle liegt ein Ordner.") + nothing
            << "";
        QTest::newRow("a file where the year folder goes")
            << "year-file" << false
            << notSaved + QStringLiteral("Wo der Ordner „%1/2021“ sein sollte, liegt eine Datei.") + nothing << "";
        QTest::newRow("a month file that no longer reads, whose change log would be lost")
            << "unreadable" << true
            << QStringLiteral("Die Datei „2021-03.mdb“ wurde nicht gespeichert, denn die Fassung, die sie ersetzen "
                              "würde, lässt sich nicht lesen; ihr Änderungsprotokoll ginge verloren.\r\n\r\nDie "
                              "Tabelle „Journal“ gibt es in der Datenbank „%1/2021/2021-03.mdb“ nicht.")
            << "";
        QTest::newRow("a year with a separator")
            << "separator" << true
            << QStringLiteral("Die Jahresangabe „2021/..“ darf kein „/“, kein „\\“ und kein Steuerzeichen enthalten. "
                              "Die Monatsdatei muss in ihrem Jahresordner liegen.")
            << "";
    }
    void failedSaveChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(bool, previous);
        QFETCH(QString, messageStart);
        QFETCH(QString, messageEnd);
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(year));
        if (previous) {
            QCOMPARE(saveSheet(filledSheet(1, QStringLiteral(" alt")), folder), QString());
            QCOMPARE(saveSheet(filledSheet(2, QStringLiteral(" alt")), folder), QString());
        }
        if (kind == QStringLiteral("bak-folder")) {
            QVERIFY(QFile::remove(folder.file(monthFile + QStringLiteral(".bak"))));
            QVERIFY(QDir(folder.path()).mkpath(monthFile + QStringLiteral(".bak/inhalt")));
        }
        if (kind == QStringLiteral("unreadable"))
            QVERIFY(Sql::exec(folder.file(monthFile), QStringLiteral("DROP TABLE Journal")));
        if (kind == QStringLiteral("month-folder"))
            QVERIFY(QDir(folder.path()).mkpath(monthFile + QStringLiteral("/inhalt")));
        if (kind == QStringLiteral("year-file")) {
            QVERIFY(QDir(folder.path()).rmdir(year));
            folder.write(year, "kein Ordner");
        }
        const QStringList entriesBefore = folderEntries(folder.path());
        const QStringList yearBefore = folderEntries(folder.file(year));
        const QByteArray fileBefore = folder.read(monthFile);
        const QByteArray backupBefore = folder.read(monthFile + QStringLiteral(".bak"));

        FlexGridStore sheet = filledSheet(kind == QStringLiteral("full") ? 2000 : 20);
        if (kind == QStringLiteral("long"))
            sheet.setTextMatrix(7, 8, QString(41, QLatin1Char('x')));
        if (kind == QStringLiteral("label"))
            sheet.setTextMatrix(1, 6, QString(31, QLatin1Char('2')));
        const QString y = kind == QStringLiteral("separator") ? QStringLiteral("2021/..") : year;
        QString result;
        if (kind == QStringLiteral("full")) {
            FileSizeLimit limit(64 * 1024);
            result = saveSheet(sheet, folder, y);
        } else {
            result = saveSheet(sheet, folder, y);
        }

        if (messageStart.contains(QStringLiteral("%1")))
            messageStart = messageStart.arg(folder.path());
        QVERIFY2(result.startsWith(messageStart), qPrintable(result));
        QVERIFY2(result.endsWith(messageEnd), qPrintable(result));
        QVERIFY2(!messageEnd.isEmpty() || result == messageStart, qPrintable(result));
        QCOMPARE(folderEntries(folder.path()), entriesBefore);
        QCOMPARE(folderEntries(folder.file(year)), yearBefore);
        QCOMPARE(folder.read(monthFile), fileBefore);
        QCOMPARE(folder.read(monthFile + QStringLiteral(".bak")), backupBefore);
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

    void aMonthWithoutRecordsLoadsAsTheEmptyStartupSheet()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(year));
        QVERIFY(MonthDatabase::interne_Datenbank(folder.file(monthFile)).ok());
        FlexGridStore sheet = filledSheet(12, QStringLiteral(" Vormonat"));
        const modul::RateTexts rates = {QStringLiteral("16%"), QStringLiteral("5%"), QStringLiteral("0%")};
        QVERIFY(MonthStorage::loadMonth(sheet, folder.path(), year, month, rates).loaded);
        FlexGridStore expected = startupSheet();
        setRow(expected, 1, QStringList(rates.begin(), rates.end()));
        expected.setTextMatrix(1, 6, QStringLiteral("2021-03"));
        QCOMPARE(texts(sheet), texts(expected));
    }
};

QTEST_GUILESS_MAIN(TestMonthStorage)
#include "TestMonthStorage.moc"
