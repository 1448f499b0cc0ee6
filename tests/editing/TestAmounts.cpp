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

    // A refused text comes back as typed, with a message that names it.
    void commitAmount_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("problem"); // the start of the message; empty: taken
        textRow("one decimal", " 12,5 ", "12,50", "");
        textRow("typed whole number is grouped", "1234567", "1.234.567,00", "");
        textRow("two decimals", "-1.234,56", "-1.234,56", "");
        textRow("zeros past the cent", "1,2500", "1,25", "");
        textRow("zero leaves the cell", "0", "5,00", "");
        textRow("a blank empties the cell", " ", "", "");
        textRow("upper limit", "21.474.836,47", "21.474.836,47", "");
        textRow("lower limit", "-21.474.836,47", "-21.474.836,47", "");
        textRow("dots that group nothing", "1.2.3", "1.2.3", "„1.2.3“ ist kein Betrag.");
        textRow("a letter after the digits", "12a", "12a", "„12a“ ist kein Betrag.");
        textRow("a third decimal", "12,345", "12,345", "„12,345“ hat mehr als zwei Nachkommastellen.");
        textRow("below a cent", "0,004", "0,004", "„0,004“ hat mehr als zwei Nachkommastellen.");
        textRow("one cent past the lower limit", "-21.474.836,48", "-21.474.836,48",
                "„-21.474.836,48“ ist als Betrag zu groß. Erlaubt sind bis zu 21.474.836,47");
        textRow("far beyond any range", "99999999999999", "99999999999999", "„99999999999999“ ist als Betrag zu groß.");
    }
    void commitAmount()
    {
        QFETCH(QString, editor);
        QFETCH(QString, expected);
        QFETCH(QString, problem);
        const modul::CellEntry entry = modul::commitAmount(editor, oldCell);
        QCOMPARE(entry.text, expected);
        QVERIFY2(problem.isEmpty() ? entry.ok() : entry.problem.startsWith(problem), qPrintable(entry.problem));
    }
};

QTEST_GUILESS_MAIN(TestAmounts)
#include "TestAmounts.moc"
