// Typed but unsaved work survives kill -9: a child process, this same program
// started with "--type", types into the main window like a user and is killed
// with SIGKILL, and the next start restores a state the sheet really had, all
// of it once the typing had stopped.
#include "Form1Fixture.h"
#include "books/RecoveryFile.h"
#include "books/ui/CrashRecovery.h"
#include "editing/Modul.h"
#include "editing/ui/EditorBox.h"

#include <cstdio>

namespace {
const QString recoveryName = QStringLiteral("Barlog-Wiederherstellung.txt");

// The sheet as a recovery brings it back, whenever it was written.
QByteArray digest(RecoveryFile::Snapshot snapshot)
{
    snapshot.time.clear();
    return QCryptographicHash::hash(RecoveryFile::encode(snapshot), QCryptographicHash::Sha256).toHex();
}

// The child: types eight entries into the main window, a key every 12 ms,
// and prints "key <digest>" after every key; after the last "idle
// <digest>", and it waits to be killed.
int typeUntilKilled(const QString &folder)
{
    MessageBox::setTesting(true);
    // The dates typed lie in the month the selectors show.
    Clock::setToday(QDate(2026, 3, 15));
    Form1 form(folder);
    form.Form_Load();
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    const auto report = [&form](const char *what) {
        std::printf("%s %s\n", what, digest(form.crashRecovery().snapshot()).constData());
        std::fflush(stdout);
    };
    const auto key = [&report, &form](auto k) {
        QTest::keyClick(form.Text1, k, Qt::NoModifier, 12);
        report("key");
    };
    for (int i = 0; i < 8; ++i) {
        QTest::mouseClick(form.flex->viewport(), Qt::LeftButton, {}, form.flex->cellRect(3 + i, 0).center(), 12);
        report("key");
        for (const QChar c : QStringLiteral("%1,50").arg(10 + i))
            key(c.toLatin1());
        for (int r = 0; r < 7; ++r)
            key(Qt::Key_Right);
        for (const QChar c : QStringLiteral("0%1.03.2026").arg(i + 1))
            key(c.toLatin1());
        key(Qt::Key_Tab);
        for (const QChar c : QStringLiteral("Buerobedarf Nr. %1").arg(i))
            key(c.toLatin1());
        key(Qt::Key_Enter);
    }
    report("idle");
    return QApplication::exec();
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
        const auto recovery = [&folder] { return RecoveryFile::decode(folder.read(recoveryName)); };
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--type"), folder.path()});
        QSet<QByteArray> states; // every state the sheet had after a key
        QByteArray idle;         // the state once the typing stopped
        int keys = 0;
        // Reads the child's report lines until it typed `until` keys, went idle or ended.
        const auto read = [&](int until) {
            while (keys < until && idle.isEmpty() && (child.canReadLine() || child.waitForReadyRead(30000))) {
                const QList<QByteArray> words =
                    child.canReadLine() ? child.readLine().trimmed().split(' ') : QList<QByteArray>();
                if (words.size() != 2)
                    continue;
                states.insert(words[1]);
                if (words[0] == "idle")
                    idle = words[1];
                else
                    ++keys;
            }
        };
        // Past the first two seconds, so that a write after the first one counts too.
        const int killAt = whileTyping ? 180 + static_cast<int>(QRandomGenerator::global()->bounded(120)) : 100000;
        read(killAt);
        QVERIFY2(keys >= killAt || !idle.isEmpty(), "the child stopped typing");
        if (!whileTyping)
            QTRY_VERIFY_WITH_TIMEOUT(recovery() && digest(*recovery()) == idle, 10000);
        child.kill();
        QVERIFY(child.waitForFinished(10000));
        read(100000);

        // The file is whole and holds a state the sheet had while typing.
        const std::optional<RecoveryFile::Snapshot> saved = recovery();
        QVERIFY(saved);
        QVERIFY2(states.contains(digest(*saved)), "not a state the sheet had");
        Form1Fixture f;
        f.folder.write(recoveryName, folder.read(recoveryName));
        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        f.start();
        QCOMPARE(f.form->Combo1->currentText(), saved->month);
        QCOMPARE(RecoveryFile::sheetRows(f.sheet()), recalculated(saved->rows));
        if (!whileTyping)
            QCOMPARE(f.sheet().textMatrix(10, 8), QStringLiteral("Buerobedarf Nr. 7"));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--type") == 0)
        return typeUntilKilled(QString::fromLocal8Bit(argv[2]));
    TestRecoveryKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestRecoveryKill.moc"
