// The count's own rules: what the pieces add up to, which counts a field
// takes, the row that books a difference, and when a month counts as
// uncounted for its close.
#include "TestSupport.h"
#include "books/CashCount.h"
#include "books/ChangeLog.h"
#include "books/CountSheet.h"
#include "storage/JournalTable.h"

#include <QtTest>

using namespace CashCount;

namespace {
const QString countTime = QStringLiteral("2026-03-15T18:30:05.000+01:00");

// "2x500|3x5c": pieces by denomination label.
Tally tallyOf(const QString &text)
{
    Tally pieces{};
    for (const QString &part : text.split(u'|', Qt::SkipEmptyParts)) {
        const QStringList split = part.split(u'x');
        for (int i = 0; i < DenominationCount; ++i) {
            if (denominationLabel(i).remove(u' ') == split[1])
                pieces[static_cast<size_t>(i)] = split[0].toInt();
        }
    }
    return pieces;
}

Count countWithDifference(qint64 difference)
{
    return taken({}, -difference, QStringLiteral("Anna"), QString(), countTime);
}
} // namespace

class TestCashCount : public QObject
{
    Q_OBJECT
private slots:
    void sumsAndDifference_data()
    {
        QTest::addColumn<QString>("pieces");
        QTest::addColumn<qint64>("book");
        QTest::addColumn<qint64>("counted");
        QTest::addColumn<qint64>("difference");
        QTest::newRow("an empty drawer against an empty book") << "" << 0LL << 0LL << 0LL;
        QTest::newRow("one of every piece") << "1x500€|1x200€|1x100€|1x50€|1x20€|1x10€|1x5€|1x2€|1x1€|1x50ct|1x20ct|"
                                               "1x10ct|1x5ct|1x2ct|1x1ct"
                                            << 88888LL << 88888LL << 0LL;
        QTest::newRow("a drawer 1,23 short")
            << "1x50€|2x20€|1x5€|1x2€|1x1€|1x50ct|1x20ct|1x5ct|1x2ct" << 10000LL << 9877LL << -123LL;
        QTest::newRow("a drawer 0,01 over") << "3x1ct" << 2LL << 3LL << 1LL;
        QTest::newRow("the most of every piece") << "99999x500€|99999x1ct" << 0LL << 5000049999LL << 5000049999LL;
    }
    void sumsAndDifference()
    {
        QFETCH(QString, pieces);
        QFETCH(qint64, book);
        QFETCH(qint64, counted);
        QFETCH(qint64, difference);
        const Count c = taken(tallyOf(pieces), book, QStringLiteral("Anna"), QString(), countTime);
        QCOMPARE(c.counted, counted);
        QCOMPARE(c.difference, difference);
        QCOMPARE(c.bookBalance, book);
    }

    // Only whole numbers of pieces from 0 to 99.999.
    void aFieldTakesWholeCounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pieces"); // -1: refused
        QTest::newRow("nothing typed") << "" << 0;
        QTest::newRow("blanks around") << " 12 " << 12;
        QTest::newRow("grouped thousands") << "1.000" << 1000;
        QTest::newRow("the most") << "99999" << 99999;
        QTest::newRow("one too many") << "100000" << -1;
        QTest::newRow("more digits than any count") << "0000000000000000000000100" << 100;
        QTest::newRow("a huge number") << "123456789012345678901234567890" << -1;
        QTest::newRow("negative") << "-1" << -1;
        QTest::newRow("a fraction") << "1,5" << -1;
        QTest::newRow("a letter") << "12a" << -1;
        QTest::newRow("a word") << "zwölf" << -1;
    }
    void aFieldTakesWholeCounts()
    {
        QFETCH(QString, text);
        QFETCH(int, pieces);
        QString problem;
        const std::optional<int> read = parsePieces(text, &problem);
        QCOMPARE(read.value_or(-1), pieces);
        if (!read)
            QCOMPARE(problem, QStringLiteral("„%1“ ist keine gültige Anzahl. Bitte eine ganze Zahl von 0 bis 99.999 "
                                             "eingeben.")
                                  .arg(text.trimmed()));
    }

    // A shortage is an expense, a surplus an income in the column chosen, or
    // else the one at 0 %, or else the first; each on its own account.
    void theDifferenceRow_data()
    {
        QTest::addColumn<qint64>("difference");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("rates");
        QTest::addColumn<QString>("cells"); // Einnahmen 1-3, Ausgaben, Konto, Datum; empty: no row
        QTest::newRow("a shortage is an expense") << -123LL << 0 << "19%|7%|0%"
                                                  << "|||1,23|2309|16.03.2026";
        QTest::newRow("a surplus goes to the column at 0 %") << 5LL << 0 << "19%|7%|0 %"
                                                             << "||0,05||2709|16.03.2026";
        QTest::newRow("without a rate of 0 % to the first") << 5LL << 0 << "19%|7%|"
                                                            << "0,05||||2709|16.03.2026";
        QTest::newRow("to the column the settings name") << 5LL << 2 << "19%|7%|0%"
                                                         << "|0,05|||2709|16.03.2026";
        QTest::newRow("no difference, no row") << 0LL << 0 << "19%|7%|0%"
                                               << "";
    }
    void theDifferenceRow()
    {
        QFETCH(qint64, difference);
        QFETCH(int, choice);
        QFETCH(QString, rates);
        QFETCH(QString, cells);
        const QStringList r = rates.split(u'|');
        const int column = surplusColumn(choice, {r[0], r[1], r[2]});
        const std::optional<QStringList> row =
            differenceRow(countWithDifference(difference), column, {QStringLiteral("2309"), QStringLiteral("2709")},
                          QDate(2026, 3, 16));
        QCOMPARE(row.has_value(), !cells.isEmpty());
        if (!row)
            return;
        QCOMPARE(row->mid(0, 4).join(u'|') + u'|' + (*row)[5] + u'|' + (*row)[7], cells);
        QCOMPARE((*row)[8], QStringLiteral("Kassendifferenz lt. Zählung 15.03. 18:30"));
        // The row must save: the text column holds 40 characters.
        QVERIFY((*row)[8].size() <= JournalTable::fields[8].maxLength);
    }

    // One A4 page, every text inside the margins and apart from the others,
    // each denomination's pieces and sum on its line, the totals, and a line
    // over "Datum" and "Unterschrift".
    void thePrintedPage()
    {
        Count c = taken(tallyOf(QStringLiteral("1x50€|2x20€|1x5€|1x2€|1x1€|1x50ct|1x20ct|1x5ct|1x2ct")), 10000,
                        QStringLiteral("Anna"), QStringLiteral("Wechselgeld fehlt"), countTime);
        c.number = 41;
        const ShopData shop{QStringLiteral("Kiosk am Markt"), QStringLiteral("Markt 1"), QStringLiteral("12345 Ort"),
                            QStringLiteral("12/345/67890"), 0};
        const std::vector<CountSheet::Item> items = CountSheet::page(c, shop, QStringLiteral("2026-03"));
        const QRectF inside(10, 10, CountSheet::PageWidthMm - 20, CountSheet::PageHeightMm - 20);
        QStringList lines; // each text line: its texts left to right
        std::vector<QRectF> texts;
        QMap<double, QStringList> byTop;
        for (const CountSheet::Item &item : items) {
            QVERIFY2(inside.contains(item.mm.topLeft()) && inside.contains(item.mm.bottomRight()),
                     qPrintable(item.text));
            if (item.kind == CountSheet::Item::Kind::Line) {
                byTop[item.mm.top() - 1.0] << QStringLiteral("___");
                continue;
            }
            for (const QRectF &other : texts)
                QVERIFY2(!other.intersects(item.mm), qPrintable(item.text));
            texts.push_back(item.mm);
            if (!item.text.isEmpty())
                byTop[item.mm.top()] << item.text;
        }
        for (const QStringList &line : byTop)
            lines << line.join(u'|');
        for (const char *expected :
             {"Zählprotokoll", "Kiosk am Markt|Monat 2026-03", "Markt 1|Zählung Nr. 41",
              "12345 Ort|vom 15.03.2026 18:30:05", "Steuernummer: 12/345/67890|Gezählt von: Anna", "500 €|0|0,00",
              "20 €|2|40,00", "2 ct|1|0,02", "Gezählter Bestand|98,77", "Buchbestand laut Kassenbuch|100,00",
              "Differenz (Fehlbetrag)|-1,23", "Bemerkung: Wechselgeld fehlt", "Datum|Unterschrift"})
            QVERIFY2(lines.contains(QString::fromUtf8(expected)), expected);
        QCOMPARE(lines.indexOf(QStringLiteral("___|___")) + 1, lines.indexOf(QStringLiteral("Datum|Unterschrift")));
    }

    // The close asks about a count when a booking came after the last one;
    // the booking of that count's own difference does not count.
    void aMonthIsUncountedAfterABooking_data()
    {
        QTest::addColumn<QString>("steps"); // b: a booking saved, c: a count, d: its difference booked
        QTest::addColumn<bool>("uncounted");
        QTest::newRow("no entries") << "" << false;
        QTest::newRow("entries, never counted") << "b" << true;
        QTest::newRow("counted after the last booking") << "bbc" << false;
        QTest::newRow("a booking after the count") << "bcb" << true;
        QTest::newRow("only the count's difference booked after it") << "bcd" << false;
        QTest::newRow("a booking after the difference") << "bcdb" << true;
    }
    void aMonthIsUncountedAfterABooking()
    {
        QFETCH(QString, steps);
        QFETCH(bool, uncounted);
        MonthContents month;
        month.records = {{QStringLiteral("19%")},
                         {QString(), QString(), QString(), QString(), QStringLiteral("10,00")}};
        for (const QChar step : steps) {
            Records next = month.records;
            if (step == u'c') {
                Count c = countWithDifference(-100);
                ChangeLog::chain(c, ChangeLog::chainHead(month));
                month.counts.push_back(c);
                continue;
            }
            Record row(modul::ColCount, QStringLiteral(" "));
            row[step == u'b' ? 0 : 3] = QStringLiteral("1,00");
            if (step == u'd')
                row[8] = bookingText(countTime);
            next.push_back(row);
            ChangeLog::Entries added;
            ChangeLog::append(added, ChangeLog::chainHead(month), ChangeLog::diff(month.records, next), countTime);
            month.log.insert(month.log.end(), added.begin(), added.end());
            month.records = next;
        }
        QCOMPARE(uncountedSinceLastBooking(month), uncounted);
    }
};

QTEST_GUILESS_MAIN(TestCashCount)
#include "TestCashCount.moc"
