#include "editing/GermanNumbers.h"
#include "editing/Modul.h"

#include <QRandomGenerator>
#include <QtTest>

class TestAmounts : public QObject
{
    Q_OBJECT
private slots:
    void punktEntfernen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("thousands") << QStringLiteral("1.234,56") << QStringLiteral("1234,56");
        QTest::newRow("only the first of two dots") << QStringLiteral("1.234.567,89") << QStringLiteral("1234.567,89");
        QTest::newRow("no dot") << QStringLiteral("12") << QStringLiteral("12");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("dot alone") << QStringLiteral(".") << QString();
        QTest::newRow("dot first") << QStringLiteral(".5") << QStringLiteral("5");
        QTest::newRow("dot last") << QStringLiteral("5.") << QStringLiteral("5");
    }
    void punktEntfernen()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(modul::PunktEntfernen(text), expected);
    }

    void betragInCent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("rewritten");
        QTest::newRow("empty becomes 00") << QString() << QStringLiteral("00") << QStringLiteral("00");
        QTest::newRow("thousands") << QStringLiteral("1.234,56") << QStringLiteral(" 123456")
                                   << QStringLiteral("1234,56");
        QTest::newRow("two decimals") << QStringLiteral("12,50") << QStringLiteral(" 1250") << QStringLiteral("12,50");
        QTest::newRow("negative") << QStringLiteral("-12,30") << QStringLiteral("-1230") << QStringLiteral("-12,30");
        QTest::newRow("negative below one")
            << QStringLiteral("-0,50") << QStringLiteral("-50") << QStringLiteral("-0,50");
        QTest::newRow("zero") << QStringLiteral("0,00") << QStringLiteral(" 0") << QStringLiteral("0,00");
        QTest::newRow("minus zero") << QStringLiteral("-0,00") << QStringLiteral(" 0") << QStringLiteral("-0,00");
        QTest::newRow("no comma means cents") << QStringLiteral("12") << QStringLiteral("12") << QStringLiteral("12");
        QTest::newRow("one decimal: the last two characters")
            << QStringLiteral("12,5") << QStringLiteral(" 12") << QStringLiteral("12,5");
        QTest::newRow("a million") << QStringLiteral("1.234.567,89") << QStringLiteral(" 123456789")
                                   << QStringLiteral("1234567,89");
        QTest::newRow("negative millions")
            << QStringLiteral("-21.474.836,47") << QStringLiteral("-2147483647") << QStringLiteral("-21474836,47");
        QTest::newRow("beyond 64 bits, exact")
            << QStringLiteral("123.456.789.012.345.678.901,23") << QStringLiteral(" 12345678901234567890123")
            << QStringLiteral("123456789012345678901,23");
        QTest::newRow("dots without comma are dropped")
            << QStringLiteral("1.5") << QStringLiteral("15") << QStringLiteral("15");
        QTest::newRow("letters without comma stay")
            << QStringLiteral("abc") << QStringLiteral("abc") << QStringLiteral("abc");
        QTest::newRow("blank before") << QStringLiteral(" 12,50") << QStringLiteral(" 1250")
                                      << QStringLiteral(" 12,50");
        QTest::newRow("nothing readable before the comma")
            << QStringLiteral("x,12") << QStringLiteral(" 0") << QStringLiteral("x,12");
        QTest::newRow("comma alone") << QStringLiteral(",") << QStringLiteral(" 0") << QStringLiteral(",");
        QTest::newRow("comma last: its own digit twice")
            << QStringLiteral("5,") << QStringLiteral(" 55") << QStringLiteral("5,");
    }
    void betragInCent()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(QString, rewritten);
        QString variable = text;
        QCOMPARE(modul::BetragInCent(variable), expected);
        QCOMPARE(variable, rewritten);
    }

    // centsOf is what the sums read from a cents text: it must give the
    // prefix reader's value of BetragInCent for any text, not only amounts.
    void centsOfAgreesOnRandomTexts()
    {
        QRandomGenerator random(20240301);
        const QString alphabet = QStringLiteral("0123456789.,-+ a");
        for (int n = 0; n < 20000; ++n) {
            QString text;
            const int length = random.bounded(12);
            for (int k = 0; k < length; ++k)
                text += alphabet[random.bounded(alphabet.size())];
            QString variable = text;
            const double expected = German::prefixNumber(modul::BetragInCent(variable));
            if (static_cast<double>(modul::centsOf(text)) != expected)
                QFAIL(qPrintable(QStringLiteral("\"") + text + QStringLiteral("\" reads ")
                                 + QString::number(modul::centsOf(text))));
        }
    }

    void centsOfStopsAtTheSheetLimit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("largest exact") << QStringLiteral("999.999.999.999.999,99") << modul::MaxSheetCents;
        QTest::newRow("one cent below") << QStringLiteral("999.999.999.999.999,98") << modul::MaxSheetCents - 1;
        QTest::newRow("beyond") << QStringLiteral("1.000.000.000.000.000,00") << modul::MaxSheetCents;
        QTest::newRow("beyond, negative") << QStringLiteral("-1.000.000.000.000.000,00") << -modul::MaxSheetCents;
        QTest::newRow("thousand digits") << QString(1000, u'9') + QStringLiteral(",00") << modul::MaxSheetCents;
    }
    void centsOfStopsAtTheSheetLimit()
    {
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        QCOMPARE(modul::centsOf(text), expected);
    }

    // Every display text the program writes reads back to its own cents.
    void displayFormatReadsBackExactly()
    {
        QRandomGenerator random(4711);
        QList<qint64> values = {0,
                                1,
                                -1,
                                99,
                                100,
                                99999,
                                100000,
                                99999999,
                                100000000,
                                2147483647,
                                -2147483647,
                                modul::MaxSheetCents,
                                -modul::MaxSheetCents};
        for (int n = 0; n < 100000; ++n) {
            const qint64 magnitude = static_cast<qint64>(random.bounded(quint64(modul::MaxSheetCents) + 1));
            // Spread over every length, not only the longest.
            const qint64 value = magnitude >> random.bounded(57);
            values << (random.bounded(2) ? -value : value);
        }
        for (qint64 cents : values) {
            const QString text = German::formatCents(cents);
            QString variable = text;
            const QString centsText = modul::BetragInCent(variable);
            if (modul::centsOf(text) != cents
                || centsText != (cents < 0 ? QStringLiteral("") : QStringLiteral(" ")) + QString::number(cents))
                QFAIL(qPrintable(text + QStringLiteral(" reads as ") + centsText));
        }
    }

    void commitAmount_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("expected");
        const QString old = QStringLiteral("5,00");
        QTest::newRow("one decimal") << QStringLiteral("12,5") << QString() << QStringLiteral("12,50");
        QTest::newRow("whole number is grouped") << QStringLiteral("1234") << QString() << QStringLiteral("1.234,00");
        QTest::newRow("negative") << QStringLiteral("-3") << QString() << QStringLiteral("-3,00");
        QTest::newRow("half cent to even, down") << QStringLiteral("0,125") << QString() << QStringLiteral("0,12");
        QTest::newRow("half cent to even, up") << QStringLiteral("0,375") << QString() << QStringLiteral("0,38");
        QTest::newRow("zero leaves the cell") << QStringLiteral("0") << old << old;
        QTest::newRow("below a cent leaves the cell") << QStringLiteral("0,004") << old << old;
        QTest::newRow("half a cent leaves the cell") << QStringLiteral("0,005") << old << old;
        QTest::newRow("a tiny amount leaves the cell")
            << QStringLiteral("0,") + QString(30, u'0') + QStringLiteral("1") << old << old;
        QTest::newRow("letters empty the cell") << QStringLiteral("abc") << old << QString();
        QTest::newRow("single blank empties the cell") << QStringLiteral(" ") << old << QString();
        QTest::newRow("beyond 32-bit cents empties the cell") << QStringLiteral("99999999") << old << QString();
        QTest::newRow("upper limit") << QStringLiteral("21.474.836,47") << old << QStringLiteral("21.474.836,47");
        QTest::newRow("lower limit") << QStringLiteral("-21.474.836,47") << old << QStringLiteral("-21.474.836,47");
        QTest::newRow("one cent past the upper limit") << QStringLiteral("21.474.836,48") << old << QString();
        QTest::newRow("one cent past the lower limit") << QStringLiteral("-21.474.836,48") << old << QString();
        QTest::newRow("rounds past the limit") << QStringLiteral("21474836,475") << old << QString();
        QTest::newRow("rounds to even below the limit")
            << QStringLiteral("21474836,465") << old << QStringLiteral("21.474.836,46");
        QTest::newRow("far beyond any range") << QString(30, u'9') << old << QString();
        QTest::newRow("a million") << QStringLiteral("1.234.567,89") << QString() << QStringLiteral("1.234.567,89");
        QTest::newRow("typed grouping kept exact")
            << QStringLiteral("1234567,89") << QString() << QStringLiteral("1.234.567,89");
        QTest::newRow("exact half of decimal text") << QStringLiteral("0,015") << QString() << QStringLiteral("0,02");
        QTest::newRow("half to even euro") << QStringLiteral("1,005") << QString() << QStringLiteral("1,00");
        QTest::newRow("just past half") << QStringLiteral("1,0051") << QString() << QStringLiteral("1,01");
        QTest::newRow("below half") << QStringLiteral("2,674999") << QString() << QStringLiteral("2,67");
        QTest::newRow("half without binary error") << QStringLiteral("2,675") << QString() << QStringLiteral("2,68");
        QTest::newRow("negative half to even") << QStringLiteral("-0,125") << QString() << QStringLiteral("-0,12");
        QTest::newRow("three decimals") << QStringLiteral("12,345") << QString() << QStringLiteral("12,34");
        QTest::newRow("blanks around") << QStringLiteral(" 7,5 ") << QString() << QStringLiteral("7,50");
        QTest::newRow("exponent is not a number") << QStringLiteral("1e3") << old << QString();
        QTest::newRow("dot as decimal point is not a number") << QStringLiteral("12.5") << old << QString();
        QTest::newRow("currency sign is not a number") << QStringLiteral("12 €") << old << QString();
    }
    void commitAmount()
    {
        QFETCH(QString, editor);
        QFETCH(QString, cell);
        QFETCH(QString, expected);
        QCOMPARE(modul::commitAmount(editor, cell), expected);
    }
};

QTEST_GUILESS_MAIN(TestAmounts)
#include "TestAmounts.moc"
