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
        const auto row = [](const char *name, const QString &text, std::optional<double> value = std::nullopt) {
            QTest::newRow(name) << text << value;
        };
        const auto text = [](const char *utf8) { return QString::fromUtf8(utf8); };
        row("grouped millions", text("1.234.567,89"), 1234567.89);
        row("digits without grouping", text("+12345678"), 12345678.0);
        row("blanks around", text(" \t-12,5 "), -12.5);
        row("minus and nothing before the comma", text("-,5"), -0.5);
        row("minus zero", text("-0"), 0.0);
        row("too small for a double", QStringLiteral("0,") + QString(400, u'0') + QStringLiteral("1"), 0.0);
        row("many leading zeros", text("-00000000000000000000012"), -12.0);
        row("rounded to the nearest double", text("9.007.199.254.740.993"), 9007199254740992.0);
        for (const char *bad :
             {" ", "12a", "1e3", "12.5", "1.2345", "1234.567", "12,3.4", "12,5,3", "- 12", "-", "１２"})
            row(bad, text(bad));
        row("beyond the double range", QStringLiteral("1") + QString(400, u'0'));
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
