// Saves a 3,000-row month in a child process, this same program started with
// "--save", and kills it at moments spread over the whole save.
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "storage/MonthDatabase.h"
#include "storage/MonthFileWriter.h"
#include "storage/SheetRecords.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <cstdio>

using namespace Fixtures;

namespace {
constexpr int trials = 40;

// Version 0 has its amounts in the first column, version 1 in the expense column.
Records monthVersion(int version)
{
    FlexGridStore sheet = startupSheet(3002);
    for (int r = 3; r < sheet.rows() - 1; ++r) {
        sheet.setTextMatrix(r, version == 0 ? 0 : 3, QStringLiteral("%1,0%2").arg(r).arg(version));
        sheet.setTextMatrix(r, 8, QStringLiteral("Fassung %1, Zeile %2, Bürobedarf").arg(version).arg(r));
    }
    return SheetRecords::fromSheet(sheet);
}

// The child: says "ready" once its month is built, then saves it.
int saveInChild(const char *path, const char *version)
{
    const Records records = monthVersion(QByteArray(version).toInt());
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    MonthContents month;
    month.records = records;
    return MonthFileWriter::write(QFile::decodeName(path), month).isEmpty() ? 0 : 1;
}

bool startSave(QProcess &process, const QString &path, int version)
{
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save"), path, QString::number(version)});
    if (!process.waitForStarted(10000))
        return false;
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(20000))
            return false;
    }
    return process.readLine() == "ready\n";
}

// How long a whole save takes, from "ready" to its end; -1 if it failed.
qint64 saveToTheEnd(const QString &path, int version)
{
    QProcess process;
    if (!startSave(process, path, version))
        return -1;
    QElapsedTimer timer;
    timer.start();
    const bool saved = process.waitForFinished(60000) && process.exitCode() == 0;
    return saved ? timer.nsecsElapsed() : -1;
}
} // namespace

class TestSaveKill : public QObject
{
    Q_OBJECT
private slots:
    // Killed at any moment, a save leaves the complete old month or the
    // complete new one. Which of the two a kill meets depends on the
    // machine's timing, so either is right, in any mix.
    void killedSaveLeavesTheOldOrTheNewMonth()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("2021")));
        const QString name = QStringLiteral("2021/2021-03.mdb");
        const QString path = folder.file(name);
        qint64 longest = 0;
        for (int version : {1, 0}) {
            const qint64 nanoseconds = saveToTheEnd(path, version);
            QVERIFY(nanoseconds >= 0);
            longest = std::max(longest, nanoseconds);
        }
        const QList<QStringList> versions[] = {asList(monthVersion(0)), asList(monthVersion(1))};
        int current = 0;
        QByteArray currentBytes = folder.read(name);
        int keptOld = 0;
        for (int trial = 0; trial < trials; ++trial) {
            const int next = 1 - current;
            QProcess process;
            QVERIFY(startSave(process, path, next));
            // The kill moment, somewhere in the save or a little after it.
            const double share = (trial + QRandomGenerator::global()->generateDouble()) / trials;
            QThread::usleep(static_cast<unsigned long>(share * 1.2 * static_cast<double>(longest) / 1000.0));
            process.kill();
            QVERIFY(process.waitForFinished(20000));

            const QByteArray bytes = folder.read(name);
            if (bytes == currentBytes) {
                ++keptOld;
                continue;
            }
            const QString context = QStringLiteral("trial %1: ").arg(trial);
            Records records;
            const DbStatus status = MonthDatabase::readRecords(path, QStringLiteral("Journal"), records);
            QVERIFY2(status.ok(), qPrintable(context + status.report()));
            QVERIFY2(asList(records) == versions[next], qPrintable(context));
            QCOMPARE(Sql::query(path, QStringLiteral("PRAGMA integrity_check")),
                     QList<QStringList>{{QStringLiteral("ok")}});
            QCOMPARE(folder.read(name + QStringLiteral(".bak")), currentBytes);
            currentBytes = bytes;
            current = next;
        }
        qInfo("%d kills kept the old month, %d came after the new one was in place", keptOld, trials - keptOld);
        // The next save that completes clears what the killed ones left behind.
        QVERIFY(saveToTheEnd(path, 0) >= 0);
        QCOMPARE(folderEntries(folder.file(QStringLiteral("2021"))),
                 (QStringList{QStringLiteral("2021-03.mdb"), QStringLiteral("2021-03.mdb.bak")}));
    }
};

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--save") == 0)
        return saveInChild(argv[2], argv[3]);
    QCoreApplication app(argc, argv);
    TestSaveKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestSaveKill.moc"
