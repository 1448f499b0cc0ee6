#include "editing/GermanNumbers.h"
#include "editing/Modul.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestAmounts : public QObject
{
    Q_OBJECT
private slots:
    void punktEntfernen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("thousands") << u"1.234,56"_s << u"1234,56"_s;
        QTest::newRow("only the first of two dots") << u"1.234.567,89"_s << u"1234.567,89"_s;
        QTest::newRow("no dot") << u"12"_s << u"12"_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("dot alone") << u"."_s << QString();
        QTest::newRow("dot first") << u".5"_s << u"5"_s;
        QTest::newRow("dot last") << u"5."_s << u"5"_s;
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
        QTest::newRow("empty becomes 00") << QString() << u"00"_s << u"00"_s;
        QTest::newRow("thousands") << u"1.234,56"_s << u" 123456"_s << u"1234,56"_s;
        QTest::newRow("two decimals") << u"12,50"_s << u" 1250"_s << u"12,50"_s;
        QTest::newRow("negative") << u"-12,30"_s << u"-1230"_s << u"-12,30"_s;
        QTest::newRow("negative below one") << u"-0,50"_s << u"-50"_s << u"-0,50"_s;
        QTest::newRow("zero") << u"0,00"_s << u" 0"_s << u"0,00"_s;
        QTest::newRow("minus zero") << u"-0,00"_s << u" 0"_s << u"-0,00"_s;
        QTest::newRow("no comma means cents") << u"12"_s << u"12"_s << u"12"_s;
        QTest::newRow("one decimal: the last two characters") << u"12,5"_s << u" 12"_s << u"12,5"_s;
        QTest::newRow("a million") << u"1.234.567,89"_s << u" 123456789"_s << u"1234567,89"_s;
        QTest::newRow("negative millions") << u"-21.474.836,47"_s << u"-2147483647"_s << u"-21474836,47"_s;
        QTest::newRow("beyond 64 bits, exact")
            << u"123.456.789.012.345.678.901,23"_s << u" 12345678901234567890123"_s
            << u"123456789012345678901,23"_s;
        QTest::newRow("dots without comma are dropped") << u"1.5"_s << u"15"_s << u"15"_s;
        QTest::newRow("letters without comma stay") << u"abc"_s << u"abc"_s << u"abc"_s;
        QTest::newRow("blank before") << u" 12,50"_s << u" 1250"_s << u" 12,50"_s;
        QTest::newRow("nothing readable before the comma") << u"x,12"_s << u" 0"_s << u"x,12"_s;
        QTest::newRow("comma alone") << u","_s << u" 0"_s << u","_s;
        QTest::newRow("comma last: its own digit twice") << u"5,"_s << u" 55"_s << u"5,"_s;
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
        const QString alphabet = u"0123456789.,-+ a"_s;
        for (int n = 0; n < 20000; ++n) {
            QString text;
            const int length = random.bounded(12);
            for (int k = 0; k < length; ++k)
                text += alphabet[random.bounded(alphabet.size())];
            QString variable = text;
            const double expected = German::prefixNumber(modul::BetragInCent(variable));
            if (static_cast<double>(modul::centsOf(text)) != expected)
                QFAIL(qPrintable(u"\""_s + text + u"\" reads "_s + QString::number(modul::centsOf(text))));
        }
    }

    void centsOfStopsAtTheSheetLimit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("largest exact") << u"999.999.999.999.999,99"_s << modul::MaxSheetCents;
        QTest::newRow("one cent below") << u"999.999.999.999.999,98"_s << modul::MaxSheetCents - 1;
        QTest::newRow("beyond") << u"1.000.000.000.000.000,00"_s << modul::MaxSheetCents;
        QTest::newRow("beyond, negative") << u"-1.000.000.000.000.000,00"_s << -modul::MaxSheetCents;
        QTest::newRow("thousand digits") << QString(1000, u'9') + u",00"_s << modul::MaxSheetCents;
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
        QList<qint64> values = {0, 1, -1, 99, 100, 99999, 100000, 99999999, 100000000, 2147483647, -2147483647,
                                modul::MaxSheetCents, -modul::MaxSheetCents};
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
            if (modul::centsOf(text) != cents || centsText != (cents < 0 ? u""_s : u" "_s) + QString::number(cents))
                QFAIL(qPrintable(text + u" reads as "_s + centsText));
        }
    }

    void commitAmount_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("expected");
        const QString old = u"5,00"_s;
        QTest::newRow("one decimal") << u"12,5"_s << QString() << u"12,50"_s;
        QTest::newRow("whole number is grouped") << u"1234"_s << QString() << u"1.234,00"_s;
        QTest::newRow("negative") << u"-3"_s << QString() << u"-3,00"_s;
        QTest::newRow("half cent to even, down") << u"0,125"_s << QString() << u"0,12"_s;
        QTest::newRow("half cent to even, up") << u"0,375"_s << QString() << u"0,38"_s;
        QTest::newRow("zero leaves the cell") << u"0"_s << old << old;
        QTest::newRow("below a cent leaves the cell") << u"0,004"_s << old << old;
        QTest::newRow("half a cent leaves the cell") << u"0,005"_s << old << old;
        QTest::newRow("a tiny amount leaves the cell") << u"0,"_s + QString(30, u'0') + u"1"_s << old << old;
        QTest::newRow("letters empty the cell") << u"abc"_s << old << QString();
        QTest::newRow("single blank empties the cell") << u" "_s << old << QString();
        QTest::newRow("beyond 32-bit cents empties the cell") << u"99999999"_s << old << QString();
        QTest::newRow("upper limit") << u"21.474.836,47"_s << old << u"21.474.836,47"_s;
        QTest::newRow("lower limit") << u"-21.474.836,47"_s << old << u"-21.474.836,47"_s;
        QTest::newRow("one cent past the upper limit") << u"21.474.836,48"_s << old << QString();
        QTest::newRow("one cent past the lower limit") << u"-21.474.836,48"_s << old << QString();
        QTest::newRow("rounds past the limit") << u"21474836,475"_s << old << QString();
        QTest::newRow("rounds to even below the limit") << u"21474836,465"_s << old << u"21.474.836,46"_s;
        QTest::newRow("far beyond any range") << QString(30, u'9') << old << QString();
        QTest::newRow("a million") << u"1.234.567,89"_s << QString() << u"1.234.567,89"_s;
        QTest::newRow("typed grouping kept exact") << u"1234567,89"_s << QString() << u"1.234.567,89"_s;
        QTest::newRow("exact half of decimal text") << u"0,015"_s << QString() << u"0,02"_s;
        QTest::newRow("half to even euro") << u"1,005"_s << QString() << u"1,00"_s;
        QTest::newRow("just past half") << u"1,0051"_s << QString() << u"1,01"_s;
        QTest::newRow("below half") << u"2,674999"_s << QString() << u"2,67"_s;
        QTest::newRow("half without binary error") << u"2,675"_s << QString() << u"2,68"_s;
        QTest::newRow("negative half to even") << u"-0,125"_s << QString() << u"-0,12"_s;
        QTest::newRow("three decimals") << u"12,345"_s << QString() << u"12,34"_s;
        QTest::newRow("blanks around") << u" 7,5 "_s << QString() << u"7,50"_s;
        QTest::newRow("exponent is not a number") << u"1e3"_s << old << QString();
        QTest::newRow("dot as decimal point is not a number") << u"12.5"_s << old << QString();
        QTest::newRow("currency sign is not a number") << u"12 €"_s << old << QString();
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
