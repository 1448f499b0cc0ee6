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
        QTest::addColumn<QByteArray>("bytes"); // a null array: no file at all; "folder": a folder in its place
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<ValueFileState>("state");
        QTest::addColumn<int>("found");
        QTest::addColumn<QString>("says"); // what the message says after the quoted path; empty: no message
        const QString defaultsNote = QStringLiteral(" Für die fehlenden Steuersätze gelten die Vorgaben.");
        QTest::newRow("missing file keeps the defaults")
            << QByteArray() << defaultRates() << ValueFileState::Missing << 0 << QString();
        QTest::newRow("a fourth line is ignored") << QByteArray("16%\r\n5%\r\n0%\r\n9%\r\n") << items("16%|5%|0%")
                                                  << ValueFileState::Complete << 0 << QString();
        QTest::newRow("one line keeps two defaults")
            << QByteArray("16%\r\n") << items("16%|7%|0%") << ValueFileState::Short << 1
            << QStringLiteral(" stehen nur 1 von 3 Steuersätzen.") + defaultsNote;
        QTest::newRow("empty file keeps the defaults")
            << QByteArray("") << defaultRates() << ValueFileState::Short << 0
            << QStringLiteral(" stehen nur 0 von 3 Steuersätzen.") + defaultsNote;
        QTest::newRow("binary bytes are no text")
            << QByteArray("16%\r\n\x00\x9f\x01z\r\n0%\r\n", 13) << defaultRates() << ValueFileState::Unreadable << 0
            << QStringLiteral(" ist keine Textdatei und kann nicht gelesen werden.") + defaultsNote;
        QTest::newRow("a rate longer than its field")
            << QByteArray("16%\r\n") + QByteArray(26, 'x') + "\r\n0%\r\n"
            << defaultRates() << ValueFileState::Unreadable << 0
            << QStringLiteral(" kann nicht gelesen werden: ihr 2. Wert ist länger als 25 Zeichen.") + defaultsNote;
        QTest::newRow("the longest rates fit")
            << QByteArray(25, 'a') + "\r\n" + QByteArray(25, 'b') + "\r\n" + QByteArray(30, 'c') + "\r\n"
            << QStringList{QString(25, u'a'), QString(25, u'b'), QString(30, u'c')} << ValueFileState::Complete << 3
            << QString();
        QTest::newRow("a folder in its place") << QByteArray("folder") << defaultRates() << ValueFileState::Unreadable
                                               << 0 << QStringLiteral(" liegt ein Ordner.") + defaultsNote;
    }
    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, values);
        QFETCH(ValueFileState, state);
        QFETCH(int, found);
        QFETCH(QString, says);
        ProgramFolder folder;
        if (bytes == "folder")
            QVERIFY(QDir(folder.path()).mkdir(blDat));
        else if (!bytes.isNull())
            folder.write(blDat, bytes);
        const ValueFileRead read = SettingsFile(folder.path()).read(defaultRates());
        QCOMPARE(read.values, values);
        QCOMPARE(read.state, state);
        QCOMPARE(read.found, qsizetype(state == ValueFileState::Complete ? values.size() : found));
        // The message names the file and what became of its values.
        QVERIFY2(says.isEmpty() ? read.message.isEmpty()
                                : read.message.contains(QStringLiteral("„%1“").arg(folder.file(blDat)))
                                      && read.message.endsWith(says),
                 qPrintable(read.message));
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

    void aFolderInItsPlaceIsNamed()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(blDat));
        const QString message = SettingsFile(folder.path()).write(defaultRates());
        QVERIFY2(message.contains(QStringLiteral("„%1“ kann nicht geschrieben werden, denn an ihrer Stelle liegt ein "
                                                 "Ordner.")
                                      .arg(folder.file(blDat))),
                 qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestValueFiles)
#include "TestValueFiles.moc"
