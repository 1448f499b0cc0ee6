#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message of the program goes through here: German buttons, the title
// "Barlog" where a box has none, and a queue of answers that tests fill so
// that no test waits on a real dialog.
namespace MessageBox {

// YesNoDefaultNo: Return answers "Nein", for a question whose "Ja" should
// never be given by a reflex.
enum class Buttons { Ok, OkCancel, YesNo, YesNoDefaultNo };
enum class Answer { Ok, Cancel, Yes, No };

Answer show(QWidget *parent, const QString &text, Buttons buttons = Buttons::Ok, const QString &title = QString());
inline void info(QWidget *parent, const QString &text, const QString &title = QString())
{
    show(parent, text, Buttons::Ok, title);
}

struct Shown
{
    QString text;
    QString title;
    Buttons buttons;
};

// Test hooks. Once testing() is on, a box never appears: it takes the next
// queued answer, or, when the queue is empty, the answer that changes
// nothing (No, Cancel or OK).
void setTesting(bool on);
bool testing();
void queueAnswer(Answer answer);
QList<Shown> takeShown();
int queuedAnswers();

} // namespace MessageBox
