#include "TestSupport.h"
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
        textRow("only the first of two dots", "1.234.567,89", "1234.567,89");
        textRow("dot first", ".5", "5");
        textRow("no dot", "12", "12");
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
        textRow("every dot goes", "1.234.567,89", " 123456789");
        textRow("negative below one", "-0,50", "-50");
        textRow("minus zero", "-0,00", " 0");
        textRow("no comma means cents", "1.5", "15");
        textRow("one decimal: the last two characters", " 12,5", " 12");
        textRow("comma last: its own digit twice", "5,", " 55");
        textRow("nothing readable before the comma", "x,12", " 0");
        textRow("beyond 64 bits, exact", "123.456.789.012.345.678.901,23", " 12345678901234567890123");
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
        QCOMPARE(modul::centsOf(QStringLiteral("999.999.999.999.999,98")), MaxSheetCents - 1);
        QCOMPARE(modul::centsOf(QStringLiteral("-1.000.000.000.000.000,00")), -MaxSheetCents);
        QCOMPARE(modul::centsOf(QString(1000, u'9') + QStringLiteral(",00")), MaxSheetCents);
    }

    void commitAmount_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("expected");
        textRow("one decimal", " 12,5 ", "12,50");
        textRow("typed whole number is grouped", "1234567", "1.234.567,00");
        textRow("two decimals", "-1.234,56", "-1.234,56");
        textRow("half to even, down", "0,125", "0,12");
        textRow("half to even, up", "-0,375", "-0,38");
        textRow("a half with zeros after it", "1,0050", "1,00");
        textRow("just past half", "1,0051", "1,01");
        textRow("below half", "2,674999", "2,67");
        textRow("zero leaves the cell", "0", "5,00");
        textRow("below a cent leaves the cell", "0,004", "5,00");
        textRow("no number empties the cell", "12.5", "");
        textRow("upper limit", "21.474.836,47", "21.474.836,47");
        textRow("one cent past the lower limit", "-21.474.836,48", "");
        textRow("rounds past the limit", "21474836,475", "");
        textRow("far beyond any range", "999999999999999999999999999999", "");
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
