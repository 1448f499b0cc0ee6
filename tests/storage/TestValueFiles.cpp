#include "Sheets.h"
#include "TestSupport.h"
#include "storage/QuickKeyFile.h"
#include "storage/SettingsFile.h"
#include "storage/ShopData.h"

#include <QDir>
#include <QtTest>

using Fixtures::defaultRates;

namespace {
const QString blDat = QStringLiteral("bl.dat");
const QByteArray oldRates("16%\r\n5%\r\n0%\r\n");
} // namespace

class TestValueFiles : public QObject
{
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // a null array: no file at all
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<ValueFileState>("state");
        QTest::addColumn<int>("found");
        QTest::newRow("missing file keeps the defaults")
            << QByteArray() << defaultRates() << ValueFileState::Missing << 0;
        QTest::newRow("a fourth line is ignored")
            << QByteArray("16%\r\n5%\r\n0%\r\n9%\r\n") << items("16%|5%|0%") << ValueFileState::Complete << 3;
        QTest::newRow("one line keeps two defaults")
            << QByteArray("16%\r\n") << items("16%|7%|0%") << ValueFileState::Short << 1;
        QTest::newRow("empty file keeps the defaults")
            << QByteArray("") << defaultRates() << ValueFileState::Short << 0;
    }
    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, values);
        QFETCH(ValueFileState, state);
        QFETCH(int, found);
        ProgramFolder folder;
        if (!bytes.isNull())
            folder.write(blDat, bytes);
        const ValueFileRead read = SettingsFile(folder.path()).read(defaultRates());
        QCOMPARE(read.values, values);
        QCOMPARE(read.state, state);
        QCOMPARE(read.found, qsizetype(found));
        // Only a short file has something to tell the user: the file and what it lacks.
        const QString shortNote = QStringLiteral("„%1“ stehen nur %2 von 3").arg(folder.file(blDat)).arg(found);
        QCOMPARE(read.message.contains(shortNote), state == ValueFileState::Short);
    }

    // A write replaces the whole file, and what it wrote reads back.
    void writeReadsBack()
    {
        ProgramFolder folder;
        folder.write(blDat, "old\r\nlonger content\r\nthan the new\r\nfile\r\n");
        const SettingsFile file(folder.path());
        const QStringList rates = items("19%|10,7%|0%");
        QCOMPARE(file.write(rates), QString());
        QCOMPARE(folder.read(blDat), QByteArray("19%\r\n\"10,7%\"\r\n0%\r\n"));
        const ValueFileRead read = file.read(defaultRates());
        QCOMPARE(read.state, ValueFileState::Complete);
        QCOMPARE(read.values, rates);
    }

    void quickKeysAreTwelveLinesOfTastenTxt()
    {
        ProgramFolder folder;
        const QStringList captions(QuickKeyFile::ValueCount, QStringLiteral("Bürobedarf"));
        QCOMPARE(QuickKeyFile(folder.path()).write(captions), QString());
        QCOMPARE(folder.read(QStringLiteral("Tasten.txt")), QByteArray("B\xFCrobedarf\r\n").repeated(12));
    }

    void refusedTextKeepsTheOldFile()
    {
        ProgramFolder folder;
        folder.write(blDat, oldRates);
        const QString message = SettingsFile(folder.path()).write(items("19%|७%|0%"));
        QVERIFY2(message.contains(QStringLiteral("wurde nicht geändert")), qPrintable(message));
        QCOMPARE(folder.read(blDat), oldRates);
    }

    // The shop's data read back as written; a column that names no income
    // column is the automatic choice.
    void shopData_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("read"); // name|street|place|Steuernummer|column
        QTest::newRow("every value") << QByteArray(
            "\"M\xfcller, Kiosk\"\r\nMarkt 1\r\n12345 Ort\r\n12/345/67890\r\n2\r\n")
                                     << QStringLiteral("Müller, Kiosk|Markt 1|12345 Ort|12/345/67890|2");
        QTest::newRow("only a name") << QByteArray("Kiosk\r\n") << QStringLiteral("Kiosk||||0");
        QTest::newRow("no such column") << QByteArray("K\r\nS\r\nO\r\nN\r\n4\r\n") << QStringLiteral("K|S|O|N|0");
    }
    void shopData()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, read);
        ProgramFolder folder;
        folder.write(QStringLiteral("betrieb.dat"), bytes);
        const ShopData shop = ShopDataFile(folder.path()).load();
        QCOMPARE(
            QStringList({shop.name, shop.street, shop.place, shop.steuernummer, QString::number(shop.surplusColumn)})
                .join(u'|'),
            read);
    }

    void unwritableFolder()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(blDat));
        const SettingsFile file(folder.path());
        const QString message = file.write(defaultRates());
        QVERIFY2(message.contains(QStringLiteral("„%1“ kann nicht geschrieben werden").arg(file.path())),
                 qPrintable(message));
        QCOMPARE(file.read(defaultRates()).state, ValueFileState::Missing);
    }
};

QTEST_GUILESS_MAIN(TestValueFiles)
#include "TestValueFiles.moc"
