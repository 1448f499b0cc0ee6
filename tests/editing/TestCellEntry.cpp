// What a typed text becomes in its cell, or why it is refused: dates of the
// sheet's month in their short forms, texts without line breaks, and cells
// of older files that are walked through unchanged. Amounts: TestAmounts.
#include "TestSupport.h"
#include "editing/CellEntry.h"
#include "editing/SheetLayout.h"
#include "platform/FlexGridStore.h"

#include <QtTest>

namespace {
const QDate december(2026, 12, 1);
} // namespace

class TestCellEntry : public QObject
{
    Q_OBJECT
private slots:
    void enterCell_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("month"); // invalid: none known
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("problem"); // the start of the message; empty: taken
        QTest::addColumn<QString>("before");  // what the cell held
        const auto row = [](const char *name, int col, const char *typed, QDate month, const char *cell,
                            const char *problem = "", const char *before = "") {
            QTest::newRow(name) << col << QString::fromUtf8(typed) << month << QString::fromUtf8(cell)
                                << QString::fromUtf8(problem) << QString::fromUtf8(before);
        };
        const int date = modul::ColDatum;
        row("the day alone", date, "5", december, "05.12.2026");
        row("the day with its dot", date, "5.", december, "05.12.2026");
        row("day and month", date, "05.12.", december, "05.12.2026");
        row("day and month without the dot", date, "31.12", december, "31.12.2026");
        row("a two-digit year", date, "5.12.26", december, "05.12.2026");
        row("the whole date", date, " 05.12.2026 ", december, "05.12.2026");
        row("a blank, as Delete leaves it", date, " ", december, " ");
        row("no such day", date, "31.02.", december, "31.02.",
            "„31.02.“ ist kein Datum. Bitte den Tag eingeben "
            "(z. B. 5) oder das ganze Datum (z. B. 05.12.2026).");
        row("no such month", date, "32.13.2026", december, "32.13.2026", "„32.13.2026“ ist kein Datum.");
        row("a word", date, "heute", december, "heute", "„heute“ ist kein Datum.");
        row("day 0", date, "0", december, "0", "„0“ ist kein Datum.");
        row("day 32 of the month", date, "32", december, "32", "„32“ ist kein Datum.");
        row("another month", date, "05.11.2026", december, "05.11.2026",
            "Der 05.11.2026 liegt nicht im Monat 2026-12. Bitte ein Datum aus diesem Monat eingeben.");
        row("another year", date, "5.12.25", december, "5.12.25", "Der 05.12.2025 liegt nicht im Monat 2026-12.");
        row("no month known: the whole date", date, "05.03.2026", QDate(), "05.03.2026");
        row("no month known: the day alone", date, "5", QDate(), "5", "„5“ ist kein Datum.");
        row("no month known: no year", date, "05.03.", QDate(), "05.03.", "„05.03.“ ist kein Datum.");
        row("an old text walked through", date, "heute", december, "heute", "", "heute");
        row("pasted lines in a text", modul::ColText, "Kaffee\r\nund\nKuchen\r", december, "Kaffee und Kuchen ");
        row("an account is taken as typed", modul::ColKonto, " 4711 ", december, " 4711 ");
        row("an amount", modul::ColAusgaben, "12,5", december, "12,50");
        row("an amount refused", modul::ColEinnahmen1, "12a", december, "12a", "„12a“ ist kein Betrag.");
    }
    void enterCell()
    {
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(QDate, month);
        QFETCH(QString, cell);
        QFETCH(QString, problem);
        QFETCH(QString, before);
        const modul::CellEntry entry =
            modul::enterCell(col, typed, before, month.isValid() ? std::optional<QDate>(month) : std::nullopt);
        QCOMPARE(entry.text, cell);
        QVERIFY2(problem.isEmpty() ? entry.ok() : entry.problem.startsWith(problem), qPrintable(entry.problem));
    }

    void labelMonth_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QDate>("month");
        QTest::newRow("a month label") << QStringLiteral("2026-03") << QDate(2026, 3, 1);
        QTest::newRow("no label") << QString() << QDate();
        QTest::newRow("month 13") << QStringLiteral("2026-13") << QDate();
    }
    void labelMonth()
    {
        QFETCH(QString, label);
        QFETCH(QDate, month);
        FlexGridStore sheet(5, modul::ColCount, 2, 0);
        sheet.setTextMatrix(modul::RowRates, modul::ColMonthLabel, label);
        QCOMPARE(modul::labelMonth(sheet).value_or(QDate()), month);
    }
};

QTEST_GUILESS_MAIN(TestCellEntry)
#include "TestCellEntry.moc"
