#include "mainwindow/ui/Form1.h"

#include "editing/ui/EditorBox.h"
#include "editing/Modul.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "storage/QuickKeyFile.h"

#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

void Form1::connectRowButtons()
{
    for (size_t i = 0; i < Command1.size(); ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(static_cast<int>(i)); });
    connect(Command2, &QToolButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QToolButton::clicked, this, [this] { Command3_Click(); });
    connect(Combo33, &QComboBox::activated, this, [this] { Combo33_Click(); });
    connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
}

void Form1::Command1_Click(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(Command1.size()))
        return;
    FlexGridStore &g = flex->store();
    // The row being edited; before any edit that is the current entry row,
    // never a heading.
    int row = m_merkRow >= g.fixedRows() && m_merkRow < g.rows() ? m_merkRow : g.row();
    if (row < g.fixedRows())
        return;
    const int col = m_merkCol;
    const QString caption = Command1[static_cast<size_t>(Index)]->text();
    g.setTextMatrix(row, 8, caption);
    // The editor on that text cell holds the old text: it must not be
    // committed over the caption when the cursor leaves the cell.
    if (m_editorRow == row && m_editorCol == 8)
        setEditorText(caption, false);
    if (g.row() + 1 >= g.rows())
        g.setRows(g.rows() + 1);
    g.setRow(g.row() + 1);
    g.setCol(col == 8 ? 0 : col);
    g.setRow(row);
    flex_Click();
}

void Form1::Command3_Click()
{
    if (MessageBox::show(this,
                         QStringLiteral("Möchten Sie wirklich eine Zeile einfügen ?. Die Beleg-Nummern und die "
                                        "Summen werden sich ändern !."),
                         MessageBox::Buttons::OkCancel, QStringLiteral("Zeile einfügen"))
        == MessageBox::Answer::Cancel)
        return;
    FlexGridStore &g = flex->store();
    // What was typed belongs to the cell that now moves down.
    commitPendingEdit();
    g.addItem(QString(), g.row());
    editorTakesCurrentCell();
    UndoBufferInitialisieren(QStringLiteral("Zeile einfügen"));
    modul::BestandBerechnen(g, flex2->store(), m_merkRow, m_merkCol);
}

void Form1::Command2_Click()
{
    FlexGridStore &g = flex->store();
    if (g.rows() <= 4)
        return;
    g.setRows(g.rows() - 1);
    // The dropped row's pending text goes with it.
    if (m_editorRow >= g.rows())
        editorTakesCurrentCell();
}

void Form1::UndoBufferInitialisieren(const QString &Name_Undo)
{
    m_undo.take(flex->store(), Name_Undo);
}

void Form1::Combo33_Click()
{
    m_selectedIndex = static_cast<short>(Combo33->currentIndex());
    m_oldCaption = Combo33->currentText();
}

void Form1::Command10_Click()
{
    m_newCaption = Combo33->currentText();
    if (m_newCaption != m_oldCaption) {
        const QString question = QStringLiteral("Sie möchten die Taste mit der Bezeichnung '") + m_oldCaption
                                 + QStringLiteral("' umbenenen in '") + m_newCaption;
        if (MessageBox::show(this, question, MessageBox::Buttons::YesNo, QStringLiteral("Schnelltsten umbenennen"))
            == MessageBox::Answer::No)
            return;
    }
    // The list has twelve entries, one per button; anything else changes nothing.
    if (m_selectedIndex < 0 || m_selectedIndex >= static_cast<short>(Command1.size()))
        return;
    Command1[static_cast<size_t>(m_selectedIndex)]->setText(m_newCaption);
    QStringList captions;
    for (QPushButton *b : Command1)
        captions << b->text();
    const QString error = QuickKeyFile(m_programFolder).write(captions);
    if (!error.isEmpty())
        MessageBox::info(this, error);
}
