#include "TestSupport.h"

#include "exports/VatReturn.h"

#include <QtTest>

namespace {
using YearOverview::Amounts;

// The year overview of 2026 as VatReturn receives it: January to April
// read, the rest not; the rates 19 %, 16 %, 7 %, 0 % and "frei".
YearOverview::Overview sampleOverview()
{
    YearOverview::Overview o;
    o.year = 2026;
    o.rates = {{QStringLiteral("19%"), 1900},
               {QStringLiteral("16%"), 1600},
               {QStringLiteral("7%"), 700},
               {QStringLiteral("0%"), 0},
               {QStringLiteral("frei"), std::nullopt}};
    const std::vector<std::vector<std::optional<Amounts>>> incomes{
        {Amounts{12000, 10084, 1916}, Amounts{116000, 100000, 16000}, Amounts{5456, 5099, 357},
         Amounts{123456, 123456, 0}, Amounts{300, 0, 0}},
        {Amounts{118, 99, 19}, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
        {},
        {Amounts{-1488, -1250, -238}, std::nullopt, std::nullopt, std::nullopt, std::nullopt}};
    for (int m = 1; m <= 12; ++m) {
        YearOverview::Month month;
        month.month = m;
        month.loaded = m <= static_cast<int>(incomes.size()) && m != 3;
        month.income.resize(o.rates.size());
        if (month.loaded)
            month.income = incomes[static_cast<size_t>(m - 1)];
        o.months.push_back(month);
    }
    return o;
}
} // namespace

class TestVatReturn : public QObject
{
    Q_OBJECT
private slots:
    // Bases in whole euros, the cents cut off (towards zero), the tax the
    // base times the rate; a quarter cuts the cents of its summed months.
    void theKennzahlen_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a month with all kinds of rates") << 2 << "Januar|100|19,00|50|3,50|1.234|1.000,00|160,00|3,00";
        QTest::newRow("a base below one euro is 0") << 3 << "Februar|0|0,00|0|0,00|0|||";
        QTest::newRow("a month not read stays empty") << 4 << "März||||||||";
        QTest::newRow("the quarter cuts the cents of its sum")
            << 5 << "1. Quartal|101|19,19|50|3,50|1.234|1.000,00|160,00|3,00";
        QTest::newRow("a negative base cuts towards zero") << 6 << "April|-12|-2,28|0|0,00|0|||";
        QTest::newRow("a quarter without a read month stays empty") << 13 << "3. Quartal||||||||";
        QTest::newRow("the last quarter follows December") << 17 << "4. Quartal||||||||";
    }
    void theKennzahlen()
    {
        QFETCH(int, row);
        QFETCH(QString, expected);
        const QList<QStringList> t = VatReturn::table(VatReturn::compute(sampleOverview()));
        QCOMPARE(t.size(), VatReturn::HeadingRows + 16);
        QCOMPARE(t[row].join(u'|'), expected);
    }

    // A rate the form has no line for stands apart under its own heading,
    // and a note says why; so does a rate text that names no rate.
    void ratesTheFormDoesNotKnowStandApart()
    {
        const VatReturn::Return r = VatReturn::compute(sampleOverview());
        const QList<QStringList> t = VatReturn::table(r);
        QCOMPARE(t[0].mid(5).join(u'|'), QStringLiteral("0 % (Kz 48)|16%|16%|frei"));
        QCOMPARE(t[1].mid(5).join(u'|'), QStringLiteral("steuerfrei|Netto|USt|Brutto"));
        const QString notes = r.notes.join(u'\n');
        QVERIFY2(notes.contains(QStringLiteral("„16%“: diesen Steuersatz kennt die Voranmeldung nicht")),
                 qPrintable(notes));
        QVERIFY2(notes.contains(QStringLiteral("„frei“ nennt keinen Steuersatz")), qPrintable(notes));
    }
};

QTEST_GUILESS_MAIN(TestVatReturn)
#include "TestVatReturn.moc"
