#include "editing/GermanNumbers.h"

#include <QLocale>
#include <QtTest>

#include <cmath>
#include <limits>

class TestGermanNumbers : public QObject
{
    Q_OBJECT
private slots:
    void textToNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("expected"); // nothing: not a number
        QTest::newRow("grouped millions") << QStringLiteral("1.234.567,89") << std::optional(1234567.89);
        QTest::newRow("digits without grouping") << QStringLiteral("+12345678") << std::optional(12345678.0);
        QTest::newRow("blanks around") << QStringLiteral(" \t-12,5 ") << std::optional(-12.5);
        QTest::newRow("minus and nothing before the comma") << QStringLiteral("-,5") << std::optional(-0.5);
        QTest::newRow("minus zero") << QStringLiteral("-0") << std::optional(0.0);
        QTest::newRow("too small for a double")
            << QStringLiteral("0,") + QString(400, u'0') + QStringLiteral("1") << std::optional(0.0);
        QTest::newRow("many leading zeros") << QStringLiteral("-00000000000000000000012") << std::optional(-12.0);
        QTest::newRow("rounded to the nearest double")
            << QStringLiteral("9.007.199.254.740.993") << std::optional(9007199254740992.0);
        const std::optional<double> none;
        QTest::newRow("single blank") << QStringLiteral(" ") << none;
        QTest::newRow("digits then letters") << QStringLiteral("12a") << none;
        QTest::newRow("exponent") << QStringLiteral("1e3") << none;
        QTest::newRow("dot as decimal point") << QStringLiteral("12.5") << none;
        QTest::newRow("group of four after a dot") << QStringLiteral("1.2345") << none;
        QTest::newRow("first group of four") << QStringLiteral("1234.567") << none;
        QTest::newRow("blank after the sign") << QStringLiteral("- 12") << none;
        QTest::newRow("sign only") << QStringLiteral("-") << none;
        QTest::newRow("fullwidth digits") << QStringLiteral("１２") << none;
        QTest::newRow("beyond the double range") << QStringLiteral("1") + QString(400, u'0') << none;
    }
    void textToNumber()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<double>, expected);
        const std::optional<double> value = German::textToNumber(text);
        QCOMPARE(value, expected);
        QVERIFY(!value || std::signbit(*value) == (*value < 0));
    }

    void numberToText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("negative below one") << -0.5 << QStringLiteral("-0,5");
        QTest::newRow("minus zero") << -0.0 << QStringLiteral("0");
        QTest::newRow("no exponent when large") << 1e20 << QStringLiteral("100000000000000000000");
        QTest::newRow("every digit of a large whole number")
            << 9007199254740991.0 << QStringLiteral("9007199254740991");
        QTest::newRow("infinity") << -std::numeric_limits<double>::infinity() << QString();
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
        QTest::newRow("negative few cents") << qint64(-5) << QStringLiteral("-0,05");
        QTest::newRow("negative grouped") << qint64(-123400) << QStringLiteral("-1.234,00");
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
    void noLocaleTakesPart()
    {
        const QLocale before;
        const auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
        for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
            QLocale::setDefault(locale);
            QCOMPARE(German::formatCents(123456789), QStringLiteral("1.234.567,89"));
            QCOMPARE(German::numberToText(1234.5), QStringLiteral("1234,5"));
            QCOMPARE(German::textToNumber(QStringLiteral("1.234,5")), std::optional<double>(1234.5));
            QVERIFY(!German::textToNumber(QStringLiteral("1,234.5")));
        }
    }
};

QTEST_GUILESS_MAIN(TestGermanNumbers)
#include "TestGermanNumbers.moc"
