#include "editing/GermanNumbers.h"
#include "editing/Modul.h"

#include <QRandomGenerator>
#include <QtTest>

using modul::MaxSheetCents;

namespace {
const QString oldCell = QStringLiteral("5,00"); // what the cell held before the commit
} // namespace

class TestAmounts : public QObject
{
    Q_OBJECT
private slots:
    void punktEntfernen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("only the first of two dots") << QStringLiteral("1.234.567,89") << QStringLiteral("1234.567,89");
        QTest::newRow("dot first") << QStringLiteral(".5") << QStringLiteral("5");
        QTest::newRow("no dot") << QStringLiteral("12") << QStringLiteral("12");
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
        QTest::newRow("empty") << QString() << QStringLiteral("00");
        QTest::newRow("every dot goes") << QStringLiteral("1.234.567,89") << QStringLiteral(" 123456789");
        QTest::newRow("negative below one") << QStringLiteral("-0,50") << QStringLiteral("-50");
        QTest::newRow("no comma means cents") << QStringLiteral("1.5") << QStringLiteral("15");
        QTest::newRow("one decimal: the last two characters") << QStringLiteral(" 12,5") << QStringLiteral(" 12");
        QTest::newRow("comma last: its own digit twice") << QStringLiteral("5,") << QStringLiteral(" 55");
        QTest::newRow("nothing readable before the comma") << QStringLiteral("x,12") << QStringLiteral(" 0");
    }
    void betragInCent()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(modul::BetragInCent(text), expected);
        // The text itself loses its dots; the empty text becomes "00".
        QVERIFY(!text.contains(u'.') && !text.isEmpty());
    }

    // centsOf is what the sums read: the prefix reader's value of
    // BetragInCent, for any text, not only amounts.
    void centsOfAgreesWithBetragInCent()
    {
        QRandomGenerator random(20240301);
        const QString alphabet = QStringLiteral("0123456789.,-+ a");
        for (int n = 0; n < 20000; ++n) {
            QString text;
            for (int k = random.bounded(12); k > 0; --k)
                text += alphabet[random.bounded(alphabet.size())];
            QString variable = text;
            const double expected = German::prefixNumber(modul::BetragInCent(variable));
            QVERIFY2(static_cast<double>(modul::centsOf(text)) == expected, qPrintable(text));
        }
    }

    void centsOfStopsAtTheSheetLimit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("one cent below") << QStringLiteral("999.999.999.999.999,98") << MaxSheetCents - 1;
        QTest::newRow("beyond, negative") << QStringLiteral("-1.000.000.000.000.000,00") << -MaxSheetCents;
        QTest::newRow("thousand digits") << QString(1000, u'9') + QStringLiteral(",00") << MaxSheetCents;
    }
    void centsOfStopsAtTheSheetLimit()
    {
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        QCOMPARE(modul::centsOf(text), expected);
    }

    void commitAmount_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one decimal") << QStringLiteral(" 12,5 ") << QStringLiteral("12,50");
        QTest::newRow("two decimals") << QStringLiteral("-1.234,56") << QStringLiteral("-1.234,56");
        QTest::newRow("half to even, down") << QStringLiteral("0,125") << QStringLiteral("0,12");
        QTest::newRow("half to even, up") << QStringLiteral("-0,375") << QStringLiteral("-0,38");
        QTest::newRow("a half with zeros after it") << QStringLiteral("1,0050") << QStringLiteral("1,00");
        QTest::newRow("just past half") << QStringLiteral("1,0051") << QStringLiteral("1,01");
        QTest::newRow("below half") << QStringLiteral("2,674999") << QStringLiteral("2,67");
        QTest::newRow("zero leaves the cell") << QStringLiteral("0") << oldCell;
        QTest::newRow("below a cent leaves the cell") << QStringLiteral("0,004") << oldCell;
        QTest::newRow("no number empties the cell") << QStringLiteral("12.5") << QString();
        QTest::newRow("upper limit") << QStringLiteral("21.474.836,47") << QStringLiteral("21.474.836,47");
        QTest::newRow("one cent past the lower limit") << QStringLiteral("-21.474.836,48") << QString();
        QTest::newRow("rounds past the limit") << QStringLiteral("21474836,475") << QString();
        QTest::newRow("far beyond any range") << QString(30, u'9') << QString();
    }
    void commitAmount()
    {
        QFETCH(QString, editor);
        QFETCH(QString, expected);
        QCOMPARE(modul::commitAmount(editor, oldCell), expected);
    }
};

QTEST_GUILESS_MAIN(TestAmounts)
#include "TestAmounts.moc"
