#include "editing/GermanNumbers.h"

#include <QLocale>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {
const QString fourHundredDigits = QStringLiteral("1") + QString(400, u'0');
} // namespace

class TestGermanNumbers : public QObject
{
    Q_OBJECT
private slots:
    void textToNumberReads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("decimal comma") << QStringLiteral("12,5") << 12.5;
        QTest::newRow("grouped thousands") << QStringLiteral("1.234,5") << 1234.5;
        QTest::newRow("grouped millions") << QStringLiteral("1.234.567,89") << 1234567.89;
        QTest::newRow("digits without grouping") << QStringLiteral("12345678") << 12345678.0;
        QTest::newRow("leading minus") << QStringLiteral("-3") << -3.0;
        QTest::newRow("leading plus") << QStringLiteral("+7") << 7.0;
        QTest::newRow("blanks around") << QStringLiteral(" 12,5 ") << 12.5;
        QTest::newRow("cents text with its blank") << QStringLiteral(" 123456") << 123456.0;
        QTest::newRow("nothing before the comma") << QStringLiteral(",5") << 0.5;
        QTest::newRow("minus and nothing before the comma") << QStringLiteral("-,5") << -0.5;
        QTest::newRow("minus zero") << QStringLiteral("-0") << 0.0;
        QTest::newRow("too small for a double")
            << QStringLiteral("0,") + QString(400, u'0') + QStringLiteral("1") << 0.0;
        QTest::newRow("fifteen digits") << QStringLiteral("999.999.999.999.999") << 999999999999999.0;
        QTest::newRow("sixteen digits, rounded") << QStringLiteral("9999999999999999") << 1e16;
        QTest::newRow("many leading zeros") << QStringLiteral("-00000000000000000000012") << -12.0;
        QTest::newRow("rounded to the nearest double") << QStringLiteral("9.007.199.254.740.993") << 9007199254740992.0;
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
        QTest::newRow("single blank") << QStringLiteral(" ");
        QTest::newRow("letters") << QStringLiteral("abc");
        QTest::newRow("digits then letters") << QStringLiteral("12a");
        QTest::newRow("exponent") << QStringLiteral("1e3");
        QTest::newRow("dot as decimal point") << QStringLiteral("12.5");
        QTest::newRow("group of four after a dot") << QStringLiteral("1.2345");
        QTest::newRow("first group of four") << QStringLiteral("1234.567");
        QTest::newRow("dot first") << QStringLiteral(".234");
        QTest::newRow("dot after the comma") << QStringLiteral("12,3.4");
        QTest::newRow("two commas") << QStringLiteral("12,5,3");
        QTest::newRow("blank after the sign") << QStringLiteral("- 12");
        QTest::newRow("sign only") << QStringLiteral("-");
        QTest::newRow("currency sign") << QStringLiteral("12 €");
        QTest::newRow("blank inside") << QStringLiteral("1 234");
        QTest::newRow("infinity") << QStringLiteral("inf");
        QTest::newRow("fullwidth digits") << QStringLiteral("１２");
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
        QTest::newRow("cents text") << QStringLiteral(" 123456") << 123456.0;
        QTest::newRow("negative cents text") << QStringLiteral("-1230") << -1230.0;
        QTest::newRow("stops at the comma") << QStringLiteral("12,5") << 12.0;
        QTest::newRow("dot is the decimal point") << QStringLiteral("12.5") << 12.5;
        QTest::newRow("second dot stops") << QStringLiteral("1.2.3") << 1.2;
        QTest::newRow("blanks sign digits then text") << QStringLiteral("  -7x") << -7.0;
        QTest::newRow("fraction only") << QStringLiteral(".5") << 0.5;
        QTest::newRow("stops at a blank inside") << QStringLiteral("12 34") << 12.0;
        QTest::newRow("no exponent") << QStringLiteral("1e5") << 1.0;
        QTest::newRow("letters") << QStringLiteral("abc") << 0.0;
        QTest::newRow("blank after the sign") << QStringLiteral("- 5") << 0.0;
        QTest::newRow("minus zero") << QStringLiteral("-0") << 0.0;
        QTest::newRow("beyond the double range") << fourHundredDigits << std::numeric_limits<double>::max();
        QTest::newRow("below the double range")
            << QStringLiteral("-") + fourHundredDigits << -std::numeric_limits<double>::max();
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
        QTest::newRow("whole") << 42.0 << QStringLiteral("42");
        QTest::newRow("decimal comma") << 12.5 << QStringLiteral("12,5");
        QTest::newRow("negative below one") << -0.5 << QStringLiteral("-0,5");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0");
        QTest::newRow("minus zero") << -0.0 << QStringLiteral("0");
        QTest::newRow("no grouping") << 1234567.0 << QStringLiteral("1234567");
        QTest::newRow("shortest digits") << 0.1 << QStringLiteral("0,1");
        QTest::newRow("no exponent when large") << 1e20 << QStringLiteral("100000000000000000000");
        QTest::newRow("negative whole") << -41.0 << QStringLiteral("-41");
        QTest::newRow("whole beyond fifteen digits") << 1e15 << QStringLiteral("1000000000000000");
        QTest::newRow("every digit of a large whole number")
            << 9007199254740991.0 << QStringLiteral("9007199254740991");
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
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0,00");
        QTest::newRow("half") << qint64(50) << QStringLiteral("0,50");
        QTest::newRow("negative half") << qint64(-50) << QStringLiteral("-0,50");
        QTest::newRow("a few cents") << qint64(5) << QStringLiteral("0,05");
        QTest::newRow("negative few cents") << qint64(-5) << QStringLiteral("-0,05");
        QTest::newRow("below a thousand") << qint64(99999) << QStringLiteral("999,99");
        QTest::newRow("one thousand") << qint64(100000) << QStringLiteral("1.000,00");
        QTest::newRow("grouped") << qint64(123456) << QStringLiteral("1.234,56");
        QTest::newRow("negative") << qint64(-1230) << QStringLiteral("-12,30");
        QTest::newRow("negative grouped") << qint64(-123400) << QStringLiteral("-1.234,00");
        QTest::newRow("a million and more") << qint64(123456789) << QStringLiteral("1.234.567,89");
        QTest::newRow("32-bit limit") << qint64(2147483647) << QStringLiteral("21.474.836,47");
        QTest::newRow("largest") << std::numeric_limits<qint64>::max() << QStringLiteral("92.233.720.368.547.758,07");
        QTest::newRow("most negative") << std::numeric_limits<qint64>::min()
                                       << QStringLiteral("-92.233.720.368.547.758,08");
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
        QCOMPARE(German::formatCents(123456789), QStringLiteral("1.234.567,89"));
        QCOMPARE(German::numberToText(1234.5), QStringLiteral("1234,5"));
        QCOMPARE(German::textToNumber(QStringLiteral("1.234,5")), std::optional<double>(1234.5));
        QVERIFY(!German::textToNumber(QStringLiteral("1,234.5")));
    }
};

QTEST_GUILESS_MAIN(TestGermanNumbers)
#include "TestGermanNumbers.moc"
