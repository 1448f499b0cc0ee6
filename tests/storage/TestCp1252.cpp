#include "storage/Cp1252.h"

#include <QtTest>

class TestCp1252 : public QObject
{
    Q_OBJECT
private slots:
    // Every byte reads as its character and writes back as itself; the five
    // bytes the code page leaves undefined become the controls of the same number.
    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QString expected = QString::fromLatin1(all);
        expected.replace(0x80, 32, QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"));
        QCOMPARE(Cp1252::decode(all), expected);
        const Cp1252::Encoded back = Cp1252::encode(expected);
        QCOMPARE(back.bytes, all);
        QCOMPARE(back.unrepresentable, QStringList());
    }

    void unrepresentable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("reported");
        QTest::newRow("C1 control with no byte")
            << QString(QChar(0x80)) << QByteArray("?") << QStringList{QString(QChar(0x80))};
        QTest::newRow("each once, in order of appearance") << QStringLiteral("a😀b😀-Ω") << QByteArray("a?b?-?")
                                                           << QStringList{QStringLiteral("😀"), QStringLiteral("Ω")};
        QTest::newRow("lone surrogate") << QStringLiteral("x") + QChar(0xD83D) << QByteArray("x?")
                                        << QStringList{QString(QChar(0xD83D))};
    }
    void unrepresentable()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, reported);
        const Cp1252::Encoded encoded = Cp1252::encode(text);
        QCOMPARE(encoded.bytes, bytes);
        QCOMPARE(encoded.unrepresentable, reported);
    }
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "TestCp1252.moc"
