#include "storage/QuickKeyFile.h"
#include "storage/SettingsFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
const QStringList kDefaultRates{u"19%"_s, u"7%"_s, u"0%"_s};
const QStringList kDesignCaptions{u"Tageseinnahme"_s, u"Gutschein"_s,        u"Bankeinzahlung"_s, u"Lohnzahlung"_s,
                                  u"Porto"_s,         u"Tanken"_s,           u"Rechnung Bar"_s,   u"Bürobedarf"_s,
                                  u"Reinigungsmittel"_s, u"Privateinlage"_s, u"Privatentnahme"_s, u"Spende"_s};
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
        QTest::newRow("missing file keeps defaults") << QByteArray() << kDefaultRates
                                                     << int(ValueFileState::Missing) << 0;
        QTest::newRow("three rates") << kOldRates << QStringList{u"16%"_s, u"5%"_s, u"0%"_s} << complete << 3;
        QTest::newRow("fourth line ignored")
            << QByteArray("16%\r\n5%\r\n0%\r\n9%\r\n") << QStringList{u"16%"_s, u"5%"_s, u"0%"_s} << complete << 3;
        QTest::newRow("old unquoted decimal comma shifts")
            << QByteArray("19%\r\n7,5%\r\n0%\r\n") << QStringList{u"19%"_s, u"7"_s, u"5%"_s} << complete << 3;
        QTest::newRow("one line keeps two defaults")
            << QByteArray("16%\r\n") << QStringList{u"16%"_s, u"7%"_s, u"0%"_s} << shortFile << 1;
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
            folder.write(u"bl.dat"_s, bytes);
        const ValueFileRead read = SettingsFile(folder.path()).read(kDefaultRates);
        QCOMPARE(read.values, values);
        QCOMPARE(int(read.state), state);
        QCOMPARE(read.found, qsizetype(found));
        // Only a short file has something to tell the user, and it names the file.
        QCOMPARE(read.message.contains(folder.file(u"bl.dat"_s)), state == int(ValueFileState::Short));
    }

    void writeSettingsRoundTrip_data()
    {
        QTest::addColumn<QStringList>("rates");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain rates byte for byte") << QStringList{u"16%"_s, u"5%"_s, u"0%"_s} << kOldRates;
        QTest::newRow("decimal comma survives")
            << QStringList{u"19%"_s, u"10,7%"_s, u"0%"_s} << QByteArray("19%\r\n\"10,7%\"\r\n0%\r\n");
    }
    void writeSettingsRoundTrip()
    {
        QFETCH(QStringList, rates);
        QFETCH(QByteArray, bytes);
        ProgramFolder folder;
        folder.write(u"bl.dat"_s, "old\r\nlonger content\r\nthan the new\r\nfile\r\n");
        const SettingsFile file(folder.path());
        QCOMPARE(file.write(rates), QString());
        QCOMPARE(folder.read(u"bl.dat"_s), bytes);
        const ValueFileRead read = file.read(kDefaultRates);
        QCOMPARE(read.state, ValueFileState::Complete);
        QCOMPARE(read.values, rates);
    }

    void quickKeysDesignCaptions()
    {
        ProgramFolder folder;
        const QuickKeyFile file(folder.path());
        QCOMPARE(file.write(kDesignCaptions), QString());
        QCOMPARE(folder.read(u"Tasten.txt"_s), QByteArray("Tageseinnahme\r\nGutschein\r\nBankeinzahlung\r\n"
                                                          "Lohnzahlung\r\nPorto\r\nTanken\r\nRechnung Bar\r\n"
                                                          "B\xFCrobedarf\r\nReinigungsmittel\r\nPrivateinlage\r\n"
                                                          "Privatentnahme\r\nSpende\r\n"));
        const ValueFileRead read = file.read(QStringList(QuickKeyFile::ValueCount, u"x"_s));
        QCOMPARE(read.state, ValueFileState::Complete);
        QCOMPARE(read.values, kDesignCaptions);
    }

    void quickKeysShortFileKeepsCaptions()
    {
        ProgramFolder folder;
        folder.write(u"Tasten.txt"_s, "Kasse\r\nB\xFCrobedarf\r\n");
        const ValueFileRead read = QuickKeyFile(folder.path()).read(kDesignCaptions);
        QStringList expected = kDesignCaptions;
        expected[0] = u"Kasse"_s;
        expected[1] = u"Bürobedarf"_s;
        QCOMPARE(read.values, expected);
        QCOMPARE(read.state, ValueFileState::Short);
        QVERIFY2(read.message.contains(u"2 von 12"_s), qPrintable(read.message));
    }

    void renamingChangesOnlyItsLine()
    {
        ProgramFolder folder;
        const QuickKeyFile file(folder.path());
        QCOMPARE(file.write(kDesignCaptions), QString());
        const QList<QByteArray> before = folder.read(u"Tasten.txt"_s).split('\n');
        QStringList renamed = kDesignCaptions;
        renamed[4] = u"Briefmarken, Pakete"_s;
        QCOMPARE(file.write(renamed), QString());
        const QList<QByteArray> after = folder.read(u"Tasten.txt"_s).split('\n');
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < after.size(); ++i)
            QCOMPARE(after[i] == before[i], i != 4);
        QCOMPARE(file.read(kDesignCaptions).values, renamed);
    }

    void refusedTextKeepsOldFile_data()
    {
        QTest::addColumn<QStringList>("rates");
        QTest::newRow("outside windows-1252") << QStringList{u"19%"_s, u"७%"_s, u"0%"_s};
        QTest::newRow("line break") << QStringList{u"19%"_s, u"7%"_s, u"0\n%"_s};
    }
    void refusedTextKeepsOldFile()
    {
        QFETCH(QStringList, rates);
        ProgramFolder folder;
        folder.write(u"bl.dat"_s, kOldRates);
        const QString message = SettingsFile(folder.path()).write(rates);
        QVERIFY2(message.contains(u"wurde nicht geändert"_s), qPrintable(message));
        QCOMPARE(folder.read(u"bl.dat"_s), kOldRates);
    }

    void unwritableFolder_data()
    {
        QTest::addColumn<QString>("below");
        QTest::addColumn<bool>("fileIsFolder");
        QTest::newRow("program folder below a regular file") << u"plain.txt"_s << false;
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
            QVERIFY(QDir(programFolder).mkdir(u"bl.dat"_s));
        const SettingsFile file(programFolder);
        const QString message = file.write(kDefaultRates);
        QVERIFY2(message.contains(u"kann nicht geschrieben werden"_s), qPrintable(message));
        QVERIFY(message.contains(file.path()));
        QCOMPARE(file.read(kDefaultRates).state, ValueFileState::Missing);
    }
};

QTEST_GUILESS_MAIN(TestValueFiles)
#include "TestValueFiles.moc"
