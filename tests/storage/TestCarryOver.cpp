// A month goes on where the month before ended: its balance and its receipt numbers.
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "storage/CarryOver.h"
#include "storage/MonthStorage.h"
#include "storage/SheetRecords.h"

#include <QtTest>

using namespace Fixtures;

namespace {
// February: carry-over 1.000,00 from receipt 40, an income and an expense,
// then the empty new-entry row; balances as the sheet shows them.
FlexGridStore february(const QString &carryOver = QStringLiteral("1.000,00"))
{
    FlexGridStore sheet = startupSheet();
    sheet.setRows(6);
    sheet.setTextMatrix(2, 4, carryOver);
    sheet.setTextMatrix(2, 6, QStringLiteral("40"));
    setRow(sheet, 3,
           {QStringLiteral("100,00"), QString(), QString(), QString(), QString(), QString(), QString(),
            QStringLiteral("02.02.2026"), QStringLiteral("Tageseinnahme")});
    setRow(sheet, 4,
           {QString(), QString(), QString(), QStringLiteral("50,00"), QString(), QString(), QString(),
            QStringLiteral("03.02.2026"), QStringLiteral("Porto")});
    return sheet;
}

QString saveAs(const FlexGridStore &sheet, const ProgramFolder &folder, const QString &month)
{
    return MonthStorage::save(MonthStorage::planSave(sheet, folder.path(), QStringLiteral("2026"), month));
}
} // namespace

class TestCarryOver : public QObject
{
    Q_OBJECT
private slots:
    void previousMonth_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("before"); // "year-month", empty for none
        QTest::newRow("March follows February") << "2026"
                                                << "03"
                                                << "2026-02";
        QTest::newRow("January follows the December before") << "2026"
                                                             << "01"
                                                             << "2025-12";
        QTest::newRow("a month typed as one digit") << "2026"
                                                    << "3"
                                                    << "";
        QTest::newRow("a month past December") << "2026"
                                               << "13"
                                               << "";
        QTest::newRow("a year that is not a number") << "20x6"
                                                     << "03"
                                                     << "";
    }
    void previousMonth()
    {
        QFETCH(QString, year);
        QFETCH(QString, month);
        QFETCH(QString, before);
        const std::optional<CarryOver::Month> previous = CarryOver::previousMonth(year, month);
        QCOMPARE(previous ? previous->year + QLatin1Char('-') + previous->month : QString(), before);
    }

    // The closing balance is recalculated, not read from the stored cells;
    // the receipt number is the last entry's, not the empty row's after it.
    void aMonthClosesAtItsLastEntry_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<qint64>("balance");
        QTest::addColumn<QString>("receipt");
        QTest::newRow("two entries") << 2 << qint64(105000) << "42";
        QTest::newRow("no entry: the carry-over") << 0 << qint64(100000) << "40";
    }
    void aMonthClosesAtItsLastEntry()
    {
        QFETCH(int, entries);
        QFETCH(qint64, balance);
        QFETCH(QString, receipt);
        FlexGridStore sheet = february();
        sheet.setTextMatrix(3, 4, QStringLiteral("999,99")); // a stale stored balance
        sheet.setRows(3 + entries + 1);
        setRow(sheet, 3 + entries, QStringList(10));
        const CarryOver::Closing closing =
            CarryOver::closingOf(SheetRecords::fromSheet(sheet), modul::defaultRateTexts());
        QCOMPARE(closing.balance, balance);
        QCOMPARE(closing.receipt, receipt);
    }

    void ladenOfAMissingMonthStartsFromTheMonthBefore()
    {
        ProgramFolder folder;
        QCOMPARE(saveAs(february(), folder, QStringLiteral("02")), QString());
        FlexGridStore sheet = february(QStringLiteral("7,00"));
        const MonthStorage::LoadResult result = MonthStorage::loadMonth(
            sheet, folder.path(), QStringLiteral("2026"), QStringLiteral("03"), modul::defaultRateTexts());
        QVERIFY(result.loaded);
        QCOMPARE(result.message, QString());
        QCOMPARE(result.carriedFrom, QStringLiteral("2026-02"));
        FlexGridStore expected = startupSheet();
        expected.setTextMatrix(1, 6, QStringLiteral("2026-03"));
        setRow(expected, 2,
               {QString(), QString(), QString(), QString(), QStringLiteral("1.050,00"), QString(), QStringLiteral("42"),
                QString(), QStringLiteral("Übertrag aus 2026-02")});
        QCOMPARE(texts(sheet), texts(expected));
    }

    void aCarryOverOffTheMonthBeforeIsShown_data()
    {
        QTest::addColumn<QString>("carryOver");
        QTest::addColumn<QString>("warning");
        QTest::newRow("the closing balance carried over") << "1.050,00"
                                                          << "";
        QTest::newRow("another amount")
            << "1.000,00"
            << "Der Übertrag von 2026-03 (1.000,00) stimmt nicht mit dem Endbestand von 2026-02 (1.050,00) "
               "überein.\r\n\r\nBitte den Übertrag prüfen: ein Monat beginnt mit dem Bestand, mit dem der Vormonat "
               "endet.";
    }
    void aCarryOverOffTheMonthBeforeIsShown()
    {
        QFETCH(QString, carryOver);
        QFETCH(QString, warning);
        ProgramFolder folder;
        QCOMPARE(saveAs(february(), folder, QStringLiteral("02")), QString());
        QCOMPARE(saveAs(february(carryOver), folder, QStringLiteral("03")), QString());
        FlexGridStore sheet = startupSheet();
        const MonthStorage::LoadResult result = MonthStorage::loadMonth(
            sheet, folder.path(), QStringLiteral("2026"), QStringLiteral("03"), modul::defaultRateTexts());
        QVERIFY(result.loaded);
        QCOMPARE(result.warning, warning);
    }
};

QTEST_GUILESS_MAIN(TestCarryOver)
#include "TestCarryOver.moc"
