#include "platform/ui/MessageBox.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace {
struct State
{
    bool testing = false;
    QList<MessageBox::Answer> answers;
    QList<MessageBox::Shown> shown;
};
State &state()
{
    static State s;
    return s;
}

MessageBox::Answer escapeAnswer(MessageBox::Buttons buttons)
{
    switch (buttons) {
    case MessageBox::Buttons::YesNo:
    case MessageBox::Buttons::YesNoDefaultNo:
        return MessageBox::Answer::No;
    case MessageBox::Buttons::OkCancel:
        return MessageBox::Answer::Cancel;
    case MessageBox::Buttons::Ok:
        break;
    }
    return MessageBox::Answer::Ok;
}
} // namespace

MessageBox::Answer MessageBox::show(QWidget *parent, const QString &text, Buttons buttons, const QString &title)
{
    const QString caption = title.isEmpty() ? QStringLiteral("Barlog") : title;
    State &s = state();
    s.shown.append(Shown{text, caption, buttons});
    if (s.testing)
        return s.answers.isEmpty() ? escapeAnswer(buttons) : s.answers.takeFirst();

    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    const bool question = buttons == Buttons::YesNo || buttons == Buttons::YesNoDefaultNo;
    box.setIcon(question ? QMessageBox::Question : QMessageBox::NoIcon);
    QPushButton *yes = nullptr;
    QPushButton *no = nullptr;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoDefaultNo:
        yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
        box.setDefaultButton(buttons == Buttons::YesNo ? yes : no);
        box.setEscapeButton(no);
        break;
    case Buttons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(cancel);
        break;
    case Buttons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
        break;
    }
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    if (clicked != nullptr && clicked == yes)
        return Answer::Yes;
    if (clicked != nullptr && clicked == ok)
        return Answer::Ok;
    if (clicked != nullptr && clicked == cancel)
        return Answer::Cancel;
    if (clicked != nullptr && clicked == no)
        return Answer::No;
    return escapeAnswer(buttons);
}

void MessageBox::setTesting(bool on)
{
    state().testing = on;
}

bool MessageBox::testing()
{
    return state().testing;
}

void MessageBox::queueAnswer(Answer answer)
{
    state().answers.append(answer);
}

QList<MessageBox::Shown> MessageBox::takeShown()
{
    QList<Shown> shown;
    shown.swap(state().shown);
    return shown;
}

int MessageBox::queuedAnswers()
{
    return static_cast<int>(state().answers.size());
}
