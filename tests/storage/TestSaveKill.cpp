#include "KillTestSheet.h"
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "storage/MonthDatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

#include <algorithm>

namespace {
constexpr int trials = 60;

struct Run
{
    bool started = false;
    qint64 nanoseconds = 0; // from "ready" to the end of the save
};

// Starts the helper and waits until its month is built and the save begins.
bool startSave(QProcess &process, const QString &path, int version)
{
    process.start(QStringLiteral(KILL_SAVE_HELPER), {path, QString::number(version)});
    if (!process.waitForStarted(10000))
        return false;
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(20000))
            return false;
    }
    return process.readLine() == "ready\n";
}

Run saveToTheEnd(const QString &path, int version)
{
    QProcess process;
    Run run;
    run.started = startSave(process, path, version);
    QElapsedTimer timer;
    timer.start();
    run.started = run.started && process.waitForFinished(60000) && process.exitCode() == 0;
    run.nanoseconds = timer.nsecsElapsed();
    return run;
}
} // namespace

class TestSaveKill : public QObject
{
    Q_OBJECT
private slots:
    // Killed at any moment, a save leaves the complete old month or the complete new one.
    void killedSaveLeavesTheOldOrTheNewMonth()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("2021")));
        const QString path = folder.file(QStringLiteral("2021/2021-03.mdb"));
        const QList<QStringList> versions[2] = {Fixtures::asList(KillTestSheet::records(0)),
                                                Fixtures::asList(KillTestSheet::records(1))};

        qint64 longest = 0;
        for (int i = 0; i < 3; ++i) {
            const Run run = saveToTheEnd(path, i % 2);
            QVERIFY(run.started);
            longest = std::max(longest, run.nanoseconds);
        }
        int current = 0; // the third save wrote version 0
        QByteArray currentBytes = folder.read(QStringLiteral("2021/2021-03.mdb"));

        int keptOld = 0;
        int gotNew = 0;
        for (int trial = 0; trial < trials; ++trial) {
            const int next = 1 - current;
            QProcess process;
            QVERIFY(startSave(process, path, next));
            // Spread the kills evenly over the whole save and a little past it.
            const double share = (trial + QRandomGenerator::global()->generateDouble()) / trials;
            QThread::usleep(static_cast<unsigned long>(share * 1.2 * static_cast<double>(longest) / 1000.0));
            process.kill();
            QVERIFY(process.waitForFinished(20000));

            const QByteArray bytes = folder.read(QStringLiteral("2021/2021-03.mdb"));
            if (bytes == currentBytes) {
                ++keptOld;
                continue;
            }
            Records records;
            const DbStatus status = MonthDatabase::readRecords(path, QStringLiteral("Journal"), records);
            QVERIFY2(status.ok(), qPrintable(QStringLiteral("trial %1: %2").arg(trial).arg(status.report())));
            QVERIFY2(Fixtures::asList(records) == versions[next], qPrintable(QStringLiteral("trial %1").arg(trial)));
            QCOMPARE(Fixtures::Sql::rows(path, QStringLiteral("pragma_integrity_check")),
                     QList<QStringList>{{QStringLiteral("ok")}});
            QCOMPARE(folder.read(QStringLiteral("2021/2021-03.mdb.bak")), currentBytes);
            currentBytes = bytes;
            current = next;
            ++gotNew;
        }
        const QStringList months = QDir(folder.file(QStringLiteral("2021"))).entryList({QStringLiteral("*.mdb")});
        QCOMPARE(months, QStringList{QStringLiteral("2021-03.mdb")});
        // The next save that completes clears what the killed ones left behind.
        QVERIFY(saveToTheEnd(path, 0).started);
        QCOMPARE(Fixtures::folderEntries(folder.file(QStringLiteral("2021"))),
                 (QStringList{QStringLiteral("2021-03.mdb"), QStringLiteral("2021-03.mdb.bak")}));
        qInfo("%d kills kept the old month, %d came after the new one was in place", keptOld, gotNew);
        // Both outcomes must occur, or the kills missed the save altogether.
        QVERIFY(keptOld > 0);
        QVERIFY(gotNew > 0);
    }
};

QTEST_GUILESS_MAIN(TestSaveKill)
#include "TestSaveKill.moc"
