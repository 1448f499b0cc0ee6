#pragma once

#include <QList>
#include <QString>

class QWidget;

// The one way the program asks for a file to write. Like MessageBox it has
// a queue of answers: while MessageBox::testing() is on no dialog appears;
// each question takes the next queued path, or is cancelled when the queue
// is empty.
namespace FileDialog {

// The path the user chose, or an empty text when they cancelled. proposed
// is the full path offered at first; filter as Qt's file dialog takes it.
QString saveFileName(QWidget *parent, const QString &caption, const QString &proposed, const QString &filter);

struct Asked
{
    QString caption;
    QString proposed;
    QString filter;
};
void queueAnswer(const QString &path);
QList<Asked> takeAsked();

} // namespace FileDialog
