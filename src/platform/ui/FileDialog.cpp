#include "platform/ui/FileDialog.h"

#include "platform/ui/MessageBox.h"

#include <QFileDialog>

namespace {
struct State
{
    QList<QString> answers;
    QList<FileDialog::Asked> asked;
};
State &state()
{
    static State s;
    return s;
}
} // namespace

QString FileDialog::saveFileName(QWidget *parent, const QString &caption, const QString &proposed,
                                 const QString &filter)
{
    State &s = state();
    s.asked.append(Asked{caption, proposed, filter});
    if (MessageBox::testing())
        return s.answers.isEmpty() ? QString() : s.answers.takeFirst();
    return QFileDialog::getSaveFileName(parent, caption, proposed, filter);
}

void FileDialog::queueAnswer(const QString &path)
{
    state().answers.append(path);
}

QList<FileDialog::Asked> FileDialog::takeAsked()
{
    return std::exchange(state().asked, {});
}
