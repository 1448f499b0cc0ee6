#include "TestSupport.h"
#include "platform/InstanceLock.h"

#include <QProcess>
#include <QtTest>

namespace {
// What became of the first Barlog when the second one starts.
enum class First { Running, Crashed, Ended, OnAnotherComputer };
constexpr int HourSeconds = 3600;
} // namespace

class TestInstanceLock : public QObject
{
    Q_OBJECT
private slots:
    void secondBarlog_data()
    {
        QTest::addColumn<First>("first");
        QTest::addColumn<InstanceLock::Result>("result");
        QTest::newRow("first one still running") << First::Running << InstanceLock::Result::HeldByOther;
        QTest::newRow("first one crashed, its lock is stale") << First::Crashed << InstanceLock::Result::Acquired;
        QTest::newRow("first one ended") << First::Ended << InstanceLock::Result::Acquired;
        // A books folder on a network share: a process number says nothing there.
        QTest::newRow("first one runs on another computer since an hour")
            << First::OnAnotherComputer << InstanceLock::Result::HeldByOther;
    }
    void secondBarlog()
    {
        QFETCH(First, first);
        QFETCH(InstanceLock::Result, result);
        ProgramFolder books;
        const QString lockFile = books.file(InstanceLock::FileName);
        QProcess holder;
        if (first == First::OnAnotherComputer) {
            books.write(InstanceLock::FileName, "4711\nbarlog\nkasse-pc\nkasse-pc-machine-id\nkasse-pc-boot-id\n");
            // Barlog stays open for hours; its lock never goes stale by age.
            QFile file(lockFile);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-HourSeconds), QFile::FileModificationTime));
        } else {
            holder.start(QStringLiteral(INSTANCE_LOCK_HOLDER), {books.path()});
            QVERIFY(holder.waitForReadyRead());
            QCOMPARE(holder.readLine(), QByteArray("locked\n"));
        }
        if (first == First::Crashed) {
            holder.kill();
            QVERIFY(holder.waitForFinished());
            QVERIFY(QFile::exists(lockFile));
        } else if (first == First::Ended) {
            holder.closeWriteChannel();
            QVERIFY(holder.waitForFinished());
            QCOMPARE(holder.exitCode(), 0);
        }

        InstanceLock second(books.path());
        QCOMPARE(second.acquire(), result);

        holder.closeWriteChannel();
        holder.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "TestInstanceLock.moc"
