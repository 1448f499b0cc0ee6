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
        QTest::newRow("three lines") << QStringLiteral("19%\r\n7%\r\n0%\r\n")
                                     << QStringList{QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("0%")};
        QTest::newRow("decimal comma splits a line")
            << QStringLiteral("19%\r\n7,5%\r\n0%\r\n")
            << QStringList{QStringLiteral("19%"), QStringLiteral("7"), QStringLiteral("5%"), QStringLiteral("0%")};
        QTest::newRow("quoted value keeps its comma")
            << QStringLiteral("\"10,7%\"\r\n0%") << QStringList{QStringLiteral("10,7%"), QStringLiteral("0%")};
        QTest::newRow("comma after closing quote consumed")
            << QStringLiteral("\"a\",b") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("blanks between closing quote and comma")
            << QStringLiteral("\"a\"  ,b") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("text after closing quote starts a value")
            << QStringLiteral("\"a\"b\r\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("quoted empty value")
            << QStringLiteral("\"\"\r\nx") << QStringList{QString(), QStringLiteral("x")};
        QTest::newRow("quoted value spans a line end")
            << QStringLiteral("\"a\r\nb\",c") << QStringList{QStringLiteral("a\r\nb"), QStringLiteral("c")};
        QTest::newRow("unclosed quote runs to the end")
            << QStringLiteral("\"abc\r\ndef") << QStringList{QStringLiteral("abc\r\ndef")};
        QTest::newRow("leading blanks and tabs skipped")
            << QStringLiteral(" \t 19%\r\n\t7%") << QStringList{QStringLiteral("19%"), QStringLiteral("7%")};
        QTest::newRow("trailing blanks kept")
            << QStringLiteral("Porto  \r\nx \t,y")
            << QStringList{QStringLiteral("Porto  "), QStringLiteral("x \t"), QStringLiteral("y")};
        QTest::newRow("empty lines skipped")
            << QStringLiteral("\r\n\r\n19%\r\n\r\n\r\n7%") << QStringList{QStringLiteral("19%"), QStringLiteral("7%")};
        QTest::newRow("empty value between commas")
            << QStringLiteral("a,,b") << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
        QTest::newRow("quote inside an unquoted value")
            << QStringLiteral("Zoll \"A\"\r\n") << QStringList{QStringLiteral("Zoll \"A\"")};
        QTest::newRow("bare LF line ends")
            << QStringLiteral("a\nb\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("bare CR line ends")
            << QStringLiteral("a\rb\r") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("no final line end") << QStringLiteral("19%") << QStringList{QStringLiteral("19%")};
        QTest::newRow("trailing comma ends the data") << QStringLiteral("a,") << QStringList{QStringLiteral("a")};
        QTest::newRow("only blanks and line ends") << QStringLiteral(" \r\n\t\n") << QStringList{};
        QTest::newRow("no data") << QString() << QStringList{};
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
        QVERIFY(reader.atEnd());
    }

    void decodeFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("windows-1252 umlaut") << QByteArray("B\xFCrobedarf") << QStringLiteral("Bürobedarf");
        QTest::newRow("windows-1252 euro sign") << QByteArray("5\x80") << QStringLiteral("5€");
        QTest::newRow("utf-8 umlaut") << QByteArray("B\xC3\xBCrobedarf") << QStringLiteral("Bürobedarf");
        QTest::newRow("utf-8 euro sign") << QByteArray("5\xE2\x82\xAC") << QStringLiteral("5€");
        QTest::newRow("utf-8 with byte order mark") << QByteArray("\xEF\xBB\xBF"
                                                                  "B\xC3\xBCro")
                                                    << QStringLiteral("Büro");
        QTest::newRow("byte order mark before ascii") << QByteArray("\xEF\xBB\xBF"
                                                                    "19%")
                                                      << QStringLiteral("19%");
        QTest::newRow("byte order mark before bad utf-8") << QByteArray("\xEF\xBB\xBF\xFC") << QStringLiteral("ï»¿ü");
        QTest::newRow("truncated utf-8") << QByteArray("B\xC3") << QStringLiteral("BÃ");
        QTest::newRow("overlong utf-8") << QByteArray("\xC0\xAF") << QStringLiteral("À¯");
        QTest::newRow("utf-8 encoded surrogate") << QByteArray("\xED\xA0\x80") << QStringLiteral("í\u00A0€");
        QTest::newRow("one bad byte makes it all windows-1252")
            << QByteArray("\xC3\xBC \xFC") << QStringLiteral("Ã¼ ü");
        QTest::newRow("plain ascii") << QByteArray("19%\r\n") << QStringLiteral("19%\r\n");
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
        QTest::newRow("plain rates stay plain lines")
            << QStringList{QStringLiteral("16%"), QStringLiteral("5%"), QStringLiteral("0%")}
            << QByteArray("16%\r\n5%\r\n0%\r\n");
        QTest::newRow("value with a comma is quoted")
            << QStringList{QStringLiteral("19%"), QStringLiteral("10,7%"), QStringLiteral("0%")}
            << QByteArray("19%\r\n\"10,7%\"\r\n0%\r\n");
        QTest::newRow("empty value is quoted") << QStringList{QStringLiteral("19%"), QString(), QStringLiteral("0%")}
                                               << QByteArray("19%\r\n\"\"\r\n0%\r\n");
        QTest::newRow("leading blanks are quoted")
            << QStringList{QStringLiteral(" \t7%")} << QByteArray("\" \t7%\"\r\n");
        QTest::newRow("trailing blanks stay plain") << QStringList{QStringLiteral("7% ")} << QByteArray("7% \r\n");
        QTest::newRow("quote inside stays plain")
            << QStringList{QStringLiteral("Zoll \"A\"")} << QByteArray("Zoll \"A\"\r\n");
        QTest::newRow("umlaut and euro in windows-1252")
            << QStringList{QStringLiteral("Bürobedarf"), QStringLiteral("5 €")}
            << QByteArray("B\xFCrobedarf\r\n"
                          "5 \x80\r\n");
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
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("reason");
        QTest::newRow("line break") << QStringList{QStringLiteral("19%"), QStringLiteral("7\r\n%"),
                                                   QStringLiteral("0%")}
                                    << QStringLiteral("7\r\n%") << QStringLiteral("Zeilenumbruch");
        QTest::newRow("bare line feed") << QStringList{QStringLiteral("a\nb")} << QStringLiteral("a\nb")
                                        << QStringLiteral("Zeilenumbruch");
        QTest::newRow("leading quote") << QStringList{QStringLiteral("\"quoted\"")} << QStringLiteral("\"quoted\"")
                                       << QStringLiteral("beginnt mit einem Anführungszeichen");
        QTest::newRow("quote and comma") << QStringList{QStringLiteral("a \"b\", c")} << QStringLiteral("a \"b\", c")
                                         << QStringLiteral("zugleich ein Komma");
        QTest::newRow("quote and leading blank")
            << QStringList{QStringLiteral(" a\"b")} << QStringLiteral(" a\"b") << QStringLiteral("zugleich ein Komma");
        QTest::newRow("character outside the code page")
            << QStringList{QStringLiteral("19%"), QStringLiteral("Ω-Rabatt")} << QStringLiteral("Ω-Rabatt")
            << QStringLiteral("speichern lassen: Ω");
        QTest::newRow("windows-1252 bytes that read as utf-8")
            << QStringList{QStringLiteral("Ã¼")} << QStringLiteral("Ã¼") << QStringLiteral("verändert zurückgelesen");
    }
    void refuse()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, named);
        QFETCH(QString, reason);
        const EncodedTextValues encoded = encodeTextValues(values);
        QVERIFY(encoded.bytes.isEmpty());
        QVERIFY2(encoded.problem.contains(QStringLiteral("„") + named + QStringLiteral("“")),
                 qPrintable(encoded.problem));
        QVERIFY2(encoded.problem.contains(reason), qPrintable(encoded.problem));
    }
};

QTEST_GUILESS_MAIN(TestTextValues)
#include "TestTextValues.moc"
