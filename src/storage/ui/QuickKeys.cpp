#include "storage/ui/QuickKeys.h"

#include "platform/ui/MessageBox.h"
#include "storage/QuickKeyFile.h"

#include <QComboBox>
#include <QPushButton>

QuickKeys::QuickKeys(QWidget &window, const QString &programFolder, const Buttons &buttons, QComboBox &renameList)
    : m_window(window),
      m_programFolder(programFolder),
      m_buttons(buttons),
      m_renameList(renameList)
{
}

QString QuickKeys::caption(int index) const
{
    if (index < 0 || index >= static_cast<int>(Count))
        return QString();
    return m_buttons[static_cast<size_t>(index)]->text();
}

QStringList QuickKeys::captions() const
{
    QStringList list;
    for (const QPushButton *b : m_buttons)
        list << b->text();
    return list;
}

void QuickKeys::load(bool tell)
{
    const QuickKeyFile file(m_programFolder);
    const ValueFileRead read = file.read(captions());
    for (size_t i = 0; i < Count; ++i)
        m_buttons[i]->setText(read.values[static_cast<qsizetype>(i)]);
    if (tell && !read.message.isEmpty())
        MessageBox::info(&m_window, read.message);
    // A missing file is made from the captions the buttons have now.
    if (read.state == ValueFileState::Missing) {
        const QString error = file.write(read.values);
        if (tell && !error.isEmpty())
            MessageBox::info(&m_window, error);
    }
    fillRenameList();
}

void QuickKeys::fillRenameList()
{
    // The list always mirrors the twelve buttons, however often start-up runs.
    m_renameList.clear();
    for (const QPushButton *b : m_buttons)
        m_renameList.addItem(b->text());
    m_renameList.setEditText(m_buttons[0]->text());
    m_renameList.update();
}

void QuickKeys::select()
{
    m_selectedIndex = m_renameList.currentIndex();
    m_oldCaption = m_renameList.currentText();
}

void QuickKeys::rename()
{
    m_newCaption = m_renameList.currentText();
    if (m_newCaption != m_oldCaption) {
        const QString question = QStringLiteral("Sie möchten die Taste mit der Bezeichnung '") + m_oldCaption
                                 + QStringLiteral("' umbenenen in '") + m_newCaption;
        if (MessageBox::show(&m_window, question, MessageBox::Buttons::YesNo, QStringLiteral("Schnelltsten umbenennen"))
            == MessageBox::Answer::No)
            return;
    }
    // The list has twelve entries, one per button; anything else changes nothing.
    if (m_selectedIndex < 0 || m_selectedIndex >= static_cast<int>(Count))
        return;
    m_buttons[static_cast<size_t>(m_selectedIndex)]->setText(m_newCaption);
    const QString error = QuickKeyFile(m_programFolder).write(captions());
    if (!error.isEmpty())
        MessageBox::info(&m_window, error);
}
