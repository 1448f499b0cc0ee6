#include "storage/Cp1252.h"

#include <QtTest>

class TestCp1252 : public QObject
{
    Q_OBJECT
private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QByteArray highRange;
        for (int b = 0x80; b <= 0x9F; ++b)
            highRange.append(char(b));
        // The five bytes the code page leaves undefined become the controls of the same number.
        QTest::newRow("0x80 to 0x9F") << highRange
                                      << QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
        QTest::newRow("latin-1 range") << QByteArray("\xA0\xC4\xDF\xFF") << QStringLiteral("\u00A0Äßÿ");
        QTest::newRow("ascii, controls and NUL")
            << QByteArray("\t19%\r\n\0", 7) << QStringLiteral("\t19%\r\n") + QChar(0);
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(Cp1252::decode(bytes), text);
    }

    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = Cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        const Cp1252::Encoded back = Cp1252::encode(text);
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
