// The change log: what a save records, how the chain catches an altered
// entry or record, and that the log kept in the month file, across the safe
// save and its backup, never loses an entry.
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "books/ChangeLog.h"
#include "books/MonthAudit.h"
#include "books/MonthStorage.h"
#include "platform/Clock.h"
#include "storage/MonthDatabase.h"
#include "storage/SheetRecords.h"

#include <QtTest>

using namespace Fixtures;

namespace {
const QString monthFile = QStringLiteral("2026/2026-03.mdb");

// Saves the sheet as March 2026; with a day, the clock says March 2 at
// 09:00 or March 3 at 18:30.
QString save(const FlexGridStore &sheet, const ProgramFolder &folder, int day = 0)
{
    if (day > 0)
        Clock::setNow(QDateTime(QDate(2026, 3, day), day == 2 ? QTime(9, 0) : QTime(18, 30), QTimeZone(3600)));
    return MonthStorage::save(
        MonthStorage::planSave(sheet, folder.path(), QStringLiteral("2026"), QStringLiteral("03")));
}

// A sheet with the given entry texts in rows 3 onwards.
FlexGridStore sheetWith(const QStringList &texts)
{
    FlexGridStore sheet = startupSheet();
    sheet.setRows(static_cast<int>(texts.size()) + 4);
    for (int i = 0; i < texts.size(); ++i) {
        sheet.setTextMatrix(3 + i, 0, QStringLiteral("%1,00").arg(i + 1));
        sheet.setTextMatrix(3 + i, 8, texts.at(i));
    }
    return sheet;
}

// An edit as a user makes it: a text or an amount typed over, a row
// inserted, or the last one deleted.
void randomEdit(FlexGridStore &sheet, QRandomGenerator &random)
{
    const int row = 3 + static_cast<int>(random.bounded(sheet.rows() - 3));
    const QString word = QStringLiteral("Wort%1ä").arg(random.bounded(1000));
    const int kind = static_cast<int>(random.bounded(4));
    if (kind == 0)
        sheet.setTextMatrix(row, 8, word);
    if (kind == 1)
        sheet.setTextMatrix(row, static_cast<int>(random.bounded(4)), QStringLiteral("%1,50").arg(random.bounded(500)));
    if (kind == 2)
        sheet.addItem(QStringLiteral("1,00\t\t\t\t\t\t\t\t") + word, row);
    if (kind == 3 && sheet.rows() > 5)
        sheet.setRows(sheet.rows() - 1);
}
} // namespace

class TestChangeLog : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::setNow(QDateTime()); }

    // Whatever is altered, the first place the log and the records part ways is named.
    void verifyNamesTheFirstBreak_data()
    {
        QTest::addColumn<QString>("alteration");
        QTest::addColumn<QString>("found"); // kind, entry, row, column
        textRow("an entry's new text", "new", "Chain 7 3 8");
        textRow("an entry's time", "time", "Chain 7 3 8");
        textRow("an entry moved to another cell", "cell", "Chain 7 3 7");
        textRow("an entry taken out of the middle", "remove", "Missing 6 0 0");
        textRow("the log rebuilt with a forged old text", "forged", "OldText 7 3 8");
        textRow("a record no entry made", "extra", "Record 0 5 0");
        textRow("the last save's entries cut off", "truncate", "Record 6 3 8");
    }
    void verifyNamesTheFirstBreak()
    {
        QFETCH(QString, alteration);
        QFETCH(QString, found);
        // Two saves: three rows made (entries 1 to 6, none for the blanks),
        // then row 3's text changed (entry 7) and row 4 added.
        const Records first = SheetRecords::fromSheet(sheetWith({QStringLiteral("Kaffee")}));
        Records records = SheetRecords::fromSheet(sheetWith({QStringLiteral("Tee"), QStringLiteral("Milch")}));
        ChangeLog::Entries log;
        ChangeLog::append(log, ChangeLog::diff({}, first), QStringLiteral("2026-03-02T09:00:00.000+01:00"));
        const size_t firstSave = log.size();
        ChangeLog::append(log, ChangeLog::diff(first, records), QStringLiteral("2026-03-03T18:30:00.000+01:00"));
        ChangeLog::Entry &changed = log[firstSave];
        if (alteration == QStringLiteral("new"))
            changed.newText = QByteArray("Tea");
        if (alteration == QStringLiteral("time"))
            changed.time = QStringLiteral("2026-03-03T18:31:00.000+01:00");
        if (alteration == QStringLiteral("cell"))
            changed.column = 7;
        if (alteration == QStringLiteral("remove"))
            log.erase(log.begin() + 5);
        if (alteration == QStringLiteral("forged")) {
            // Whoever knows the hash can rebuild the chain, but not make the
            // old texts agree with what the entries before wrote.
            changed.oldText = QByteArray("Kakao");
            for (size_t i = firstSave; i < log.size(); ++i)
                log[i].hash = ChangeLog::entryHash(log[i - 1].hash, log[i]);
        }
        if (alteration == QStringLiteral("extra"))
            records.push_back(records[2]);
        if (alteration == QStringLiteral("truncate"))
            log.resize(firstSave);
        const std::optional<ChangeLog::Break> b = ChangeLog::verify(log, records);
        QVERIFY(b);
        const QStringView kinds[] = {u"Chain", u"Missing", u"OldText", u"Record"};
        QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(kinds[int(b->kind)]).arg(b->entry).arg(b->row).arg(b->column),
                 found);
    }

    // A new row's empty cells are stored as the blank but not logged. A log
    // from before, which logged them, verifies as well, and in either a
    // blank cell turned into text behind Barlog's back is found.
    void blankCellsOfANewRowAreNotLogged_data()
    {
        QTest::addColumn<bool>("oldStyle");
        QTest::addColumn<bool>("altered");
        QTest::addColumn<QString>("found"); // kind, entry, row, column; empty: intact
        QTest::newRow("a log written now") << false << false << QString();
        QTest::newRow("a log with the blank entries of before") << true << false << QString();
        QTest::newRow("a blank changed, log written now") << false << true << QStringLiteral("Record 0 3 5");
        QTest::newRow("a blank changed, log of before") << true << true << QStringLiteral("Record 26 3 5");
    }
    void blankCellsOfANewRowAreNotLogged()
    {
        QFETCH(bool, oldStyle);
        QFETCH(bool, altered);
        QFETCH(QString, found);
        Records records = SheetRecords::fromSheet(sheetWith({QStringLiteral("Tee"), QStringLiteral("Milch")}));
        std::vector<ChangeLog::Change> made = ChangeLog::diff({}, records);
        if (oldStyle) {
            made.clear();
            for (size_t r = 0; r < records.size(); ++r) {
                for (int c = 0; c < JournalTable::fieldCount; ++c)
                    made.push_back({static_cast<int>(r) + 1, c, std::nullopt, records[r].at(c)});
            }
        }
        ChangeLog::Entries log;
        ChangeLog::append(log, made, QStringLiteral("2026-03-02T09:00:00.000+01:00"));
        const auto blanks = std::count_if(log.begin(), log.end(), [](const ChangeLog::Entry &e) {
            return !e.oldText && e.newText == QByteArray(" ");
        });
        QCOMPARE(blanks == 0, !oldStyle);
        QCOMPARE(records[2].at(5), JournalTable::blankCell());
        if (altered)
            records[2][5] = QStringLiteral("1200");
        const std::optional<ChangeLog::Break> b = ChangeLog::verify(log, records);
        const QStringView kinds[] = {u"Chain", u"Missing", u"OldText", u"Record"};
        QCOMPARE(b ? QStringLiteral("%1 %2 %3 %4").arg(kinds[int(b->kind)]).arg(b->entry).arg(b->row).arg(b->column)
                   : QString(),
                 found);
    }

    // A month's first save logs every row as made, whether it replaces no
    // file or a file from before the log. The
    // next save appends its changes with its own time; its backup keeps the
    // previous log byte for byte, and the new log starts with it.
    void theLogSurvivesTheSafeSaveAndItsBackup_data()
    {
        QTest::addColumn<QString>("before");
        textRow("a new month", "");
        textRow("a Barlog file of version 1", "v1");
    }
    void theLogSurvivesTheSafeSaveAndItsBackup()
    {
        QFETCH(QString, before);
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("2026")));
        if (before == QStringLiteral("v1"))
            QVERIFY(writeVersion1Month(folder.file(monthFile)));
        const FlexGridStore sheet = sheetWith({QStringLiteral("Kaffee")});
        QCOMPARE(save(sheet, folder, 2), QString());
        MonthContents made;
        QVERIFY(MonthDatabase::readMonth(folder.file(monthFile), made).ok());
        QCOMPARE(made.log.size(), size_t(6)); // the texts of three rows, no blank
        QVERIFY(std::all_of(made.log.begin(), made.log.end(), [](const auto &e) { return !e.oldText; }));
        QCOMPARE(ChangeLog::replay(made.log), SheetRecords::fromSheet(sheet));

        QCOMPARE(save(sheetWith({QStringLiteral("Tee")}), folder, 3), QString());
        QCOMPARE(Sql::rows(folder.file(monthFile + QStringLiteral(".bak")), QStringLiteral("Protokoll")),
                 Sql::rows(folder.file(monthFile), QStringLiteral("Protokoll")).mid(0, 6));
        MonthContents saved;
        QVERIFY(MonthDatabase::readMonth(folder.file(monthFile), saved).ok());
        QCOMPARE(saved.log.size(), size_t(7));
        const ChangeLog::Entry &e = saved.log.back();
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5").arg(e.time).arg(e.row).arg(e.column).arg(QString::fromUtf8(*e.oldText), QString::fromUtf8(*e.newText)),
                 QStringLiteral("2026-03-03T18:30:00.000+01:00 3 8 Kaffee Tee"));
        QVERIFY(!ChangeLog::verify(saved.log, saved.records));
    }

    // A byte flipped in the file through SQLite, behind Barlog's back: the
    // month still loads as the file holds it, and one message names the break.
    void aTamperedFileLoadsWithOneMessage_data()
    {
        QTest::addColumn<QString>("flip");  // table, column, rowid and byte
        QTest::addColumn<QString>("shown"); // row 3's text after the load
        QTest::addColumn<QString>("detail");
        textRow("a record's text", "Journal Text 3 5", "Kaffed",
                "Zeile 3, Spalte Text enthält „Kaffed“, laut Eintrag Nr. 9 vom 03.03.2026 18:30:00 des "
                "Änderungsprotokolls gehört dort „Kaffee“ hin.");
        textRow("a log entry's new text", "Protokoll Neu 9 2", "Kaffee",
                "Der erste veränderte Eintrag des Änderungsprotokolls ist Nr. 9 vom 03.03.2026 18:30:00 "
                "(Zeile 3, Spalte Text).");
    }
    void aTamperedFileLoadsWithOneMessage()
    {
        QFETCH(QString, flip);
        QFETCH(QString, shown);
        QFETCH(QString, detail);
        ProgramFolder folder;
        QCOMPARE(save(sheetWith({QStringLiteral("Tee"), QStringLiteral("Milch")}), folder, 2), QString());
        QCOMPARE(save(sheetWith({QStringLiteral("Kaffee"), QStringLiteral("Milch")}), folder, 3), QString());
        const QStringList where = flip.split(u' ');
        QVERIFY(Sql::flipByte(folder.file(monthFile), where[0], where[1], where[2].toLongLong(), where[3].toInt()));

        FlexGridStore sheet = startupSheet();
        const MonthStorage::LoadResult result = MonthStorage::loadMonth(
            sheet, folder.path(), QStringLiteral("2026"), QStringLiteral("03"), modul::defaultRateTexts());
        QVERIFY(result.loaded);
        QCOMPARE(result.warning, QStringLiteral("Die Datei „2026-03.mdb“ wurde außerhalb von Barlog verändert.\r\n\r\n")
                                     + detail
                                     + QStringLiteral("\r\n\r\nDer Monat wurde trotzdem geladen. Was er jetzt zeigt, "
                                                      "ist nicht sicher das, was Barlog gespeichert hat."));
        QCOMPARE(sheet.textMatrix(3, 8), shown);
    }

    // The log window names a column as the sheet heads it, and says what an empty cell is.
    void theLogReadsAsTheSheet_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("rate"); // the first rate text of the file
        QTest::addColumn<QString>("name");
        QTest::newRow("the first income column") << 0 << QStringLiteral("19%") << QStringLiteral("Einnahmen 19 %");
        QTest::newRow("a rate written with its blank") << 0 << QStringLiteral("16 %") << QStringLiteral("Einnahmen 16 %");
        QTest::newRow("the third income column") << 2 << QStringLiteral("19%") << QStringLiteral("Einnahmen 0 %");
        QTest::newRow("expenses") << 3 << QStringLiteral("19%") << QStringLiteral("Ausgaben");
        QTest::newRow("the receipt") << 6 << QStringLiteral("19%") << QStringLiteral("Beleg-Nr");
    }
    void theLogReadsAsTheSheet()
    {
        QFETCH(int, column);
        QFETCH(QString, rate);
        QFETCH(QString, name);
        Records records(3, Record(10, QStringLiteral(" ")));
        records[1][0] = rate;
        records[1][2] = QStringLiteral("0%");
        QCOMPARE(MonthAudit::headingName(column, MonthAudit::rateTexts(records)), name);
    }

    void anEmptyCellReadsAsEmpty()
    {
        QCOMPARE(MonthAudit::shownCell(QStringLiteral(" ")), QStringLiteral("(leer)"));
        QCOMPARE(MonthAudit::shownCell(QString()), QStringLiteral("(leer)"));
        QCOMPARE(MonthAudit::shownCell(std::nullopt), QStringLiteral("—"));
        QCOMPARE(MonthAudit::shownCell(QStringLiteral("Porto")), QStringLiteral("Porto"));
    }

    // Random saves and edits: no save ever drops or alters an entry that was
    // there, and the log replayed from an empty month is the sheet saved.
    void randomSavesNeverLoseAnEntry()
    {
        ProgramFolder folder;
        QRandomGenerator random(20260315);
        FlexGridStore sheet = sheetWith({QStringLiteral("Anfang")});
        QList<QStringList> logSoFar;
        for (int n = 0; n < 40; ++n) {
            for (int i = random.bounded(6); i > 0; --i)
                randomEdit(sheet, random);
            QCOMPARE(save(sheet, folder), QString());
            const QList<QStringList> log = Sql::rows(folder.file(monthFile), QStringLiteral("Protokoll"));
            QCOMPARE(log.mid(0, logSoFar.size()), logSoFar);
            logSoFar = log;
            MonthContents file;
            QVERIFY(MonthDatabase::readMonth(folder.file(monthFile), file).ok());
            QCOMPARE(ChangeLog::replay(file.log), SheetRecords::fromSheet(sheet));
            QVERIFY(!ChangeLog::verify(file.log, file.records));
        }
    }
};

QTEST_GUILESS_MAIN(TestChangeLog)
#include "TestChangeLog.moc"
