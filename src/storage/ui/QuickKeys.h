#pragma once

#include <QString>
#include <QStringList>

#include <array>

class QComboBox;
class QPushButton;
class QWidget;

// The twelve quick-entry buttons' captions: read from Tasten.txt at
// start-up (the file is made when missing) and renamed through the list
// beside the buttons, which writes the file anew.
class QuickKeys
{
public:
    static constexpr size_t Count = 12;
    using Buttons = std::array<QPushButton *, Count>;

    QuickKeys(QWidget &window, const QString &programFolder, const Buttons &buttons, QComboBox &renameList);

    QString caption(int index) const;
    // Reads the captions and fills the rename list with them; with tell,
    // a file that cannot be read or made is named in a message.
    void load(bool tell);
    // The list's choice: which button is to be renamed, and its caption now.
    void select();
    // Asks, then gives the chosen button the list's text and saves all twelve.
    void rename();

private:
    QStringList captions() const;
    void fillRenameList();

    QWidget &m_window;
    QString m_programFolder;
    Buttons m_buttons;
    QComboBox &m_renameList;
    int m_selectedIndex = 0;
    QString m_oldCaption;
    QString m_newCaption;
};
