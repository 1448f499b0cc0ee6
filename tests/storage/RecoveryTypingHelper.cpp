// Types entries into the main window like a user, a key every few
// milliseconds, and is killed on the way. After every key it prints
// "key <n> <digest>", the digest of the sheet as a recovery would bring it
// back; after the last it prints "idle <digest>" and waits to be killed.
#include "editing/ui/EditorBox.h"
#include "mainwindow/ui/Form1.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "storage/RecoveryFile.h"
#include "storage/ui/CrashRecovery.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr int KeyIntervalMs = 12;
constexpr int Entries = 8;

QByteArray digest(const RecoveryFile::Snapshot &snapshot)
{
    RecoveryFile::Snapshot timeless = snapshot;
    timeless.time.clear();
    return QCryptographicHash::hash(RecoveryFile::encode(timeless), QCryptographicHash::Sha256).toHex();
}

// The keys of the entries, one step each: a click into the row's first
// cell, the amount, the date and the text, left with Enter.
std::vector<std::function<void()>> script(Form1 &form)
{
    std::vector<std::function<void()>> steps;
    auto typed = [&steps, &form](const QString &text) {
        for (const QChar ch : text) {
            steps.emplace_back([&form, ch] {
                if (ch.unicode() < 0x80)
                    QTest::keyClick(form.Text1, ch.toLatin1());
                else
                    QTest::sendKeyEvent(QTest::Click, form.Text1, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            });
        }
    };
    auto key = [&steps, &form](Qt::Key k, int times = 1) {
        for (int i = 0; i < times; ++i)
            steps.emplace_back([&form, k] { QTest::keyClick(form.Text1, k); });
    };
    for (int i = 0; i < Entries; ++i) {
        const int row = 3 + i;
        steps.emplace_back([&form, row] {
            const QRect cell = form.flex->cellRect(row, 0);
            QTest::mouseClick(form.flex->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        });
        typed(QStringLiteral("%1,50").arg(10 + i));
        key(Qt::Key_Right, 7);
        typed(QStringLiteral("0%1.03.2026").arg(i + 1));
        key(Qt::Key_Tab);
        typed(QStringLiteral("Bürobedarf Nr. %1").arg(i));
        key(Qt::Key_Enter);
    }
    return steps;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
        return 2;
    }
    MessageBox::setTesting(true);
    Form1 form(QString::fromLocal8Bit(argv[1]));
    form.Form_Load();
    form.activateWindow();
    QApplication::setActiveWindow(&form);

    const std::vector<std::function<void()>> steps = script(form);
    size_t next = 0;
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, &typist, [&] {
        if (next == steps.size()) {
            typist.stop();
            std::printf("idle %s\n", digest(form.crashRecovery().snapshot()).constData());
        } else {
            steps[next++]();
            std::printf("key %zu %s\n", next, digest(form.crashRecovery().snapshot()).constData());
        }
        std::fflush(stdout);
    });
    typist.start(KeyIntervalMs);
    return QApplication::exec();
}
