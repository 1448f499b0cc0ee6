#pragma once

#include <QWidget>

#include <functional>

class DirList;
class DriveList;
class FileList;
class QPlainTextEdit;
class QPushButton;

// The open-file window: picks a month file anywhere on disk.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    // Loads the month file at path, its month named by the file list's
    // entry; false when it did not load.
    using OpenMonthFile = std::function<bool(const QString &path, const QString &chosenName)>;
    explicit Form2(OpenMonthFile openMonthFile);

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
    OpenMonthFile m_openMonthFile;
};
