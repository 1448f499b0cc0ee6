#include "TestSupport.h"
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
        const auto row = [](const char *name, const char *text, const char *values) {
            QTest::newRow(name) << QString::fromUtf8(text) << items(values);
        };
        row("bare LF and CR end lines too", "a\nb\rc", "a|b|c");
        row("a decimal comma splits a line", "7,5%\r\n0%", "7|5%|0%");
        row("empty value between commas", "a,,b", "a||b");
        row("a quoted value keeps its comma", "\"10,7%\"\r\n0%", "10,7%|0%");
        row("blanks and a comma after the closing quote", "\"a\"  ,b", "a|b");
        row("text after the closing quote starts a value", "\"a\"b\r\n", "a|b");
        row("quoted: empty, and across a line end", "\"\"\r\n\"a\r\nb\",c", "|a\r\nb|c");
        row("an unclosed quote runs to the end", "\"abc\r\ndef", "abc\r\ndef");
        row("a quote inside an unquoted value", "Zoll \"A\"\r\n", "Zoll \"A\"");
        row("leading blanks and empty lines skipped, trailing blanks kept", " \t 19%\r\n\r\n\r\n\tPorto \t,y",
            "19%|Porto \t|y");
        row("a trailing comma ends the data", "a,", "a");
        row("only blanks and line ends", " \r\n\t\n", "");
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
            << items("16%|7% |Zoll \"A\"") << QByteArray("16%\r\n7% \r\nZoll \"A\"\r\n");
        QTest::newRow("quoted: a comma, the empty value, leading blanks")
            << items("10,7%|| \t7%") << QByteArray("\"10,7%\"\r\n\"\"\r\n\" \t7%\"\r\n");
        QTest::newRow("umlaut and euro in windows-1252")
            << items("Bürobedarf|5 €") << QByteArray("B\xFCrobedarf\r\n5 \x80\r\n");
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
        textRow("bare CR", "7\r%", "Zeilenumbruch");
        textRow("bare LF", "a\nb", "Zeilenumbruch");
        textRow("leading quote", "\"quoted\"", "beginnt mit einem Anführungszeichen");
        textRow("quote and comma", "a \"b\", c", "zugleich ein Komma");
        textRow("quote and leading blank", " a\"b", "zugleich ein Komma");
        textRow("outside the code page", "Ω-Rabatt", "speichern lassen: Ω");
        textRow("windows-1252 bytes that read as utf-8", "Ã¼", "verändert zurückgelesen");
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
