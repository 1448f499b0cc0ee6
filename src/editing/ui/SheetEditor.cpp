#include "editing/ui/SheetEditor.h"

#include "editing/CellEntry.h"
#include "editing/KeyCodes.h"
#include "editing/KeyMap.h"
#include "editing/Modul.h"
#include "editing/Storno.h"
#include "editing/ui/EditorBox.h"
#include "platform/ui/Design.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <algorithm>

using namespace modul;

namespace {
// The carry-over row, the first entry row and the new-entry row.
constexpr int MinimumRows = FirstEntryRow + 1;
// A line edit's own limit, for columns without a field length.
constexpr int MaxEditorLength = 32767;
} // namespace

SheetEditor::SheetEditor(QWidget &window, FlexGrid &sheet, FlexGrid &totals, EditorBox &editor)
    : m_window(window),
      m_sheet(sheet),
      m_totals(totals),
      m_editor(editor)
{
}

void SheetEditor::recalculate()
{
    BestandUndSummenBerechnen(m_sheet.store(), m_totals.store());
}

void SheetEditor::setEditorText(const QString &text, bool follows)
{
    const FlexGridStore &g = m_sheet.store();
    // A longer text already in the cell is shown whole, never cut.
    const int field = g.col() >= 0 && g.col() < modul::ColCount ? m_cellLengths[static_cast<size_t>(g.col())] : 0;
    // Setting the length sets the text anew, which lays it out again.
    if (const int length = field > 0 ? std::max(field, static_cast<int>(text.size())) : MaxEditorLength;
        length != m_editor.maxLength())
        m_editor.setMaxLength(length);
    m_editor.setText(text);
    m_editorRow = g.row();
    m_editorCol = g.col();
    m_editorFollows = follows;
}

void SheetEditor::editorTakesCurrentCell()
{
    setEditorText(m_sheet.store().text(), false);
}

bool SheetEditor::editorOwnsCurrentCell() const
{
    const FlexGridStore &g = m_sheet.store();
    return m_editorFollows && m_editorRow == g.row() && m_editorCol == g.col();
}

std::optional<SheetEditor::PendingEdit> SheetEditor::pendingEdit() const
{
    if (cellHandlersIdle() || m_editor.text().isEmpty() || !editorOwnsCurrentCell())
        return std::nullopt;
    const FlexGridStore &g = m_sheet.store();
    // Dates belong to the month the selectors save to.
    const CellEntry entry =
        enterCell(g.col(), m_editor.text(), g.text(), selectedMonth ? selectedMonth() : std::nullopt);
    return PendingEdit{g.row(), g.col(), entry.text, entry.problem};
}

void SheetEditor::commitPendingEdit()
{
    if (const std::optional<PendingEdit> pending = pendingEdit(); pending && pending->problem.isEmpty())
        m_sheet.store().setText(pending->text);
}

bool SheetEditor::pendingEditAccepted()
{
    const std::optional<PendingEdit> pending = pendingEdit();
    if (!pending || pending->problem.isEmpty())
        return true;
    MessageBox::info(&m_window, pending->problem);
    // The message took the focus, and with it the editor box; both come back.
    if (m_sheet.store().row() == pending->row && m_sheet.store().col() == pending->col)
        showEditor();
    return false;
}

void SheetEditor::notifyChanged()
{
    if (changed)
        changed();
}

bool SheetEditor::settleForReading()
{
    if (!pendingEditAccepted())
        return false;
    commitPendingEdit();
    keepNewEntryRow(m_sheet.store());
    recalculate();
    editorTakesCurrentCell();
    return true;
}

void SheetEditor::positionEditor()
{
    const FlexGridStore &g = m_sheet.store();
    setEditorText(g.text(), true);
    // A font change restyles the box; most moves keep the font.
    if (m_editor.font().family() != g.fontName()
        || Design::fontPoints(&m_editor) != static_cast<double>(g.fontSize())) {
        QFont font = m_editor.font();
        font.setFamily(g.fontName());
        m_editor.setFont(font);
        Design::setFontPoints(&m_editor, static_cast<double>(g.fontSize()));
    }
    const QRect grid = Design::twips(&m_sheet);
    const int cellLeft = m_sheet.cellLeft();
    const int cellWidth = m_sheet.cellWidth();
    const int width = grid.width() < cellLeft + cellWidth ? grid.width() - cellLeft : cellWidth;
    const QRect place(grid.left() + cellLeft, grid.top() + m_sheet.cellTop(), width, m_sheet.cellHeight());
    // A box that stays where it is is not laid out again.
    if (Design::twips(&m_editor) != place)
        Design::setTwips(&m_editor, place);
}

void SheetEditor::showEditor()
{
    m_editor.setVisible(true);
    if (!m_editor.hasFocus()) {
        m_editor.setFocus();
        m_editor.setCursorPosition(static_cast<int>(m_editor.text().size()));
    }
}

void SheetEditor::rowColChange()
{
    if (cellHandlersIdle())
        return;
    const FlexGridStore &g = m_sheet.store();
    m_merkRow = g.row();
    m_merkCol = g.col();
    if (m_rowColRunning)
        return;
    m_rowColRunning = true;
    if (g.col() != m_lastCol || g.row() != m_lastRow) {
        m_lastRow = g.row();
        m_lastCol = g.col();
        positionEditor();
        showEditor();
    }
    if (m_editor.isVisible())
        showEditor();
    m_rowColRunning = false;
}

void SheetEditor::leaveCell()
{
    if (cellHandlersIdle() || m_editor.text().isEmpty())
        return;
    commitPendingEdit();
    m_merkRow = m_sheet.store().row();
    m_merkCol = m_sheet.store().col();
}

void SheetEditor::click()
{
    KeyMap::redirectClick(m_sheet.store());
    positionEditor();
    showEditor();
    recalculate();
}

void SheetEditor::gridGotFocus()
{
    rowColChange();
}

void SheetEditor::gridLostFocus()
{
    recalculate();
}

bool SheetEditor::gridKeyPress(QKeyEvent *event)
{
    // A key on the grid itself opens the editor on the current cell and goes
    // on there, so the keyboard alone reaches every cell.
    if (cellHandlersIdle() || (event->text().isEmpty() && KeyCode::fromQtKey(event->key()) == KeyCode::Other))
        return false;
    if (m_sheet.store().row() < m_sheet.store().fixedRows())
        return false;
    click();
    if (m_editor.isVisible()) {
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
        QCoreApplication::sendEvent(&m_editor, &copy);
    }
    return true;
}

void SheetEditor::keyDown(int keyCode)
{
    // A key that leaves the cell commits a blank where the editor is empty,
    // which is how Delete empties a cell. Typed characters get no blank.
    if (KeyMap::leavesCell(keyCode) && m_editor.text().isEmpty())
        m_editor.setText(QStringLiteral(" "));
    if (keyCode == KeyCode::Delete) {
        m_editor.setText(QString());
        m_editorFollows = true;
    }
    KeyMap::moveByKey(m_sheet.store(), keyCode);
    // Every key ends with one recalculation; the moving keys' own one before
    // it would give the same cells, since nothing in between reads them back.
    rowColChange();
    recalculate();
    notifyChanged();
}

void SheetEditor::editorLostFocus()
{
    m_editor.setVisible(false);
    rowColChange();
}

void SheetEditor::quickEntry(const QString &caption)
{
    // The caption goes into the row being typed, which the cursor then leaves.
    if (!pendingEditAccepted())
        return;
    FlexGridStore &g = m_sheet.store();
    // The row being edited; before any edit that is the current entry row,
    // never a heading.
    const int row = m_merkRow >= g.fixedRows() && m_merkRow < g.rows() ? m_merkRow : g.row();
    if (row < g.fixedRows())
        return;
    const int col = m_merkCol;
    g.setTextMatrix(row, ColText, caption);
    // The editor on that text cell holds the old text: it must not be
    // committed over the caption when the cursor leaves the cell.
    if (m_editorRow == row && m_editorCol == ColText)
        setEditorText(caption, false);
    if (g.row() + 1 >= g.rows())
        g.setRows(g.rows() + 1);
    g.setRow(g.row() + 1);
    g.setCol(col == ColText ? ColEinnahmen1 : col);
    g.setRow(row);
    click();
    notifyChanged();
}

bool SheetEditor::appendEntry(const QStringList &cells)
{
    FlexGridStore &g = m_sheet.store();
    // What was typed stays where it was typed.
    if (!pendingEditAccepted())
        return false;
    commitPendingEdit();
    const int row = modul::appendEntry(g, cells);
    g.setRowCol(row, ColEinnahmen1);
    positionEditor();
    showEditor();
    recalculate();
    notifyChanged();
    return true;
}

void SheetEditor::insertRow()
{
    // The row moves down with what is typed in it, which must be taken first.
    if (!pendingEditAccepted())
        return;
    if (MessageBox::show(&m_window,
                         QStringLiteral("Möchten Sie wirklich eine Zeile einfügen ?. Die Beleg-Nummern und die "
                                        "Summen werden sich ändern !."),
                         MessageBox::Buttons::OkCancel, QStringLiteral("Zeile einfügen"))
        == MessageBox::Answer::Cancel)
        return;
    FlexGridStore &g = m_sheet.store();
    // What was typed belongs to the cell that now moves down.
    commitPendingEdit();
    g.addItem(QString(), g.row());
    editorTakesCurrentCell();
    takeUndoSnapshot(QStringLiteral("Zeile einfügen"));
    recalculate();
    notifyChanged();
}

void SheetEditor::deleteLastRow()
{
    FlexGridStore &g = m_sheet.store();
    if (g.rows() <= MinimumRows)
        return;
    g.setRows(g.rows() - 1);
    // The dropped row's pending text goes with it.
    if (m_editorRow >= g.rows())
        editorTakesCurrentCell();
    notifyChanged();
}

void SheetEditor::takeUndoSnapshot(const QString &name)
{
    m_undo.take(m_sheet.store(), name);
}
