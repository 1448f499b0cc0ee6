#include "editing/GermanNumbers.h"

#include <QLocale>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {
const QString fourHundredDigits = u"1"_s + QString(400, u'0');
} // namespace

class TestGermanNumbers : public QObject
{
    Q_OBJECT
private slots:
    void textToNumberReads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("decimal comma") << u"12,5"_s << 12.5;
        QTest::newRow("grouped thousands") << u"1.234,5"_s << 1234.5;
        QTest::newRow("grouped millions") << u"1.234.567,89"_s << 1234567.89;
        QTest::newRow("digits without grouping") << u"12345678"_s << 12345678.0;
        QTest::newRow("leading minus") << u"-3"_s << -3.0;
        QTest::newRow("leading plus") << u"+7"_s << 7.0;
        QTest::newRow("blanks around") << u" 12,5 "_s << 12.5;
        QTest::newRow("cents text with its blank") << u" 123456"_s << 123456.0;
        QTest::newRow("nothing before the comma") << u",5"_s << 0.5;
        QTest::newRow("minus and nothing before the comma") << u"-,5"_s << -0.5;
        QTest::newRow("minus zero") << u"-0"_s << 0.0;
        QTest::newRow("too small for a double") << u"0,"_s + QString(400, u'0') + u"1"_s << 0.0;
        QTest::newRow("fifteen digits") << u"999.999.999.999.999"_s << 999999999999999.0;
        QTest::newRow("sixteen digits, rounded") << u"9999999999999999"_s << 1e16;
        QTest::newRow("many leading zeros") << u"-00000000000000000000012"_s << -12.0;
        QTest::newRow("rounded to the nearest double") << u"9.007.199.254.740.993"_s << 9007199254740992.0;
    }
    void textToNumberReads()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const std::optional<double> value = German::textToNumber(text);
        QVERIFY(value);
        QCOMPARE(*value, expected);
        QVERIFY(!std::signbit(*value) || expected < 0);
    }

    void textToNumberRefuses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("single blank") << u" "_s;
        QTest::newRow("letters") << u"abc"_s;
        QTest::newRow("digits then letters") << u"12a"_s;
        QTest::newRow("exponent") << u"1e3"_s;
        QTest::newRow("dot as decimal point") << u"12.5"_s;
        QTest::newRow("group of four after a dot") << u"1.2345"_s;
        QTest::newRow("first group of four") << u"1234.567"_s;
        QTest::newRow("dot first") << u".234"_s;
        QTest::newRow("dot after the comma") << u"12,3.4"_s;
        QTest::newRow("two commas") << u"12,5,3"_s;
        QTest::newRow("blank after the sign") << u"- 12"_s;
        QTest::newRow("sign only") << u"-"_s;
        QTest::newRow("currency sign") << u"12 €"_s;
        QTest::newRow("blank inside") << u"1 234"_s;
        QTest::newRow("infinity") << u"inf"_s;
        QTest::newRow("fullwidth digits") << u"１２"_s;
        QTest::newRow("beyond the double range") << fourHundredDigits;
    }
    void textToNumberRefuses()
    {
        QFETCH(QString, text);
        QVERIFY(!German::textToNumber(text));
    }

    void prefixNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("cents text") << u" 123456"_s << 123456.0;
        QTest::newRow("negative cents text") << u"-1230"_s << -1230.0;
        QTest::newRow("stops at the comma") << u"12,5"_s << 12.0;
        QTest::newRow("dot is the decimal point") << u"12.5"_s << 12.5;
        QTest::newRow("second dot stops") << u"1.2.3"_s << 1.2;
        QTest::newRow("blanks sign digits then text") << u"  -7x"_s << -7.0;
        QTest::newRow("fraction only") << u".5"_s << 0.5;
        QTest::newRow("stops at a blank inside") << u"12 34"_s << 12.0;
        QTest::newRow("no exponent") << u"1e5"_s << 1.0;
        QTest::newRow("letters") << u"abc"_s << 0.0;
        QTest::newRow("blank after the sign") << u"- 5"_s << 0.0;
        QTest::newRow("minus zero") << u"-0"_s << 0.0;
        QTest::newRow("beyond the double range")
            << fourHundredDigits << std::numeric_limits<double>::max();
        QTest::newRow("below the double range")
            << u"-"_s + fourHundredDigits << -std::numeric_limits<double>::max();
    }
    void prefixNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const double value = German::prefixNumber(text);
        QCOMPARE(value, expected);
        QVERIFY(!std::signbit(value) || expected < 0);
    }

    void numberToText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 42.0 << u"42"_s;
        QTest::newRow("decimal comma") << 12.5 << u"12,5"_s;
        QTest::newRow("negative below one") << -0.5 << u"-0,5"_s;
        QTest::newRow("zero") << 0.0 << u"0"_s;
        QTest::newRow("minus zero") << -0.0 << u"0"_s;
        QTest::newRow("no grouping") << 1234567.0 << u"1234567"_s;
        QTest::newRow("shortest digits") << 0.1 << u"0,1"_s;
        QTest::newRow("no exponent when large") << 1e20 << u"100000000000000000000"_s;
        QTest::newRow("negative whole") << -41.0 << u"-41"_s;
        QTest::newRow("whole beyond fifteen digits") << 1e15 << u"1000000000000000"_s;
        QTest::newRow("every digit of a large whole number") << 9007199254740991.0 << u"9007199254740991"_s;
        QTest::newRow("not a number") << std::nan("") << QString();
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QString();
    }
    void numberToText()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(German::numberToText(value), expected);
    }

    void numberTextReadsBack()
    {
        for (double value : {std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
                             std::numeric_limits<double>::denorm_min(), 1.0 / 3.0, -0.01, 123456789.125})
            QCOMPARE(German::textToNumber(German::numberToText(value)), std::optional<double>(value));
    }

    void formatCents_data()
    {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << qint64(0) << u"0,00"_s;
        QTest::newRow("half") << qint64(50) << u"0,50"_s;
        QTest::newRow("negative half") << qint64(-50) << u"-0,50"_s;
        QTest::newRow("a few cents") << qint64(5) << u"0,05"_s;
        QTest::newRow("negative few cents") << qint64(-5) << u"-0,05"_s;
        QTest::newRow("below a thousand") << qint64(99999) << u"999,99"_s;
        QTest::newRow("one thousand") << qint64(100000) << u"1.000,00"_s;
        QTest::newRow("grouped") << qint64(123456) << u"1.234,56"_s;
        QTest::newRow("negative") << qint64(-1230) << u"-12,30"_s;
        QTest::newRow("negative grouped") << qint64(-123400) << u"-1.234,00"_s;
        QTest::newRow("a million and more") << qint64(123456789) << u"1.234.567,89"_s;
        QTest::newRow("32-bit limit") << qint64(2147483647) << u"21.474.836,47"_s;
        QTest::newRow("largest") << std::numeric_limits<qint64>::max() << u"92.233.720.368.547.758,07"_s;
        QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << u"-92.233.720.368.547.758,08"_s;
    }
    void formatCents()
    {
        QFETCH(qint64, cents);
        QFETCH(QString, expected);
        QCOMPARE(German::formatCents(cents), expected);
    }

    // The conversions are German whatever the system's or Qt's locale says.
    void noLocaleTakesPart_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("Swiss German") << QLocale(QLocale::German, QLocale::Switzerland);
    }
    void noLocaleTakesPart()
    {
        QFETCH(QLocale, locale);
        const QLocale before;
        QLocale::setDefault(locale);
        const auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
        QCOMPARE(German::formatCents(123456789), u"1.234.567,89"_s);
        QCOMPARE(German::numberToText(1234.5), u"1234,5"_s);
        QCOMPARE(German::textToNumber(u"1.234,5"_s), std::optional<double>(1234.5));
        QVERIFY(!German::textToNumber(u"1,234.5"_s));
    }
};

QTEST_GUILESS_MAIN(TestGermanNumbers)
#include "TestGermanNumbers.moc"
