// The end of a month: once closed, no save replaces it, whatever happened to
// its file since, while loading goes on as before; and the next month goes
// on where it ended, with its balance and its receipt numbers.
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "books/CarryOver.h"
#include "books/MonthClosing.h"
#include "books/MonthStorage.h"
#include "platform/Clock.h"
#include "storage/SheetRecords.h"

#include <QtTest>

using namespace Fixtures;

namespace {
const QString label = QStringLiteral("2026-02");
const QString monthFile = QStringLiteral("2026/2026-02.mdb");
const QString closedOn = QStringLiteral("2026-03-01T08:15:00.000+01:00");

// February: carry-over 1.000,00 from receipt 40, an income with the text
// given and an expense, then the empty new-entry row.
FlexGridStore february(const char *text = "Tageseinnahme", const char *carryOver = "1.000,00")
{
    FlexGridStore sheet = startupSheet(6);
    setRow(sheet, 2, items(QByteArray("||||").append(carryOver).append("||40").constData()));
    setRow(sheet, 3, items(QByteArray("100,00|||||||02.02.2026|").append(text).constData()));
    setRow(sheet, 4, items("|||50,00||||03.02.2026|Porto"));
    return sheet;
}

QString saveAs(const FlexGridStore &sheet, const ProgramFolder &folder, const char *month = "02")
{
    return MonthStorage::save(
        MonthStorage::planSave(sheet, folder.path(), QStringLiteral("2026"), QString::fromLatin1(month)));
}

MonthStorage::LoadResult load(const ProgramFolder &folder, FlexGridStore &sheet, const char *month = "02")
{
    return MonthStorage::loadMonth(sheet, folder.path(), QStringLiteral("2026"), QString::fromLatin1(month),
                                   modul::defaultRateTexts());
}

// February saved twice, then closed: its backup is the older, unclosed
// version. Or a version 1 file closed as its first save, which starts its log.
void closedFebruary(const ProgramFolder &folder, bool version1 = false)
{
    if (version1) {
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("2026")));
        QVERIFY(writeVersion1Month(folder.file(monthFile)));
    } else {
        QCOMPARE(saveAs(february("Kaffee"), folder), QString());
        QCOMPARE(saveAs(february("Tee"), folder), QString());
    }
    Clock::setNow(QDateTime::fromString(closedOn, Qt::ISODateWithMs));
    QCOMPARE(MonthClosing::close(folder.path(), folder.file(monthFile), label), QString());
    Clock::setNow(QDateTime());
}
} // namespace

class TestMonthClosing : public QObject
{
    Q_OBJECT
private slots:
    // The register beside the year folders remembers the close, so that no
    // older copy, removed mark, altered record or missing file reopens the
    // month; a lost register line comes back when the intact month loads.
    // Loading goes on as before, with the close noted on the sheet.
    void aClosedMonthStaysClosed_data()
    {
        QTest::addColumn<QString>("done");
        QTest::addColumn<QString>("shown"); // how the load's message or warning ends; empty: none
        const auto row = [](const char *name, const char *done, const QString &shown) {
            QTest::newRow(name) << QString::fromLatin1(done) << shown;
        };
        const QString notClosed = QStringLiteral(
            "Der Monat 2026-02 wurde am 01.03.2026 08:15:00 abgeschlossen, aber die Datei „2026-02.mdb“ ist nicht die "
            "abgeschlossene Fassung.\r\n\r\n%1\r\n\r\nDer Monat bleibt abgeschlossen und lässt sich nicht speichern.");
        const QString older =
            notClosed.arg(QStringLiteral("Sie trägt keinen Abschluss; vielleicht ist sie eine ältere Kopie."));
        row("a version 1 file closed as its first save", "v1", QString());
        row("the register deleted", "register", QString());
        row("the file replaced by its older, unclosed copy", "older", older);
        row("the close mark's table dropped with a database tool", "dropped", older);
        row("a record altered with a database tool", "altered",
            notClosed.arg(QStringLiteral("Ihre Buchungen sind nicht die, die beim Abschluss gespeichert waren.")));
        row("the file deleted", "deleted",
            QStringLiteral(
                "Die Datei des Monats 2026-02 fehlt, obwohl er am 01.03.2026 08:15:00 abgeschlossen wurde."));
    }
    void aClosedMonthStaysClosed()
    {
        QFETCH(QString, done);
        QFETCH(QString, shown);
        ProgramFolder folder;
        closedFebruary(folder, done == QStringLiteral("v1"));
        const QString path = folder.file(monthFile);
        if (done == QStringLiteral("register"))
            QVERIFY(QFile::remove(folder.file(QStringLiteral("Monatsabschluesse.txt"))));
        if (done == QStringLiteral("older"))
            QVERIFY(QFile::remove(path) && QFile::copy(path + QStringLiteral(".bak"), path));
        if (done == QStringLiteral("dropped"))
            QVERIFY(Sql::exec(path, QStringLiteral("DROP TABLE Abschluss")));
        if (done == QStringLiteral("altered"))
            QVERIFY(Sql::flipByte(path, QStringLiteral("Journal"), QStringLiteral("Text"), 3, 2));
        if (done == QStringLiteral("deleted"))
            QVERIFY(QFile::remove(path));

        FlexGridStore sheet = startupSheet();
        const MonthStorage::LoadResult loaded = load(folder, sheet);
        const QString said = loaded.message + loaded.warning;
        QVERIFY2(said.endsWith(shown) && said.isEmpty() == shown.isEmpty(), qPrintable(said));
        QCOMPARE(loaded.closedSince, loaded.loaded ? std::optional<QString>(closedOn) : std::nullopt);
        QCOMPARE(sheet.textMatrix(1, 8), loaded.loaded ? QStringLiteral("abgeschlossen am 01.03.2026") : QString());
        QVERIFY(
            folder.read(QStringLiteral("Monatsabschluesse.txt")).contains("\n2026-02;2026-03-01T08:15:00.000+01:00;"));

        const QByteArray file = folder.read(monthFile);
        const MonthStorage::SavePlan plan =
            MonthStorage::planSave(february("Kakao"), folder.path(), QStringLiteral("2026"), QStringLiteral("02"));
        QCOMPARE(plan.message,
                 QStringLiteral("Der Monat 2026-02 ist seit dem 01.03.2026 08:15:00 abgeschlossen und kann nicht mehr "
                                "gespeichert werden.\r\n\r\nEine Buchung darin berichtigen Sie mit einer Gegenbuchung "
                                "in einem offenen Monat: die Zeile anklicken und im Menü „Monat“ den Befehl „Storno“ "
                                "wählen. Barlog legt die Storno-Zeile im laufenden Monat an; dort speichern Sie sie."));
        QCOMPARE(MonthStorage::save(plan), plan.message);
        QCOMPARE(folder.read(monthFile), file);
    }

    // Nothing is written when closing is refused, neither file nor register.
    void closingIsRefused_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("message"); // how it begins
        textRow("a month not saved yet", "unsaved",
                "Der Monat 2026-02 kann nicht abgeschlossen werden.\r\n\r\nEr ist noch nicht gespeichert. "
                "Bitte zuerst speichern.");
        textRow("a month closed already", "closed",
                "Der Monat 2026-02 ist bereits seit dem 01.03.2026 08:15:00 abgeschlossen.");
        textRow("a month altered outside Barlog", "altered",
                "Der Monat 2026-02 kann nicht abgeschlossen werden.\r\n\r\nSeine Datei wurde außerhalb von Barlog "
                "verändert. Zeile 3, Spalte Text enthält „Kaffed“, laut Eintrag Nr. 9");
    }
    void closingIsRefused()
    {
        QFETCH(QString, state);
        QFETCH(QString, message);
        ProgramFolder folder;
        const QString path = folder.file(monthFile);
        if (state == QStringLiteral("closed"))
            closedFebruary(folder);
        if (state == QStringLiteral("altered")) {
            QCOMPARE(saveAs(february("Kaffee"), folder), QString());
            QVERIFY(Sql::flipByte(path, QStringLiteral("Journal"), QStringLiteral("Text"), 3, 5));
        }
        const QByteArray register_ = folder.read(QStringLiteral("Monatsabschluesse.txt"));
        const QByteArray file = folder.read(monthFile);
        const QString result = MonthClosing::close(folder.path(), path, label);
        QVERIFY2(result.startsWith(message), qPrintable(result));
        QCOMPARE(folder.read(monthFile), file);
        QCOMPARE(folder.read(QStringLiteral("Monatsabschluesse.txt")), register_);
    }

    void previousMonth_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("before"); // "year-month", empty for none
        textRow("December follows November", "2026", "12", "2026-11");
        textRow("January follows the December before", "2026", "01", "2025-12");
        textRow("a month typed as one digit", "2026", "3", "");
        textRow("a month past December", "2026", "13", "");
        textRow("a year that is not a number", "20x6", "03", "");
    }
    void previousMonth()
    {
        QFETCH(QString, year);
        QFETCH(QString, month);
        QFETCH(QString, before);
        const std::optional<CarryOver::Month> previous = CarryOver::previousMonth(year, month);
        QCOMPARE(previous ? previous->year + QLatin1Char('-') + previous->month : QString(), before);
    }

    // A month without entries closes at its carry-over and its receipt
    // number, not at the empty new-entry row.
    void aMonthWithoutEntriesClosesAtItsCarryOver()
    {
        FlexGridStore sheet = february();
        sheet.setRows(4);
        setRow(sheet, 3, QStringList(10));
        const CarryOver::Closing closing =
            CarryOver::closingOf(SheetRecords::fromSheet(sheet), modul::defaultRateTexts());
        QCOMPARE(closing.balance, qint64(100000));
        QCOMPARE(closing.receipt, QStringLiteral("40"));
    }

    // March, loaded after February was saved: a missing March starts with
    // February's closing balance, recalculated, and last receipt number; a
    // saved one whose carry-over is another amount says so.
    void marchGoesOnFromFebruary_data()
    {
        QTest::addColumn<QString>("carryOver"); // March's; empty: no March file
        QTest::addColumn<QString>("warning");
        textRow("no March yet", "", "");
        textRow("the closing balance carried over", "1.050,00", "");
        textRow("another amount", "1.000,00",
                "Der Übertrag von 2026-03 (1.000,00) stimmt nicht mit dem Endbestand von 2026-02 (1.050,00) "
                "überein.\r\n\r\nBitte den Übertrag prüfen: ein Monat beginnt mit dem Bestand, mit dem der Vormonat "
                "endet.");
    }
    void marchGoesOnFromFebruary()
    {
        QFETCH(QString, carryOver);
        QFETCH(QString, warning);
        ProgramFolder folder;
        QCOMPARE(saveAs(february(), folder), QString());
        if (!carryOver.isEmpty())
            QCOMPARE(saveAs(february("Tageseinnahme", qPrintable(carryOver)), folder, "03"), QString());
        FlexGridStore sheet = february("vorher", "7,00");
        const MonthStorage::LoadResult result = load(folder, sheet, "03");
        QVERIFY(result.loaded);
        QCOMPARE(result.warning, warning);
        if (carryOver.isEmpty()) {
            QCOMPARE(result.carriedFrom, label);
            FlexGridStore expected = startupSheet();
            expected.setTextMatrix(1, 6, QStringLiteral("2026-03"));
            setRow(expected, 2, items("||||1.050,00||42||Übertrag aus 2026-02"));
            QCOMPARE(texts(sheet), texts(expected));
        }
    }
};

QTEST_GUILESS_MAIN(TestMonthClosing)
#include "TestMonthClosing.moc"
