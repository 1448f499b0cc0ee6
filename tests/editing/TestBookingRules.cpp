// The rules that keep the books sound: a reversal row instead of an
// overwrite, and no balance below zero going unnoticed.
#include "editing/Modul.h"
#include "editing/NegativeCash.h"
#include "editing/Storno.h"

#include "Sheets.h"
#include "TestSupport.h"

#include <QtTest>

namespace {
const QDate today(2026, 4, 2);

// A month with a carry-over of 100,00 and the given entry rows from row 3 on,
// each a row of cells from column 0; balances recalculated.
FlexGridStore month(const QList<QStringList> &entries, const QString &carryOver = QStringLiteral("100,00"),
                    const QString &firstReceipt = QStringLiteral("16"))
{
    FlexGridStore sheet = Fixtures::startupSheet(static_cast<int>(entries.size()) + 4);
    sheet.setTextMatrix(2, 4, carryOver);
    sheet.setTextMatrix(2, 6, firstReceipt);
    for (int i = 0; i < entries.size(); ++i)
        Fixtures::setRow(sheet, 3 + i, entries[i]);
    modul::BestandBerechnen(sheet);
    return sheet;
}

QStringList entry(const QString &a0, const QString &a1, const QString &a2, const QString &expense,
                  const QString &date = QStringLiteral("03.03.2026"), const QString &text = QStringLiteral("Kasse"))
{
    return {a0, a1, a2, expense, QString(), QStringLiteral("4711"), QString(), date, text};
}
} // namespace

class TestBookingRules : public QObject
{
    Q_OBJECT
private slots:
    void reversalRow_data()
    {
        QTest::addColumn<QStringList>("amounts");  // the original's incomes and expense
        QTest::addColumn<QString>("date");         // the original's date
        QTest::addColumn<QString>("firstReceipt"); // the carry-over's receipt number
        QTest::addColumn<QStringList>("reversed"); // empty: the row cannot be reversed
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("question"); // between "Soll die Buchung " and " storniert werden ?"
        const char *d = "03.03.2026";
        QTest::newRow("an income at 19 % books the same amount negative")
            << items("1.250,00|||") << d << "16" << items("-1.250,00|||") << "Storno Beleg 17 vom 03.03.2026"
            << "Beleg-Nr. 17 vom 03.03.2026 (Einnahmen 19% 1.250,00)";
        QTest::newRow("an expense books a negative expense")
            << items("|||12,50") << d << "16" << items("|||-12,50") << "Storno Beleg 17 vom 03.03.2026"
            << "Beleg-Nr. 17 vom 03.03.2026 (Ausgaben 12,50)";
        QTest::newRow("incomes at two rates are both reversed, a negative one turns positive")
            << items("10,00|2,00|-3,00|") << d << "16" << items("-10,00|-2,00|3,00|")
            << "Storno Beleg 17 vom 03.03.2026"
            << "Beleg-Nr. 17 vom 03.03.2026 (Einnahmen 19% 10,00, Einnahmen 7% 2,00, Einnahmen 0% -3,00)";
        QTest::newRow("an entry without a date is named by its number alone")
            << items("5,00|||") << ""
            << "16" << items("-5,00|||") << "Storno Beleg 17"
            << "Beleg-Nr. 17 ohne Datum (Einnahmen 19% 5,00)";
        QTest::newRow("an entry without a receipt number says so")
            << items("5,00|||") << d << "" << items("-5,00|||") << "Storno Beleg ohne Nr. vom 03.03.2026"
            << "ohne Beleg-Nr. vom 03.03.2026 (Einnahmen 19% 5,00)";
        QTest::newRow("a row without an amount") << items("|||") << d << "16" << items("") << ""
                                                 << "";
    }
    void reversalRow()
    {
        QFETCH(QStringList, amounts);
        QFETCH(QString, date);
        QFETCH(QString, firstReceipt);
        QFETCH(QStringList, reversed);
        QFETCH(QString, text);
        QFETCH(QString, question);
        const FlexGridStore sheet = month({entry(amounts[0], amounts[1], amounts[2], amounts[3], date)},
                                          QStringLiteral("100,00"), firstReceipt);
        const std::optional<QStringList> row = modul::reversalRow(sheet, 3, today);
        QCOMPARE(row.has_value(), !reversed.isEmpty());
        const QStringList kept{QString(), QStringLiteral("4711"), QString(), QStringLiteral("02.04.2026"), text,
                               QString()};
        if (row) {
            QCOMPARE(*row, reversed + kept);
            QCOMPARE(modul::reversalQuestion(sheet, 3),
                     QStringLiteral("Soll die Buchung %1 storniert werden ?").arg(question));
        }
        // Headings and the carry-over are no entries.
        QVERIFY(!modul::reversalRow(sheet, 1, today) && !modul::reversalRow(sheet, 2, today));
    }

    // The reversal row goes after the last entry and brings the balance back.
    void aReversalBalancesTheEntry_data()
    {
        QTest::addColumn<bool>("typedInNewEntryRow");
        QTest::newRow("into the empty new-entry row") << false;
        QTest::newRow("after a new-entry row holding a text") << true;
    }
    void aReversalBalancesTheEntry()
    {
        QFETCH(bool, typedInNewEntryRow);
        FlexGridStore sheet =
            month({entry(QStringLiteral("40,00"), {}, {}, {}), entry({}, {}, {}, QStringLiteral("7,50"))});
        if (typedInNewEntryRow)
            sheet.setTextMatrix(5, 8, QStringLiteral("angefangen"));
        const int before = sheet.rows();
        const int row = modul::appendEntry(sheet, *modul::reversalRow(sheet, 3, today));
        modul::BestandBerechnen(sheet);
        QCOMPARE(row, typedInNewEntryRow ? 6 : 5);
        QCOMPARE(sheet.rows(), before + (typedInNewEntryRow ? 2 : 1));
        QCOMPARE(sheet.textMatrix(row, 6), QString::number(17 + row - 3));
        QCOMPARE(modul::centsOf(sheet.textMatrix(row, 4)), 10000 - 750);
        QCOMPARE(sheet.textMatrix(sheet.rows() - 1, 8), QString());
    }

    // Before the month is read out, an entry in the last row gets the empty
    // row below it that it needs for its balance and receipt number.
    void keepNewEntryRow()
    {
        for (const auto &[lastRow, added] : {std::pair{"|||||||03.03.2026", 1}, {"", 0}, {"||||100,00||17", 0}}) {
            FlexGridStore sheet = month({entry(QStringLiteral("5,00"), {}, {}, {})});
            Fixtures::setRow(sheet, sheet.rows() - 1, items(lastRow));
            const int before = sheet.rows();
            modul::keepNewEntryRow(sheet);
            QCOMPARE(sheet.rows(), before + added);
        }
    }

    void firstNegativeRow_data()
    {
        QTest::addColumn<QString>("carryOver");
        QTest::addColumn<QList<QStringList>>("entries");
        QTest::addColumn<int>("row"); // 0: none
        QTest::addColumn<QString>("question");
        const QString e;
        const QString tail = QStringLiteral(
            ".\r\n\r\nEin Kassenbestand kann nie unter null liegen; meist fehlt eine Einnahme, oder eine Buchung ist "
            "falsch.\r\n\r\nTrotzdem speichern ?");
        QTest::newRow("a balance down to zero is sound")
            << "100,00" << QList<QStringList>{entry(e, e, e, QStringLiteral("100,00"))} << 0 << QString();
        QTest::newRow("the first of two negative rows is named")
            << "100,00"
            << QList<QStringList>{entry(e, e, e, QStringLiteral("60,00")),
                                  entry(e, e, e, QStringLiteral("52,30"), QStringLiteral("12.03.2026")),
                                  entry(e, e, e, QStringLiteral("1,00"))}
            << 4 << QStringLiteral("Nach Beleg-Nr 18 vom 12.03.2026 ist der Kassenbestand negativ: -12,30") + tail;
        QTest::newRow("only the last entry goes below zero")
            << "10,00"
            << QList<QStringList>{entry(e, e, e, QStringLiteral("5,00")), entry(e, e, e, QStringLiteral("20,00"))} << 4
            << QStringLiteral("Nach Beleg-Nr 18 vom 03.03.2026 ist der Kassenbestand negativ: -15,00") + tail;
        QTest::newRow("a negative balance brought back up is still a defect")
            << "10,00"
            << QList<QStringList>{entry(e, e, e, QStringLiteral("20,00"), e), entry(QStringLiteral("50,00"), e, e, e)}
            << 3 << QStringLiteral("Nach Beleg-Nr 17 vom (ohne Datum) ist der Kassenbestand negativ: -10,00") + tail;
        QTest::newRow("a negative carry-over") << "-5,00" << QList<QStringList>{entry(QStringLiteral("50,00"), e, e, e)}
                                               << 2 << QStringLiteral("Schon der Übertrag ist negativ: -5,00") + tail;
    }
    void firstNegativeRow()
    {
        QFETCH(QString, carryOver);
        QFETCH(QList<QStringList>, entries);
        QFETCH(int, row);
        QFETCH(QString, question);
        const FlexGridStore sheet = month(entries, carryOver);
        const std::optional<modul::NegativeRow> negative = modul::firstNegativeRow(sheet);
        QCOMPARE(negative ? negative->row : 0, row);
        if (negative)
            QCOMPARE(modul::negativeCashQuestion(*negative), question);
        // Exactly the balances below zero are drawn red, the month's closing
        // balance in the totals too, and they follow the balance back.
        const auto red = [](const FlexGridStore &grid, int r, int c) {
            const FlexGridStore::CellFormat &f = grid.format(r, c);
            return f.hasForeColor && f.foreColor == modul::NegativeBalanceColor;
        };
        for (int r = 2; r < sheet.rows() - 1; ++r)
            QCOMPARE(red(sheet, r, 4), modul::centsOf(sheet.textMatrix(r, 4)) < 0);
        FlexGridStore totals(6, 3, 1, 1);
        modul::SummenBerechnen(sheet, totals);
        QCOMPARE(red(totals, 5, 2), modul::centsOf(totals.textMatrix(5, 2)) < 0);
    }

    void aRowThatIsNoLongerNegativeLosesItsRed()
    {
        FlexGridStore sheet = month({entry({}, {}, {}, QStringLiteral("150,00"))});
        QVERIFY(sheet.format(3, 4).hasForeColor);
        sheet.setTextMatrix(3, 3, QStringLiteral("50,00"));
        modul::BestandBerechnen(sheet);
        QVERIFY(!sheet.format(3, 4).hasForeColor);
    }
};

QTEST_GUILESS_MAIN(TestBookingRules)
#include "TestBookingRules.moc"
