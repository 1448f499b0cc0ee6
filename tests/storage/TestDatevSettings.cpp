#include "TestSupport.h"

#include "storage/DatevSettings.h"

#include <QtTest>

class TestDatevSettings : public QObject
{
    Q_OBJECT
private slots:
    void problems_data()
    {
        QTest::addColumn<int>("index"); // in the file's order
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("problem"); // empty: none
        QTest::newRow("the defaults") << 0 << QString() << QString();
        QTest::newRow("an adviser too small")
            << 0 << QStringLiteral("1000") << QStringLiteral("Beraternummer: eine Zahl von 1001 bis 9999999");
        QTest::newRow("another chart") << 2 << QStringLiteral("SKR49")
                                       << QStringLiteral("Kontenrahmen: SKR03 oder SKR04");
        QTest::newRow("three-digit accounts")
            << 3 << QStringLiteral("3") << QStringLiteral("Sachkontenlänge: eine Zahl von 4 bis 8");
        QTest::newRow("a longer length than the accounts")
            << 3 << QStringLiteral("5") << QStringLiteral("Kasse: eine Kontonummer aus 5 Ziffern");
        QTest::newRow("a revenue account too short")
            << 6 << QStringLiteral("830") << QStringLiteral("Erlöskonto 2: eine Kontonummer aus 4 Ziffern");
        QTest::newRow("a tax key too long")
            << 9 << QStringLiteral("12345") << QStringLiteral("BU-Schlüssel: leer oder bis zu 4 Ziffern");
    }
    void problems()
    {
        QFETCH(int, index);
        QFETCH(QString, value);
        QFETCH(QString, problem);
        QStringList values = DatevSettings::defaults().values();
        values[index] = value;
        QCOMPARE(DatevSettings::fromValues(values).problems().value(0), problem);
    }

    // No file gives the defaults; an empty tax key is kept as "" and read
    // back. The window's test holds the rest of the file.
    void storedAndReadBack()
    {
        ProgramFolder folder;
        const DatevSettingsFile file(folder.path());
        QString message;
        QCOMPARE(file.load(&message).values(), DatevSettings::defaults().values());
        QVERIFY(message.isEmpty());
        DatevSettings s = DatevSettings::defaults();
        s.buSchluessel.clear();
        QCOMPARE(file.save(s), QString());
        QVERIFY(folder.read(QStringLiteral("datev.dat")).endsWith("\r\n4980\r\n\"\"\r\n"));
        QCOMPARE(file.load().values(), s.values());
    }
};

QTEST_GUILESS_MAIN(TestDatevSettings)
#include "TestDatevSettings.moc"
