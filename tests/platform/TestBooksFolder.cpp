#include "platform/BooksFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace {
enum class Layout { OwnFolder, PrefixBin, BinWithoutShare };
enum class Chosen { Program, UserData, None };

constexpr uid_t NobodyId = 65534;
constexpr mode_t Writable = 0777;
constexpr mode_t ReadOnly = 0555;

// Root may write into every folder, so the choice is made as a user who may not.
bool asUnprivilegedUser(const std::function<void()> &work)
{
    const bool root = geteuid() == 0;
    if (root && (setegid(NobodyId) != 0 || seteuid(NobodyId) != 0))
        return false;
    work();
    return !root || (seteuid(0) == 0 && setegid(0) == 0);
}

bool makeFolder(const QString &path, mode_t mode)
{
    return QDir().mkpath(path) && chmod(QFile::encodeName(path).constData(), mode) == 0;
}
} // namespace

class TestBooksFolder : public QObject
{
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<bool>("programWritable");
        QTest::addColumn<bool>("homeWritable");
        QTest::addColumn<Chosen>("chosen");
        QTest::newRow("writable folder of its own") << Layout::OwnFolder << true << true << Chosen::Program;
        QTest::newRow("read-only folder of its own") << Layout::OwnFolder << false << true << Chosen::UserData;
        QTest::newRow("bin of a prefix, writable as for root") << Layout::PrefixBin << true << true << Chosen::UserData;
        QTest::newRow("a bin folder without share is a folder of its own")
            << Layout::BinWithoutShare << true << true << Chosen::Program;
        QTest::newRow("nothing writable") << Layout::OwnFolder << false << false << Chosen::None;
    }
    void choice()
    {
        QFETCH(Layout, layout);
        QFETCH(bool, programWritable);
        QFETCH(bool, homeWritable);
        QFETCH(Chosen, chosen);
        QTemporaryDir base;
        QVERIFY(makeFolder(base.path(), ReadOnly | S_IWUSR));
        const QString prefix = base.filePath(QStringLiteral("usr"));
        const QString program =
            layout == Layout::OwnFolder ? base.filePath(QStringLiteral("Barlog")) : prefix + QStringLiteral("/bin");
        if (layout == Layout::PrefixBin)
            QVERIFY(makeFolder(prefix + QStringLiteral("/share"), ReadOnly));
        QVERIFY(makeFolder(program, programWritable ? Writable : ReadOnly));
        const QString home = base.filePath(QStringLiteral("home"));
        QVERIFY(makeFolder(home, homeWritable ? Writable : ReadOnly));
        const QString userData = home + QStringLiteral("/.local/share/Barlog");

        QString books;
        QVERIFY(asUnprivilegedUser([&] { books = BooksFolder::choose(program, userData); }));

        const QString expected = chosen == Chosen::Program    ? program
                                 : chosen == Chosen::UserData ? userData
                                                              : QString();
        QCOMPARE(books, expected);
        // Nothing is left in the folders the choice looked at.
        QCOMPARE(QDir(program).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(QFileInfo::exists(userData), chosen == Chosen::UserData);
    }
};

QTEST_GUILESS_MAIN(TestBooksFolder)
#include "TestBooksFolder.moc"
