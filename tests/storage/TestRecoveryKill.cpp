// Typed but unsaved work survives kill -9: a child process types into the
// main window and is killed with SIGKILL, and the next start restores a
// state the sheet really had, all of it once the typing had stopped.
#include "Form1Fixture.h"
#include "editing/Modul.h"
#include "storage/RecoveryFile.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QRandomGenerator>

namespace {
const QString recoveryName = QStringLiteral("Barlog-Wiederherstellung.txt");

QByteArray digest(RecoveryFile::Snapshot snapshot)
{
    snapshot.time.clear();
    return QCryptographicHash::hash(RecoveryFile::encode(snapshot), QCryptographicHash::Sha256).toHex();
}

// The child's report lines, read as they come.
struct Typist
{
    QProcess process;
    QHash<QByteArray, int> keyOf; // digest -> the first key after which the sheet was so
    int keys = 0;
    QByteArray idle; // the digest once the typing stopped

    bool start(const QString &folder)
    {
        process.setProgram(QStringLiteral(RECOVERY_TYPING_HELPER));
        process.setArguments({folder});
        process.start();
        return process.waitForStarted(10000);
    }
    // Reads lines until the child typed `until` keys or went idle.
    bool readUntil(int until)
    {
        while (keys < until && idle.isEmpty()) {
            if (!process.canReadLine() && !process.waitForReadyRead(30000))
                return false;
            while (process.canReadLine()) {
                const QList<QByteArray> words = process.readLine().trimmed().split(' ');
                if (words.value(0) == "idle") {
                    idle = words.value(1);
                } else if (words.value(0) == "key") {
                    keys = words.value(1).toInt();
                    keyOf.insert(words.value(2), keyOf.value(words.value(2), keys));
                }
            }
        }
        return true;
    }
};

std::optional<RecoveryFile::Snapshot> recoveryFile(const ProgramFolder &folder)
{
    return RecoveryFile::decode(folder.read(recoveryName));
}

// The rows as a restored sheet shows them: recalculated.
Records recalculated(const Records &rows)
{
    FlexGridStore sheet(1, modul::ColCount, 2, 0);
    RecoveryFile::restoreInto(sheet, rows);
    modul::BestandBerechnen(sheet);
    return RecoveryFile::sheetRows(sheet);
}
} // namespace

class TestRecoveryKill : public QObject
{
    Q_OBJECT
private slots:
    void killedWhileTypingRestoresWhatWasTyped_data()
    {
        QTest::addColumn<bool>("whileTyping");
        QTest::newRow("killed between two keys") << true;
        QTest::newRow("killed after the last key, once the file caught up") << false;
    }
    void killedWhileTypingRestoresWhatWasTyped()
    {
        QFETCH(bool, whileTyping);
        ProgramFolder folder;
        Typist typist;
        QVERIFY(typist.start(folder.path()));
        // Past the first two seconds, so that a write after the first one counts too.
        const int killAt = whileTyping ? 180 + static_cast<int>(QRandomGenerator::global()->bounded(120)) : 100000;
        QVERIFY(typist.readUntil(killAt));
        if (!whileTyping) {
            QVERIFY(!typist.idle.isEmpty());
            QTRY_VERIFY_WITH_TIMEOUT(recoveryFile(folder) && digest(*recoveryFile(folder)) == typist.idle, 10000);
        }
        typist.process.kill();
        QVERIFY(typist.process.waitForFinished(10000));
        QCOMPARE(typist.process.exitStatus(), QProcess::CrashExit);
        typist.readUntil(0);

        // The file is whole and holds a state the sheet had while typing.
        const std::optional<RecoveryFile::Snapshot> saved = recoveryFile(folder);
        QVERIFY(saved);
        const QByteArray state = digest(*saved);
        QVERIFY2(typist.keyOf.contains(state) || state == typist.idle, "not a state the sheet had");
        if (whileTyping)
            qInfo("killed after key %d; the file held the sheet after key %d", typist.keys, typist.keyOf.value(state));
        QVERIFY(typist.keyOf.value(state, 1) >= 1);

        Form1Fixture f;
        f.folder.write(recoveryName, folder.read(recoveryName));
        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        f.start();
        QCOMPARE(MessageBox::takeShown().size(), 1);
        QCOMPARE(RecoveryFile::sheetRows(f.sheet()), recalculated(saved->rows));
        if (!whileTyping)
            QCOMPARE(f.sheet().textMatrix(10, 8), QStringLiteral("Bürobedarf Nr. 7"));
    }
};

QTEST_MAIN(TestRecoveryKill)
#include "TestRecoveryKill.moc"
