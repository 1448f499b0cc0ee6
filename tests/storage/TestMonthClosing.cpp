// Closing a month: once closed, no save replaces it, whatever happened to its
// file since; loading, and so printing and exporting, go on as before.
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "platform/Clock.h"
#include "storage/ChangeLog.h"
#include "storage/MonthClosing.h"
#include "storage/MonthDatabase.h"
#include "storage/MonthStorage.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace Fixtures;

namespace {
const QString year = QStringLiteral("2026");
const QString month = QStringLiteral("02");
const QString label = QStringLiteral("2026-02");
const QString monthFile = QStringLiteral("2026/2026-02.mdb");
const QString closedOn = QStringLiteral("2026-03-01T08:15:00.000+01:00");

FlexGridStore februarySheet(const QString &text)
{
    FlexGridStore sheet = startupSheet();
    sheet.setTextMatrix(2, 4, QStringLiteral("100,00"));
    setRow(sheet, 3,
           {QStringLiteral("5,00"), QString(), QString(), QString(), QStringLiteral("105,00"), QString(),
            QStringLiteral("1"), QStringLiteral("27.02.2026"), text});
    return sheet;
}

QString saveSheet(const FlexGridStore &sheet, const ProgramFolder &folder)
{
    return MonthStorage::save(MonthStorage::planSave(sheet, folder.path(), year, month));
}

MonthStorage::LoadResult load(const ProgramFolder &folder, FlexGridStore &sheet)
{
    return MonthStorage::loadMonth(sheet, folder.path(), year, month, modul::defaultRateTexts());
}

// February saved twice, then closed: its backup is the older, unclosed version.
void closedFebruary(const ProgramFolder &folder)
{
    QCOMPARE(saveSheet(februarySheet(QStringLiteral("Kaffee")), folder), QString());
    QCOMPARE(saveSheet(februarySheet(QStringLiteral("Tee")), folder), QString());
    Clock::setNow(QDateTime::fromString(closedOn, Qt::ISODateWithMs));
    QCOMPARE(MonthClosing::close(folder.path(), folder.file(monthFile), label), QString());
    Clock::setNow(QDateTime());
}
} // namespace

class TestMonthClosing : public QObject
{
    Q_OBJECT
private slots:
    void aClosedMonthLoadsWithItsNoteAndRefusesASave()
    {
        ProgramFolder folder;
        closedFebruary(folder);
        FlexGridStore sheet = startupSheet();
        const MonthStorage::LoadResult loaded = load(folder, sheet);
        QVERIFY(loaded.loaded);
        QCOMPARE(loaded.warning, QString());
        QCOMPARE(loaded.closedSince, std::optional<QString>(closedOn));
        QCOMPARE(sheet.textMatrix(1, 6), label);
        QCOMPARE(sheet.textMatrix(1, 8), QStringLiteral("abgeschlossen am 01.03.2026"));
        QCOMPARE(sheet.textMatrix(3, 8), QStringLiteral("Tee"));

        const QByteArray closed = folder.read(monthFile);
        sheet.setTextMatrix(3, 8, QStringLiteral("Kakao"));
        const MonthStorage::SavePlan plan = MonthStorage::planSave(sheet, folder.path(), year, month);
        QCOMPARE(plan.message,
                 QStringLiteral("Der Monat 2026-02 ist seit dem 01.03.2026 08:15:00 abgeschlossen und kann nicht mehr "
                                "gespeichert werden.\r\n\r\nEine Buchung darin berichtigen Sie mit einer Gegenbuchung "
                                "in einem offenen Monat: die Zeile anklicken und im Menü „Monat“ den Befehl „Storno“ "
                                "wählen. Barlog legt die Storno-Zeile im laufenden Monat an; dort speichern Sie sie."));
        QCOMPARE(MonthStorage::save(plan), plan.message);
        QCOMPARE(folder.read(monthFile), closed);
    }

    // The register beside the year folders remembers the close, so that no
    // older copy, removed mark or missing file reopens the month.
    void aClosedMonthStaysClosed_data()
    {
        QTest::addColumn<QString>("done");
        QTest::addColumn<QString>("loadMessage");
        QTest::addColumn<QString>("loadWarning");
        const QString notClosedVersion =
            QStringLiteral("Der Monat 2026-02 wurde am 01.03.2026 08:15:00 abgeschlossen, aber die Datei "
                           "„2026-02.mdb“ ist nicht die abgeschlossene Fassung.\r\n\r\n%1\r\n\r\nDer Monat bleibt "
                           "abgeschlossen und lässt sich nicht speichern.");
        QTest::newRow("the file replaced by its older, unclosed copy")
            << "older"
            << ""
            << notClosedVersion.arg(
                   QStringLiteral("Sie trägt keinen Abschluss; vielleicht ist sie eine ältere Kopie."));
        QTest::newRow("the close mark's table dropped with a database tool")
            << "dropped"
            << ""
            << notClosedVersion.arg(
                   QStringLiteral("Sie trägt keinen Abschluss; vielleicht ist sie eine ältere Kopie."));
        QTest::newRow("the file deleted")
            << "deleted"
            << "Die Datei des Monats 2026-02 fehlt, obwohl er am 01.03.2026 08:15:00 abgeschlossen wurde."
            << "";
    }
    void aClosedMonthStaysClosed()
    {
        QFETCH(QString, done);
        QFETCH(QString, loadMessage);
        QFETCH(QString, loadWarning);
        ProgramFolder folder;
        closedFebruary(folder);
        const QString path = folder.file(monthFile);
        if (done == QStringLiteral("older")) {
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::copy(path + QStringLiteral(".bak"), path));
        }
        if (done == QStringLiteral("dropped"))
            QVERIFY(Sql::exec(path, QStringLiteral("DROP TABLE Abschluss")));
        if (done == QStringLiteral("deleted"))
            QVERIFY(QFile::remove(path));

        FlexGridStore sheet = februarySheet(QStringLiteral("Kakao"));
        const MonthStorage::SavePlan plan = MonthStorage::planSave(sheet, folder.path(), year, month);
        QVERIFY2(plan.message.startsWith(QStringLiteral("Der Monat 2026-02 ist seit dem 01.03.2026 08:15:00 "
                                                        "abgeschlossen")),
                 qPrintable(plan.message));
        const MonthStorage::LoadResult loaded = load(folder, sheet);
        QCOMPARE(loaded.message, loadMessage);
        QCOMPARE(loaded.warning, loadWarning);
        QCOMPARE(loaded.closedSince.has_value(), loadMessage.isEmpty());
    }

    void closingIsRefused_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("message");
        QTest::newRow("a month not saved yet")
            << "unsaved"
            << "Der Monat 2026-02 kann nicht abgeschlossen werden.\r\n\r\nEr ist noch nicht gespeichert. "
               "Bitte zuerst speichern.";
        QTest::newRow("a month closed already")
            << "closed"
            << "Der Monat 2026-02 ist bereits seit dem 01.03.2026 08:15:00 abgeschlossen.";
        QTest::newRow("a month altered outside Barlog")
            << "altered"
            << "Der Monat 2026-02 kann nicht abgeschlossen werden.\r\n\r\nSeine Datei wurde außerhalb von "
               "Barlog verändert. Zeile 3, Spalte Text enthält „Kaffed“, laut Eintrag Nr. 29";
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
            QCOMPARE(saveSheet(februarySheet(QStringLiteral("Kaffee")), folder), QString());
            QVERIFY(Sql::flipByte(path, QStringLiteral("Journal"), QStringLiteral("Text"), 3, 5));
        }
        const QByteArray register_ = folder.read(QStringLiteral("Monatsabschluesse.txt"));
        const QByteArray file = folder.read(monthFile);
        const QString result = MonthClosing::close(folder.path(), path, label);
        QVERIFY2(result.startsWith(message), qPrintable(result));
        QCOMPARE(folder.read(monthFile), file);
        QCOMPARE(folder.read(QStringLiteral("Monatsabschluesse.txt")), register_);
    }

    // A month of the Windows program is closed as its first save: its log starts.
    void closingAnUnloggedMonthStartsItsLog()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(year));
        const QString path = folder.file(monthFile);
        QVERIFY(writeVersion1Month(path));
        QCOMPARE(MonthClosing::close(folder.path(), path, label), QString());
        MonthContents closed;
        QVERIFY(MonthDatabase::readMonth(path, closed).ok());
        QVERIFY(closed.closed);
        QCOMPARE(closed.log.size(), size_t(10));
        QCOMPARE(closed.closed->logHead, closed.log.back().hash);
        FlexGridStore sheet = startupSheet();
        QCOMPARE(load(folder, sheet).warning, QString());
    }

    // A close whose register line was lost (the register could not be
    // written, or was deleted) is noted again when the intact month loads.
    void anIntactClosedFileRestoresItsRegisterLine()
    {
        ProgramFolder folder;
        closedFebruary(folder);
        const QByteArray line = folder.read(QStringLiteral("Monatsabschluesse.txt"));
        QVERIFY(line.contains("\n2026-02;2026-03-01T08:15:00.000+01:00;"));
        QVERIFY(QFile::remove(folder.file(QStringLiteral("Monatsabschluesse.txt"))));
        FlexGridStore sheet = startupSheet();
        QCOMPARE(load(folder, sheet).warning, QString());
        QCOMPARE(folder.read(QStringLiteral("Monatsabschluesse.txt")), line);
        QVERIFY(MonthClosing::noted(folder.path(), label));
    }
};

QTEST_GUILESS_MAIN(TestMonthClosing)
#include "TestMonthClosing.moc"
