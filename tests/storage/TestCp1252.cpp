#include "storage/Cp1252.h"

#include <QtTest>

namespace {
QString units(std::initializer_list<char16_t> list)
{
    return QString(reinterpret_cast<const QChar *>(list.begin()), qsizetype(list.size()));
}
} // namespace

class TestCp1252 : public QObject
{
    Q_OBJECT
private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("u umlaut of the old files") << QByteArray("B\xFCrobedarf") << QStringLiteral("Bürobedarf");
        QTest::newRow("euro sign") << QByteArray("5\x80") << QStringLiteral("5€");
        QTest::newRow("undefined bytes become controls")
            << QByteArray("\x81\x8D\x8F\x90\x9D") << units({0x81, 0x8D, 0x8F, 0x90, 0x9D});
        QByteArray highRange;
        for (int b = 0x80; b <= 0x9F; ++b)
            highRange.append(char(b));
        QTest::newRow("whole range 0x80 to 0x9F")
            << highRange << QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
        QTest::newRow("latin-1 range") << QByteArray("\xA0\xC4\xDF\xFF") << QStringLiteral("\u00A0Äßÿ");
        QTest::newRow("ascii and controls") << QByteArray("\t19%\r\n") << QStringLiteral("\t19%\r\n");
        QTest::newRow("NUL byte kept") << QByteArray("a\0b", 3) << units({u'a', 0, u'b'});
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(Cp1252::decode(bytes), text);
        const Cp1252::Encoded back = Cp1252::encode(text);
        QCOMPARE(back.bytes, bytes);
        QVERIFY(back.unrepresentable.isEmpty());
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
        QTest::newRow("greek letter") << QStringLiteral("Ω-Rabatt") << QByteArray("?-Rabatt")
                                      << QStringList{QStringLiteral("Ω")};
        QTest::newRow("C1 control with no byte")
            << QString(QChar(0x80)) << QByteArray("?") << QStringList{QString(QChar(0x80))};
        QTest::newRow("emoji is one character, reported once")
            << QStringLiteral("a😀b😀") << QByteArray("a?b?") << QStringList{QStringLiteral("😀")};
        QTest::newRow("lone surrogate") << units({u'x', 0xD83D}) << QByteArray("x?")
                                        << QStringList{QString(QChar(0xD83D))};
        QTest::newRow("several in order of appearance")
            << QStringLiteral("→ Ω →") << QByteArray("? ? ?") << QStringList{QStringLiteral("→"), QStringLiteral("Ω")};
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
