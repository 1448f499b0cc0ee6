#include "editing/EntryDate.h"
#include "editing/Modul.h"
#include "editing/VatSplit.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
// The exact rounding, worked out on 128 bits: gross x rate / (10000 + rate)
// in hundredths of a percent, halves away from zero.
qint64 exactVat(qint64 gross, int rate)
{
    __extension__ using Wide = __int128;
    const Wide d = 10000 + rate;
    const Wide scaled = static_cast<Wide>(gross < 0 ? -gross : gross) * rate;
    const auto vat = static_cast<qint64>((2 * scaled + d) / (2 * d));
    return gross < 0 ? -vat : vat;
}
} // namespace

class TestVatSplit : public QObject
{
    Q_OBJECT
private slots:
    void rateTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rate"); // -1: no rate
        QTest::newRow("the default first rate") << QStringLiteral("19%") << 1900;
        QTest::newRow("a blank before the sign") << QStringLiteral("7 %") << 700;
        QTest::newRow("a decimal comma") << QStringLiteral("5,5%") << 550;
        QTest::newRow("more than all") << QStringLiteral("101%") << -1;
        QTest::newRow("three decimals") << QStringLiteral("7,125%") << -1;
        QTest::newRow("a word") << QStringLiteral("frei") << -1;
    }
    void rateTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, rate);
        const std::optional<int> read = modul::rateOf(text);
        QCOMPARE(read.value_or(-1), rate);
    }

    void splits_data()
    {
        QTest::addColumn<qint64>("gross");
        QTest::addColumn<int>("rate");
        QTest::addColumn<qint64>("vat");
        QTest::newRow("119,00 at 19 %") << qint64(11900) << 1900 << qint64(1900);
        QTest::newRow("1,00 at 19 %: 15,97 ct rounds up") << qint64(100) << 1900 << qint64(16);
        QTest::newRow("0,03 at 19 %: 0,479 ct rounds down") << qint64(3) << 1900 << qint64(0);
        QTest::newRow("at 100 % half is tax") << qint64(1001) << 10000 << qint64(501);
        QTest::newRow("a refund mirrors its income") << qint64(-100) << 1900 << qint64(-16);
        QTest::newRow("the largest sheet amount")
            << modul::MaxSheetCents << 1900 << exactVat(modul::MaxSheetCents, 1900);
    }
    void splits()
    {
        QFETCH(qint64, gross);
        QFETCH(int, rate);
        QFETCH(qint64, vat);
        const modul::VatSplit split = modul::splitGross(gross, rate);
        QCOMPARE(split.vat, vat);
        QCOMPARE(split.net + split.vat, gross);
    }

    // Every amount, every rate: the same cent as the exact rounding.
    void splitsLikeTheExactRounding()
    {
        QRandomGenerator random(11);
        for (int i = 0; i < 100000; ++i) {
            const qint64 gross = static_cast<qint64>(random.bounded(2000000)) - 1000000;
            const int rate = static_cast<int>(random.bounded(modul::MaxRateHundredths + 1));
            const modul::VatSplit split = modul::splitGross(gross, rate);
            if (split.vat != exactVat(gross, rate) || split.net + split.vat != gross)
                QFAIL(qPrintable(QStringLiteral("%1 at %2").arg(gross).arg(rate)));
        }
    }

    void entryDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: no date
        QTest::newRow("day, month, year") << QStringLiteral("15.03.2026") << QDate(2026, 3, 15);
        QTest::newRow("short forms") << QStringLiteral("5.3.26") << QDate(2026, 3, 5);
        QTest::newRow("without a year") << QStringLiteral("15.03.") << QDate(2025, 3, 15);
        QTest::newRow("a leap day without a year") << QStringLiteral("29.02.") << QDate();
        QTest::newRow("no such day") << QStringLiteral("31.02.2026") << QDate();
        QTest::newRow("dashes") << QStringLiteral("15-03-2026") << QDate();
    }
    void entryDates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(modul::entryDate(text, 2025).value_or(QDate()), date);
    }
};

QTEST_GUILESS_MAIN(TestVatSplit)
#include "TestVatSplit.moc"
