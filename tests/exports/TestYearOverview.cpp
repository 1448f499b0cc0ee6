#include "StorageFixtures.h"
#include "TestSupport.h"

#include "editing/Modul.h"
#include "exports/YearOverview.h"
#include "storage/MonthFileWriter.h"
#include "storage/SheetRecords.h"

#include <QtTest>

namespace {
// Saves a month of 2026 with these rate texts and a carry-over of 500,00;
// each entry's cells split at "|": the income columns, then the expense.
void saveMonth(const ProgramFolder &folder, int month, const QString &rates, const QStringList &entries,
               bool recalculate = true)
{
    FlexGridStore sheet = Fixtures::startupSheet(modul::FirstEntryRow + static_cast<int>(entries.size()) + 1);
    Fixtures::setRow(sheet, modul::RowRates, rates.split(u'|'));
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColBestand, QStringLiteral("500,00"));
    for (int i = 0; i < entries.size(); ++i)
        Fixtures::setRow(sheet, modul::FirstEntryRow + i, entries[i].split(u'|'));
    if (recalculate)
        modul::BestandBerechnen(sheet);
    const QString path = folder.file(QStringLiteral("2026/2026-%1.mdb").arg(month, 2, 10, QLatin1Char('0')));
    MonthContents contents;
    contents.records = SheetRecords::fromSheet(sheet);
    QCOMPARE(MonthFileWriter::write(path, contents), QString());
}

// Five months under four kinds of row 1, and May written by the Windows
// program but not as a month.
YearOverview::Overview sampleYear(const ProgramFolder &folder)
{
    saveMonth(folder, 1, QStringLiteral("19%|7%|0%"),
              {QStringLiteral("119,00|||"), QStringLiteral("|10,70||"), QStringLiteral("|||30,00")});
    saveMonth(folder, 3, QStringLiteral("19%|7%|0%"), {QStringLiteral("0,10|||"), QStringLiteral("||5,00|")});
    saveMonth(folder, 7, QStringLiteral("16%|5 %|0%"), {QStringLiteral("1.160,00|21,00||"), QStringLiteral("|||0,99")});
    saveMonth(folder, 8, QStringLiteral("19%|19 %|0%"), {QStringLiteral("0,50|0,50||")});
    saveMonth(folder, 10, QStringLiteral("19%|7%|frei"), {QStringLiteral("||3,00|")});
    QFile::copy(testDataPath(QStringLiteral("jet4/users.mdb")), folder.file(QStringLiteral("2026/2026-05.mdb")));
    return YearOverview::read(folder.path(), 2026);
}
} // namespace

class TestYearOverview : public QObject
{
    Q_OBJECT
private slots:
    // A rate column for each rate any month names; a month's columns at the
    // same rate add up before the split; what is missing stays empty; the
    // year adds up its months and ends with the last balance read.
    void theTable()
    {
        ProgramFolder folder;
        const QList<QStringList> t = YearOverview::table(sampleYear(folder));
        QStringList grossHeadings;
        for (int c = 1; c < 19; c += 3)
            grossHeadings << t[1][c];
        QCOMPARE(grossHeadings.join(u'|'),
                 QStringLiteral("Brutto 19%|Brutto 16%|Brutto 7%|Brutto 5%|Brutto 0%|Brutto frei"));
        QCOMPARE(t[2].join(u'|'),
                 QStringLiteral("Januar|119,00|100,00|19,00||||10,70|10,00|0,70||||0,00|0,00|0,00||||30,00|599,70"));
        QCOMPARE(
            t[8].join(u'|'),
            QStringLiteral("Juli||||1.160,00|1.000,00|160,00||||21,00|20,00|1,00|0,00|0,00|0,00||||0,99|1.680,01"));
        QCOMPARE(t[9].join(u'|'), QStringLiteral("August|1,00|0,84|0,16||||||||||0,00|0,00|0,00||||0,00|501,00"));
        QCOMPARE(t[11].join(u'|'), QStringLiteral("Oktober|0,00|0,00|0,00||||0,00|0,00|0,00|||||||3,00|||0,00|503,00"));
        for (int month : {2, 5}) { // no file; no month file
            QStringList empty(t[0].size());
            empty[0] = YearOverview::monthName(month);
            QCOMPARE(t[1 + month], empty);
        }
        QCOMPARE(t[14].join(u'|'), QStringLiteral("Jahr 2026|120,10|100,92|19,18|1.160,00|1.000,00|160,00|10,70|10,00|"
                                                  "0,70|21,00|20,00|1,00|5,00|5,00|0,00|3,00|||30,99|503,00"));
    }

    // A file as another program may leave it: the balances stored in the
    // entry rows count for nothing, and an expense beside income at the
    // second rate or a positive amount at the third is dropped, as the sheet
    // drops it when the month is loaded.
    void readAsTheSheetShowsIt()
    {
        ProgramFolder folder;
        saveMonth(folder, 4, QStringLiteral("19%|7%|0%"),
                  {QStringLiteral("|5,00||2,00|999,00"), QStringLiteral("||1,00|3,00|"),
                   QStringLiteral("||-1,00|4,00|")},
                  false);
        const QList<QStringList> t = YearOverview::table(YearOverview::read(folder.path(), 2026));
        QCOMPARE(t[5].join(u'|'),
                 QStringLiteral("April|0,00|0,00|0,00|5,00|4,67|0,33|0,00|0,00|0,00|4,00|501,00"));
    }
};

QTEST_GUILESS_MAIN(TestYearOverview)
#include "TestYearOverview.moc"
