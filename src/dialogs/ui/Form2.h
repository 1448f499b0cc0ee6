#pragma once

#include <QWidget>

class DirList;
class DriveList;
class FileList;
class Form1;
class QPlainTextEdit;
class QPushButton;

// The open-file window: picks a month file anywhere on disk.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    explicit Form2(Form1 *main);

    DriveList *Drive1 = nullptr;
    DirList *Dir1 = nullptr;
    FileList *File1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPlainTextEdit *Text1 = nullptr;

    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Command1_Click();
    void Command2_Click();

private:
    Form1 *m_main;
};
