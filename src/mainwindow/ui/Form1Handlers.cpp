// The main window's event handlers: each hands its event to the subsystem
// that owns the state it works on.
#include "mainwindow/ui/Form1.h"

#include "books/ui/MonthCommands.h"
#include "books/ui/MonthFiles.h"
#include "editing/KeyCodes.h"
#include "editing/ui/SheetEditor.h"
#include "printing/ui/Druckerwahl.h"
#include "printing/ui/PrintGrid.h"
#include "storage/ui/QuickKeys.h"

void Form1::Text1_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(Shift)
    // A typed text that cannot be entered keeps the cursor, whatever the key.
    if (KeyCode::leavesCell(KeyCode) && !m_editor->pendingEditAccepted())
        return;
    m_editor->keyDown(KeyCode);
}

void Form1::Text1_LostFocus()
{
    m_editor->editorLostFocus();
}

void Form1::EditorPositionieren()
{
    m_editor->positionEditor();
}

void Form1::flex_Click()
{
    m_editor->click();
}

void Form1::flex_GotFocus()
{
    m_editor->gridGotFocus();
}

void Form1::flex_LostFocus()
{
    m_editor->gridLostFocus();
}

void Form1::flex_LeaveCell()
{
    m_editor->leaveCell();
}

void Form1::flex_RowColChange()
{
    m_editor->rowColChange();
}

bool Form1::flex_KeyPress(QKeyEvent *event)
{
    return m_editor->gridKeyPress(event);
}

void Form1::Command1_Click(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(QuickKeys::Count))
        return;
    m_editor->quickEntry(m_quickKeys->caption(Index));
}

void Form1::Command2_Click()
{
    m_editor->deleteLastRow();
}

void Form1::Command3_Click()
{
    m_editor->insertRow();
}

void Form1::UndoBufferInitialisieren(const QString &Name_Undo)
{
    m_editor->takeUndoSnapshot(Name_Undo);
}

void Form1::Combo33_Click()
{
    m_quickKeys->select();
}

void Form1::Command10_Click()
{
    m_quickKeys->rename();
}

void Form1::Command7_Click()
{
    m_monthFiles->save();
}

void Form1::Command8_Click()
{
    m_monthFiles->load();
}

bool Form1::GetRowsTest(const QString &datenbank, const QString &tabelle)
{
    return m_monthFiles->loadRecords(datenbank, tabelle);
}

bool Form1::PrintGrid(FlexGrid &Grid, float LeftMargin, float TopMargin, float RightMargin, float BottomMargin,
                      const QString &Titel, const QString &Datum, short many)
{
    return ::PrintGrid(Grid, druckerwahl()->currentPrinter().printer(), LeftMargin, TopMargin, RightMargin,
                       BottomMargin, Titel, Datum, many);
}

void Form1::Abschliessen_Click()
{
    m_monthCommands->closeMonth();
}

void Form1::Storno_Click()
{
    m_monthCommands->storno();
}
