#include "storage/TextValues.h"

#include <QtTest>

class TestTextValues : public QObject
{
    Q_OBJECT
private slots:
    void reader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("lines") << QStringLiteral("19%\r\n7%\r\n0%\r\n")
                               << QStringList{QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("0%")};
        QTest::newRow("bare LF and CR end lines too")
            << QStringLiteral("a\nb\rc") << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        QTest::newRow("a decimal comma splits a line")
            << QStringLiteral("7,5%\r\n0%")
            << QStringList{QStringLiteral("7"), QStringLiteral("5%"), QStringLiteral("0%")};
        QTest::newRow("empty value between commas")
            << QStringLiteral("a,,b") << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
        QTest::newRow("a quoted value keeps its comma")
            << QStringLiteral("\"10,7%\"\r\n0%") << QStringList{QStringLiteral("10,7%"), QStringLiteral("0%")};
        QTest::newRow("blanks and a comma after the closing quote")
            << QStringLiteral("\"a\"  ,b") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("text after the closing quote starts a value")
            << QStringLiteral("\"a\"b\r\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("quoted: empty, and across a line end")
            << QStringLiteral("\"\"\r\n\"a\r\nb\",c")
            << QStringList{QString(), QStringLiteral("a\r\nb"), QStringLiteral("c")};
        QTest::newRow("an unclosed quote runs to the end")
            << QStringLiteral("\"abc\r\ndef") << QStringList{QStringLiteral("abc\r\ndef")};
        QTest::newRow("a quote inside an unquoted value")
            << QStringLiteral("Zoll \"A\"\r\n") << QStringList{QStringLiteral("Zoll \"A\"")};
        QTest::newRow("leading blanks and empty lines skipped, trailing blanks kept")
            << QStringLiteral(" \t 19%\r\n\r\n\r\n\tPorto \t,y")
            << QStringList{QStringLiteral("19%"), QStringLiteral("Porto \t"), QStringLiteral("y")};
        QTest::newRow("a trailing comma ends the data") << QStringLiteral("a,") << QStringList{QStringLiteral("a")};
        QTest::newRow("only blanks and line ends") << QStringLiteral(" \r\n\t\n") << QStringList{};
    }
    void reader()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, values);
        TextValueReader reader(text);
        QStringList got;
        while (!reader.atEnd()) {
            const std::optional<QString> value = reader.next();
            QVERIFY(value.has_value());
            got << *value;
        }
        QCOMPARE(got, values);
        QVERIFY(!reader.next().has_value());
    }

    void decodeFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("windows-1252") << QByteArray("B\xFCro 5\x80") << QStringLiteral("Büro 5€");
        QTest::newRow("utf-8") << QByteArray("B\xC3\xBCro 5\xE2\x82\xAC") << QStringLiteral("Büro 5€");
        const QByteArray bom("\xEF\xBB\xBF");
        QTest::newRow("utf-8 with byte order mark") << bom + "B\xC3\xBCro" << QStringLiteral("Büro");
        QTest::newRow("byte order mark before ascii") << bom + "19%" << QStringLiteral("19%");
        QTest::newRow("byte order mark before bad utf-8") << bom + "\xFC" << QStringLiteral("ï»¿ü");
        QTest::newRow("truncated utf-8") << QByteArray("B\xC3") << QStringLiteral("BÃ");
        QTest::newRow("overlong utf-8") << QByteArray("\xC0\xAF") << QStringLiteral("À¯");
        QTest::newRow("one bad byte makes it all windows-1252")
            << QByteArray("\xC3\xBC \xFC") << QStringLiteral("Ã¼ ü");
    }
    void decodeFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeTextFile(bytes), text);
    }

    void encode_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain lines, trailing blanks and inner quotes too")
            << QStringList{QStringLiteral("16%"), QStringLiteral("7% "), QStringLiteral("Zoll \"A\"")}
            << QByteArray("16%\r\n7% \r\nZoll \"A\"\r\n");
        QTest::newRow("quoted: a comma, the empty value, leading blanks")
            << QStringList{QStringLiteral("10,7%"), QString(), QStringLiteral(" \t7%")}
            << QByteArray("\"10,7%\"\r\n\"\"\r\n\" \t7%\"\r\n");
        QTest::newRow("umlaut and euro in windows-1252")
            << QStringList{QStringLiteral("Bürobedarf"), QStringLiteral("5 €")}
            << QByteArray("B\xFCrobedarf\r\n5 \x80\r\n");
    }
    void encode()
    {
        QFETCH(QStringList, values);
        QFETCH(QByteArray, bytes);
        const EncodedTextValues encoded = encodeTextValues(values);
        QCOMPARE(encoded.problem, QString());
        QCOMPARE(encoded.bytes, bytes);
        QCOMPARE(readTextValues(decodeTextFile(encoded.bytes), values.size()), values);
    }

    void refuse_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("reason");
        QTest::newRow("bare CR") << QStringLiteral("7\r%") << QStringLiteral("Zeilenumbruch");
        QTest::newRow("bare LF") << QStringLiteral("a\nb") << QStringLiteral("Zeilenumbruch");
        QTest::newRow("leading quote") << QStringLiteral("\"quoted\"")
                                       << QStringLiteral("beginnt mit einem Anführungszeichen");
        QTest::newRow("quote and comma") << QStringLiteral("a \"b\", c") << QStringLiteral("zugleich ein Komma");
        QTest::newRow("quote and leading blank") << QStringLiteral(" a\"b") << QStringLiteral("zugleich ein Komma");
        QTest::newRow("outside the code page") << QStringLiteral("Ω-Rabatt") << QStringLiteral("speichern lassen: Ω");
        QTest::newRow("windows-1252 bytes that read as utf-8")
            << QStringLiteral("Ã¼") << QStringLiteral("verändert zurückgelesen");
    }
    void refuse()
    {
        QFETCH(QString, value);
        QFETCH(QString, reason);
        const EncodedTextValues encoded = encodeTextValues({QStringLiteral("19%"), value});
        QVERIFY(encoded.bytes.isEmpty());
        QVERIFY2(encoded.problem.contains(QStringLiteral("„") + value + QStringLiteral("“")),
                 qPrintable(encoded.problem));
        QVERIFY2(encoded.problem.contains(reason), qPrintable(encoded.problem));
    }
};

QTEST_GUILESS_MAIN(TestTextValues)
#include "TestTextValues.moc"
