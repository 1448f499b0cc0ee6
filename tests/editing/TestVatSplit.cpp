#include "editing/EntryDate.h"
#include "editing/Modul.h"
#include "editing/VatSplit.h"

#include <QRandomGenerator>
#include <QtTest>

class TestVatSplit : public QObject
{
    Q_OBJECT
private slots:
    void rateTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rate"); // -1: no rate
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
        QCOMPARE(modul::rateOf(text).value_or(-1), rate);
    }

    // Every amount up to the sheet's largest, every rate: the VAT is gross x
    // rate / (10000 + rate) rounded half away from zero, worked out on 128
    // bits, and net + VAT = gross.
    void splitsLikeTheExactRounding()
    {
        QRandomGenerator random(11);
        for (int i = 0; i < 100000; ++i) {
            const qint64 gross = i == 0 ? modul::MaxSheetCents : static_cast<qint64>(random.bounded(2000000)) - 1000000;
            const int rate = static_cast<int>(random.bounded(modul::MaxRateHundredths + 1));
            __extension__ using Wide = __int128;
            const Wide scaled = static_cast<Wide>(gross < 0 ? -gross : gross) * rate;
            const auto vat = static_cast<qint64>((2 * scaled + 10000 + rate) / (2 * (10000 + rate)));
            const modul::VatSplit split = modul::splitGross(gross, rate);
            if (split.vat != (gross < 0 ? -vat : vat) || split.net + split.vat != gross)
                QFAIL(qPrintable(QStringLiteral("%1 at %2").arg(gross).arg(rate)));
        }
    }

    void entryDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: no date
        QTest::newRow("short forms") << QStringLiteral("5.3.26") << QDate(2026, 3, 5);
        QTest::newRow("without a year") << QStringLiteral("15.03.") << QDate(2025, 3, 15);
        QTest::newRow("a leap day without a year") << QStringLiteral("29.02.") << QDate();
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
