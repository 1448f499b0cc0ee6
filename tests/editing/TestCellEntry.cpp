// What a typed text becomes in its cell, or why it is refused: dates of the
// month in their short forms, texts without line breaks, and cells of older
// files walked through unchanged. The amounts are TestAmounts'.
#include "TestSupport.h"
#include "editing/CellEntry.h"
#include "editing/SheetLayout.h"

#include <QtTest>

class TestCellEntry : public QObject
{
    Q_OBJECT
private slots:
    void enterCell_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("before");  // the cell's text
        QTest::addColumn<bool>("monthKnown"); // December 2026, or none
        QTest::addColumn<QString>("result");  // the cell's new text, or the start of the message
        const auto row = [](const char *name, int col, const char *typed, const char *result, bool known = true,
                            const char *before = "") {
            QTest::newRow(name) << col << QString::fromUtf8(typed) << QString::fromUtf8(before) << known
                                << QString::fromUtf8(result);
        };
        const int date = modul::ColDatum;
        row("the day alone", date, "5", "05.12.2026");
        row("day and month", date, "31.12", "31.12.2026");
        row("a two-digit year", date, " 5.12.26 ", "05.12.2026");
        row("no such day", date, "31.02.",
            "„31.02.“ ist kein Datum. Bitte den Tag eingeben (z. B. 5) oder das ganze Datum (z. B. 05.12.2026).");
        row("day 32", date, "32", "„32“ ist kein Datum.");
        row("a word", date, "heute", "„heute“ ist kein Datum.");
        row("another month", date, "05.11.2026",
            "Der 05.11.2026 liegt nicht im Monat 2026-12. Bitte ein Datum aus diesem Monat eingeben.");
        row("no month known: the whole date", date, "05.03.2026", "05.03.2026", false);
        row("no month known: the day alone", date, "5", "„5“ ist kein Datum.", false);
        row("an older file's text walked through", date, "heute", "heute", true, "heute");
        row("pasted lines in a text", modul::ColText, "Kaffee\r\nund\nKuchen\r", "Kaffee und Kuchen ");
        row("an amount", modul::ColAusgaben, "12,5", "12,50");
        // Passing through an empty Konto leaves a blank, after which the
        // editor's cursor sits; the account typed there loses it.
        row("an account after the blank", modul::ColKonto, " 8400 ", "8400", true, " ");
        row("a Konto emptied by Delete", modul::ColKonto, " ", " ");
    }
    void enterCell()
    {
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(QString, before);
        QFETCH(bool, monthKnown);
        QFETCH(QString, result);
        const modul::CellEntry entry =
            modul::enterCell(col, typed, before, monthKnown ? std::optional<QDate>(QDate(2026, 12, 1)) : std::nullopt);
        // A refused text stays as typed.
        QCOMPARE(entry.ok() ? entry.text : entry.problem.left(result.size()), result);
        QCOMPARE(entry.text, entry.ok() ? result : typed);
    }
};

QTEST_GUILESS_MAIN(TestCellEntry)
#include "TestCellEntry.moc"
