#include "StorageFixtures.h"
#include "TestSupport.h"

#include "editing/Modul.h"
#include "editing/MonthTotals.h"
#include "editing/VatSplit.h"
#include "storage/MonthFileWriter.h"
#include "storage/SheetRecords.h"
#include "storage/YearOverview.h"

#include <QDir>
#include <QtTest>

namespace {
// Saves a month of the year 2026 with these rate texts and entries
// (income columns 0 to 2, then the expense).
void saveMonth(const ProgramFolder &folder, int month, const QStringList &rates, const QList<QStringList> &entries)
{
    FlexGridStore sheet = Fixtures::startupSheet();
    Fixtures::setRow(sheet, modul::RowRates, rates);
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColBestand, QStringLiteral("500,00"));
    sheet.setRows(modul::FirstEntryRow + static_cast<int>(entries.size()) + 1);
    for (int i = 0; i < entries.size(); ++i)
        Fixtures::setRow(sheet, modul::FirstEntryRow + i, entries[i]);
    modul::BestandBerechnen(sheet);
    const QString path = folder.file(QStringLiteral("2026/2026-%1.mdb").arg(month, 2, 10, QLatin1Char('0')));
    QCOMPARE(MonthFileWriter::write(path, SheetRecords::fromSheet(sheet)), QString());
}

const QStringList Usual{QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("0%")};

// Five months under four kinds of row 1, and May written by the Windows
// program but not as a month.
YearOverview::Overview sampleYear(const ProgramFolder &folder)
{
    saveMonth(folder, 1, Usual,
              {{QStringLiteral("119,00"), {}, {}, {}},
               {{}, QStringLiteral("10,70"), {}, {}},
               {{}, {}, {}, QStringLiteral("30,00")}});
    saveMonth(folder, 3, Usual, {{QStringLiteral("0,10"), {}, {}, {}}, {{}, {}, QStringLiteral("5,00"), {}}});
    saveMonth(folder, 7, {QStringLiteral("16%"), QStringLiteral("5 %"), QStringLiteral("0%")},
              {{QStringLiteral("1.160,00"), QStringLiteral("21,00"), {}, {}}, {{}, {}, {}, QStringLiteral("0,99")}});
    saveMonth(folder, 8, {QStringLiteral("19%"), QStringLiteral("19 %"), QStringLiteral("0%")},
              {{QStringLiteral("0,50"), QStringLiteral("0,50"), {}, {}}});
    saveMonth(folder, 10, {QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("frei")},
              {{{}, {}, QStringLiteral("3,00"), {}}});
    QFile::copy(testDataPath(QStringLiteral("jet4/users.mdb")), folder.file(QStringLiteral("2026/2026-05.mdb")));
    return YearOverview::read(folder.path(), 2026);
}

QStringList labels(const YearOverview::Overview &o)
{
    QStringList l;
    for (const YearOverview::RateColumn &r : o.rates)
        l << r.label;
    return l;
}
} // namespace

class TestYearOverview : public QObject
{
    Q_OBJECT
private slots:
    void ratesComeFromEachMonth()
    {
        ProgramFolder folder;
        const YearOverview::Overview o = sampleYear(folder);
        QCOMPARE(labels(o), (QStringList{QStringLiteral("19%"), QStringLiteral("16%"), QStringLiteral("7%"),
                                         QStringLiteral("5%"), QStringLiteral("0%"), QStringLiteral("frei")}));
        // August booked both its columns at 19 %: one gross, split once.
        const YearOverview::Amounts august = *o.months[7].income[0];
        QCOMPARE((QList<qint64>{august.gross, august.net, august.vat}), (QList<qint64>{100, 84, 16}));
        QCOMPARE(o.months[6].income[1]->vat, 16000); // 1.160,00 at 16 %
        QCOMPARE(o.months[0].income[0]->vat, 1900);  // 119,00 at 19 %
        QVERIFY(!o.months[0].income[1]);             // January knew no 16 %
    }

    void netAndVatAddUpAndTheYearIsTheSumOfItsMonths()
    {
        ProgramFolder folder;
        const YearOverview::Overview o = sampleYear(folder);
        for (size_t i = 0; i < o.rates.size(); ++i) {
            YearOverview::Amounts sum;
            for (const YearOverview::Month &m : o.months) {
                if (!m.income[i])
                    continue;
                if (o.rates[i].rate)
                    QCOMPARE(m.income[i]->net + m.income[i]->vat, m.income[i]->gross);
                sum.gross += m.income[i]->gross;
                sum.net += m.income[i]->net;
                sum.vat += m.income[i]->vat;
            }
            QCOMPARE((QList<qint64>{o.yearIncome[i].gross, o.yearIncome[i].net, o.yearIncome[i].vat}),
                     (QList<qint64>{sum.gross, sum.net, sum.vat}));
        }
        qint64 expenses = 0;
        for (const YearOverview::Month &m : o.months)
            expenses += m.expenses;
        QCOMPARE(o.yearExpenses, expenses);
        QCOMPARE(o.yearClosingBalance, o.months[9].closingBalance); // October's, the last read
    }

    void theTableLeavesWhatIsMissingEmpty()
    {
        ProgramFolder folder;
        const YearOverview::Overview o = sampleYear(folder);
        const QList<QStringList> t = YearOverview::table(o);
        QCOMPARE(t.size(), 2 + 12 + 1);
        QCOMPARE(t[1].mid(0, 5), (QStringList{QString(), QStringLiteral("Brutto 19%"), QStringLiteral("Netto 19%"),
                                              QStringLiteral("USt 19%"), QStringLiteral("Brutto 16%")}));
        // February has no file, May is no month file: both empty but for the name.
        for (int month : {2, 5}) {
            QStringList empty(t[0].size());
            empty[0] = YearOverview::monthName(month);
            QCOMPARE(t[1 + month], empty);
        }
        QVERIFY(o.problems.value(0).startsWith(QStringLiteral("Mai: Error #: ")));
        // January's 19 % and 16 %, its expenses and closing balance; a rate
        // text that names no rate shows October's gross only.
        QCOMPARE(t[2].mid(0, 7), (QStringList{QStringLiteral("Januar"),
                                              QStringLiteral("119,00"),
                                              QStringLiteral("100,00"),
                                              QStringLiteral("19,00"),
                                              {},
                                              {},
                                              {}}));
        QCOMPARE(t[2].mid(19), (QStringList{QStringLiteral("30,00"), QStringLiteral("599,70")}));
        QCOMPARE(t[11].mid(16, 3), (QStringList{QStringLiteral("3,00"), {}, {}}));
        QCOMPARE(t[14].last(), QStringLiteral("503,00"));
    }
};

QTEST_GUILESS_MAIN(TestYearOverview)
#include "TestYearOverview.moc"
