#include "TestSupport.h"
#include "storage/QuickKeyFile.h"
#include "storage/SettingsFile.h"

#include <QDir>
#include <QtTest>

namespace {
const QStringList kDefaultRates{QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("0%")};
const QStringList kDesignCaptions{
    QStringLiteral("Tageseinnahme"), QStringLiteral("Gutschein"),      QStringLiteral("Bankeinzahlung"),
    QStringLiteral("Lohnzahlung"),   QStringLiteral("Porto"),          QStringLiteral("Tanken"),
    QStringLiteral("Rechnung Bar"),  QStringLiteral("Bürobedarf"),     QStringLiteral("Reinigungsmittel"),
    QStringLiteral("Privateinlage"), QStringLiteral("Privatentnahme"), QStringLiteral("Spende")};
const QByteArray kOldRates("16%\r\n5%\r\n0%\r\n");
} // namespace

class TestValueFiles : public QObject
{
    Q_OBJECT
private slots:
    void readSettings_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // a null array: no file at all
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("found");
        const auto complete = int(ValueFileState::Complete);
        const auto shortFile = int(ValueFileState::Short);
        QTest::newRow("missing file keeps defaults")
            << QByteArray() << kDefaultRates << int(ValueFileState::Missing) << 0;
        QTest::newRow("three rates") << kOldRates
                                     << QStringList{QStringLiteral("16%"), QStringLiteral("5%"), QStringLiteral("0%")}
                                     << complete << 3;
        QTest::newRow("fourth line ignored")
            << QByteArray("16%\r\n5%\r\n0%\r\n9%\r\n")
            << QStringList{QStringLiteral("16%"), QStringLiteral("5%"), QStringLiteral("0%")} << complete << 3;
        QTest::newRow("old unquoted decimal comma shifts")
            << QByteArray("19%\r\n7,5%\r\n0%\r\n")
            << QStringList{QStringLiteral("19%"), QStringLiteral("7"), QStringLiteral("5%")} << complete << 3;
        QTest::newRow("one line keeps two defaults")
            << QByteArray("16%\r\n") << QStringList{QStringLiteral("16%"), QStringLiteral("7%"), QStringLiteral("0%")}
            << shortFile << 1;
        QTest::newRow("empty file keeps all defaults") << QByteArray("") << kDefaultRates << shortFile << 0;
    }
    void readSettings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, values);
        QFETCH(int, state);
        QFETCH(int, found);
        ProgramFolder folder;
        if (!bytes.isNull())
            folder.write(QStringLiteral("bl.dat"), bytes);
        const ValueFileRead read = SettingsFile(folder.path()).read(kDefaultRates);
        QCOMPARE(read.values, values);
        QCOMPARE(int(read.state), state);
        QCOMPARE(read.found, qsizetype(found));
        // Only a short file has something to tell the user, and it names the file.
        QCOMPARE(read.message.contains(folder.file(QStringLiteral("bl.dat"))), state == int(ValueFileState::Short));
    }

    void writeSettingsRoundTrip_data()
    {
        QTest::addColumn<QStringList>("rates");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain rates byte for byte")
            << QStringList{QStringLiteral("16%"), QStringLiteral("5%"), QStringLiteral("0%")} << kOldRates;
        QTest::newRow("decimal comma survives")
            << QStringList{QStringLiteral("19%"), QStringLiteral("10,7%"), QStringLiteral("0%")}
            << QByteArray("19%\r\n\"10,7%\"\r\n0%\r\n");
    }
    void writeSettingsRoundTrip()
    {
        QFETCH(QStringList, rates);
        QFETCH(QByteArray, bytes);
        ProgramFolder folder;
        folder.write(QStringLiteral("bl.dat"), "old\r\nlonger content\r\nthan the new\r\nfile\r\n");
        const SettingsFile file(folder.path());
        QCOMPARE(file.write(rates), QString());
        QCOMPARE(folder.read(QStringLiteral("bl.dat")), bytes);
        const ValueFileRead read = file.read(kDefaultRates);
        QCOMPARE(read.state, ValueFileState::Complete);
        QCOMPARE(read.values, rates);
    }

    void quickKeysDesignCaptions()
    {
        ProgramFolder folder;
        const QuickKeyFile file(folder.path());
        QCOMPARE(file.write(kDesignCaptions), QString());
        QCOMPARE(folder.read(QStringLiteral("Tasten.txt")),
                 QByteArray("Tageseinnahme\r\nGutschein\r\nBankeinzahlung\r\n"
                            "Lohnzahlung\r\nPorto\r\nTanken\r\nRechnung Bar\r\n"
                            "B\xFCrobedarf\r\nReinigungsmittel\r\nPrivateinlage\r\n"
                            "Privatentnahme\r\nSpende\r\n"));
        const ValueFileRead read = file.read(QStringList(QuickKeyFile::ValueCount, QStringLiteral("x")));
        QCOMPARE(read.state, ValueFileState::Complete);
        QCOMPARE(read.values, kDesignCaptions);
    }

    void quickKeysShortFileKeepsCaptions()
    {
        ProgramFolder folder;
        folder.write(QStringLiteral("Tasten.txt"), "Kasse\r\nB\xFCrobedarf\r\n");
        const ValueFileRead read = QuickKeyFile(folder.path()).read(kDesignCaptions);
        QStringList expected = kDesignCaptions;
        expected[0] = QStringLiteral("Kasse");
        expected[1] = QStringLiteral("Bürobedarf");
        QCOMPARE(read.values, expected);
        QCOMPARE(read.state, ValueFileState::Short);
        QVERIFY2(read.message.contains(QStringLiteral("2 von 12")), qPrintable(read.message));
    }

    void renamingChangesOnlyItsLine()
    {
        ProgramFolder folder;
        const QuickKeyFile file(folder.path());
        QCOMPARE(file.write(kDesignCaptions), QString());
        const QList<QByteArray> before = folder.read(QStringLiteral("Tasten.txt")).split('\n');
        QStringList renamed = kDesignCaptions;
        renamed[4] = QStringLiteral("Briefmarken, Pakete");
        QCOMPARE(file.write(renamed), QString());
        const QList<QByteArray> after = folder.read(QStringLiteral("Tasten.txt")).split('\n');
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < after.size(); ++i)
            QCOMPARE(after[i] == before[i], i != 4);
        QCOMPARE(file.read(kDesignCaptions).values, renamed);
    }

    void refusedTextKeepsOldFile_data()
    {
        QTest::addColumn<QStringList>("rates");
        QTest::newRow("outside windows-1252")
            << QStringList{QStringLiteral("19%"), QStringLiteral("७%"), QStringLiteral("0%")};
        QTest::newRow("line break") << QStringList{QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("0\n%")};
    }
    void refusedTextKeepsOldFile()
    {
        QFETCH(QStringList, rates);
        ProgramFolder folder;
        folder.write(QStringLiteral("bl.dat"), kOldRates);
        const QString message = SettingsFile(folder.path()).write(rates);
        QVERIFY2(message.contains(QStringLiteral("wurde nicht geändert")), qPrintable(message));
        QCOMPARE(folder.read(QStringLiteral("bl.dat")), kOldRates);
    }

    void unwritableFolder_data()
    {
        QTest::addColumn<QString>("below");
        QTest::addColumn<bool>("fileIsFolder");
        QTest::newRow("program folder below a regular file") << QStringLiteral("plain.txt") << false;
        QTest::newRow("bl.dat is a folder") << QString() << true;
    }
    void unwritableFolder()
    {
        QFETCH(QString, below);
        QFETCH(bool, fileIsFolder);
        ProgramFolder folder;
        QString programFolder = folder.path();
        if (!below.isEmpty()) {
            folder.write(below, "x");
            programFolder = folder.file(below);
        }
        if (fileIsFolder)
            QVERIFY(QDir(programFolder).mkdir(QStringLiteral("bl.dat")));
        const SettingsFile file(programFolder);
        const QString message = file.write(kDefaultRates);
        QVERIFY2(message.contains(QStringLiteral("kann nicht geschrieben werden")), qPrintable(message));
        QVERIFY(message.contains(file.path()));
        QCOMPARE(file.read(kDefaultRates).state, ValueFileState::Missing);
    }
};

QTEST_GUILESS_MAIN(TestValueFiles)
#include "TestValueFiles.moc"
