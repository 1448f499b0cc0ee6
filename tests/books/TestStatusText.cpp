// The status line's texts after a save, an export and a settings change.
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "books/StatusText.h"
#include "editing/SheetLayout.h"

#include <QtTest>

class TestStatusText : public QObject
{
    Q_OBJECT
private slots:
    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QTime at(15, 2, 59);
        QTest::newRow("a save") << StatusText::saved(QStringLiteral("2026-12"), 14, at)
                                << QStringLiteral("2026-12 gespeichert: 14 Buchungen, 15:02");
        QTest::newRow("one booking") << StatusText::saved(QStringLiteral("2026-12"), 1, QTime(9, 5))
                                     << QStringLiteral("2026-12 gespeichert: 1 Buchung, 09:05");
        QTest::newRow("an empty month") << StatusText::saved(QStringLiteral("2026-12"), 0, at)
                                        << QStringLiteral("2026-12 gespeichert: keine Buchungen, 15:02");
        QTest::newRow("an export")
            << StatusText::exported(QStringLiteral("DATEV-Export"), QStringLiteral("EXTF_2026-12.csv"), at)
            << QStringLiteral("DATEV-Export geschrieben: EXTF_2026-12.csv, 15:02");
        QTest::newRow("the settings") << StatusText::settingsSaved(at)
                                      << QStringLiteral("Einstellungen gespeichert, 15:02");
        QTest::newRow("unsaved") << StatusText::unsavedMark(true) << QStringLiteral("Nicht gespeichert");
        QTest::newRow("saved") << StatusText::unsavedMark(false) << QString();
    }
    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    // The carry-over and the empty new-entry row are no bookings.
    void bookingsCountsTheEntryRows()
    {
        FlexGridStore sheet = Fixtures::startupSheet();
        sheet.setRows(modul::FirstEntryRow + 3);
        sheet.setTextMatrix(modul::RowUebertrag, modul::ColBestand, QStringLiteral("100,00"));
        QCOMPARE(StatusText::bookings(sheet), 0);
        sheet.setTextMatrix(modul::FirstEntryRow, modul::ColText, QStringLiteral("Porto"));
        sheet.setTextMatrix(modul::FirstEntryRow + 1, modul::ColAusgaben, QStringLiteral("2,00"));
        QCOMPARE(StatusText::bookings(sheet), 2);
    }
};

QTEST_GUILESS_MAIN(TestStatusText)
#include "TestStatusText.moc"
