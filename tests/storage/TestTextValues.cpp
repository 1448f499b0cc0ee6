#include "storage/TextValues.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestTextValues : public QObject
{
    Q_OBJECT
private slots:
    void reader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("three lines") << u"19%\r\n7%\r\n0%\r\n"_s << QStringList{u"19%"_s, u"7%"_s, u"0%"_s};
        QTest::newRow("decimal comma splits a line")
            << u"19%\r\n7,5%\r\n0%\r\n"_s << QStringList{u"19%"_s, u"7"_s, u"5%"_s, u"0%"_s};
        QTest::newRow("quoted value keeps its comma") << u"\"10,7%\"\r\n0%"_s << QStringList{u"10,7%"_s, u"0%"_s};
        QTest::newRow("comma after closing quote consumed") << u"\"a\",b"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("blanks between closing quote and comma")
            << u"\"a\"  ,b"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("text after closing quote starts a value")
            << u"\"a\"b\r\n"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("quoted empty value") << u"\"\"\r\nx"_s << QStringList{QString(), u"x"_s};
        QTest::newRow("quoted value spans a line end")
            << u"\"a\r\nb\",c"_s << QStringList{u"a\r\nb"_s, u"c"_s};
        QTest::newRow("unclosed quote runs to the end") << u"\"abc\r\ndef"_s << QStringList{u"abc\r\ndef"_s};
        QTest::newRow("leading blanks and tabs skipped")
            << u" \t 19%\r\n\t7%"_s << QStringList{u"19%"_s, u"7%"_s};
        QTest::newRow("trailing blanks kept") << u"Porto  \r\nx \t,y"_s
                                              << QStringList{u"Porto  "_s, u"x \t"_s, u"y"_s};
        QTest::newRow("empty lines skipped") << u"\r\n\r\n19%\r\n\r\n\r\n7%"_s << QStringList{u"19%"_s, u"7%"_s};
        QTest::newRow("empty value between commas") << u"a,,b"_s << QStringList{u"a"_s, QString(), u"b"_s};
        QTest::newRow("quote inside an unquoted value") << u"Zoll \"A\"\r\n"_s << QStringList{u"Zoll \"A\""_s};
        QTest::newRow("bare LF line ends") << u"a\nb\n"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("bare CR line ends") << u"a\rb\r"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("no final line end") << u"19%"_s << QStringList{u"19%"_s};
        QTest::newRow("trailing comma ends the data") << u"a,"_s << QStringList{u"a"_s};
        QTest::newRow("only blanks and line ends") << u" \r\n\t\n"_s << QStringList{};
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
        QTest::newRow("windows-1252 umlaut") << QByteArray("B\xFCrobedarf") << u"Bürobedarf"_s;
        QTest::newRow("windows-1252 euro sign") << QByteArray("5\x80") << u"5€"_s;
        QTest::newRow("utf-8 umlaut") << QByteArray("B\xC3\xBCrobedarf") << u"Bürobedarf"_s;
        QTest::newRow("utf-8 euro sign") << QByteArray("5\xE2\x82\xAC") << u"5€"_s;
        QTest::newRow("utf-8 with byte order mark") << QByteArray("\xEF\xBB\xBF" "B\xC3\xBCro") << u"Büro"_s;
        QTest::newRow("byte order mark before ascii") << QByteArray("\xEF\xBB\xBF" "19%") << u"19%"_s;
        QTest::newRow("byte order mark before bad utf-8")
            << QByteArray("\xEF\xBB\xBF\xFC") << u"ï»¿ü"_s;
        QTest::newRow("truncated utf-8") << QByteArray("B\xC3") << u"BÃ"_s;
        QTest::newRow("overlong utf-8") << QByteArray("\xC0\xAF") << u"À¯"_s;
        QTest::newRow("utf-8 encoded surrogate") << QByteArray("\xED\xA0\x80") << u"í\u00A0€"_s;
        QTest::newRow("one bad byte makes it all windows-1252")
            << QByteArray("\xC3\xBC \xFC") << u"Ã¼ ü"_s;
        QTest::newRow("plain ascii") << QByteArray("19%\r\n") << u"19%\r\n"_s;
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
            << QStringList{u"16%"_s, u"5%"_s, u"0%"_s} << QByteArray("16%\r\n5%\r\n0%\r\n");
        QTest::newRow("value with a comma is quoted")
            << QStringList{u"19%"_s, u"10,7%"_s, u"0%"_s} << QByteArray("19%\r\n\"10,7%\"\r\n0%\r\n");
        QTest::newRow("empty value is quoted")
            << QStringList{u"19%"_s, QString(), u"0%"_s} << QByteArray("19%\r\n\"\"\r\n0%\r\n");
        QTest::newRow("leading blanks are quoted") << QStringList{u" \t7%"_s} << QByteArray("\" \t7%\"\r\n");
        QTest::newRow("trailing blanks stay plain") << QStringList{u"7% "_s} << QByteArray("7% \r\n");
        QTest::newRow("quote inside stays plain") << QStringList{u"Zoll \"A\""_s} << QByteArray("Zoll \"A\"\r\n");
        QTest::newRow("umlaut and euro in windows-1252")
            << QStringList{u"Bürobedarf"_s, u"5 €"_s} << QByteArray("B\xFCrobedarf\r\n" "5 \x80\r\n");
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
        QTest::newRow("line break") << QStringList{u"19%"_s, u"7\r\n%"_s, u"0%"_s} << u"7\r\n%"_s
                                    << u"Zeilenumbruch"_s;
        QTest::newRow("bare line feed") << QStringList{u"a\nb"_s} << u"a\nb"_s << u"Zeilenumbruch"_s;
        QTest::newRow("leading quote") << QStringList{u"\"quoted\""_s} << u"\"quoted\""_s
                                       << u"beginnt mit einem Anführungszeichen"_s;
        QTest::newRow("quote and comma") << QStringList{u"a \"b\", c"_s} << u"a \"b\", c"_s
                                         << u"zugleich ein Komma"_s;
        QTest::newRow("quote and leading blank") << QStringList{u" a\"b"_s} << u" a\"b"_s
                                                 << u"zugleich ein Komma"_s;
        QTest::newRow("character outside the code page")
            << QStringList{u"19%"_s, u"Ω-Rabatt"_s} << u"Ω-Rabatt"_s << u"speichern lassen: Ω"_s;
        QTest::newRow("windows-1252 bytes that read as utf-8")
            << QStringList{u"Ã¼"_s} << u"Ã¼"_s << u"verändert zurückgelesen"_s;
    }
    void refuse()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, named);
        QFETCH(QString, reason);
        const EncodedTextValues encoded = encodeTextValues(values);
        QVERIFY(encoded.bytes.isEmpty());
        QVERIFY2(encoded.problem.contains(u"„"_s + named + u"“"_s), qPrintable(encoded.problem));
        QVERIFY2(encoded.problem.contains(reason), qPrintable(encoded.problem));
    }
};

QTEST_GUILESS_MAIN(TestTextValues)
#include "TestTextValues.moc"
