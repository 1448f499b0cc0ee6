#include "mainwindow/ui/Form1.h"

#include "dialogs/ui/Design.h"
#include "editing/ui/EditorBox.h"
#include "editing/KeyCodes.h"
#include "editing/Modul.h"
#include "platform/ui/FlexGrid.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {
bool isCarryOverStop(int col)
{
    return col == 0 || col == 1 || col == 2 || col == 7;
}

bool anyIncome(const FlexGridStore &g, int row)
{
    return !g.textMatrix(row, 0).isEmpty() || !g.textMatrix(row, 1).isEmpty() || !g.textMatrix(row, 2).isEmpty();
}
} // namespace

void Form1::connectEditing()
{
    FlexGridStore &g = flex->store();
    g.leaveCell = [this] { flex_LeaveCell(); };
    g.rowColChange = [this] { flex_RowColChange(); };
    flex->click = [this] { flex_Click(); };
    flex->gotFocus = [this] { flex_GotFocus(); };
    flex->lostFocus = [this] { flex_LostFocus(); };
    flex->keyPress = [this](QKeyEvent *event) { return flex_KeyPress(event); };
    Text1->keyDown = [this](int code) { Text1_KeyDown(code, 0); };
    Text1->lostFocus = [this] { Text1_LostFocus(); };
    // Only the user's own typing binds the editor's text to its cell anew.
    connect(Text1, &QLineEdit::textEdited, this, [this] { m_editorFollows = true; });
}

void Form1::recalculate()
{
    modul::BestandBerechnen(flex->store(), flex2->store(), m_merkRow, m_merkCol);
    modul::SummenBerechnen(flex->store(), flex2->store());
}

void Form1::setEditorText(const QString &text, bool follows)
{
    const FlexGridStore &g = flex->store();
    Text1->setText(text);
    m_editorRow = g.row();
    m_editorCol = g.col();
    m_editorFollows = follows;
}

void Form1::editorTakesCurrentCell()
{
    setEditorText(flex->store().text(), false);
}

bool Form1::editorOwnsCurrentCell() const
{
    const FlexGridStore &g = flex->store();
    return m_editorFollows && m_editorRow == g.row() && m_editorCol == g.col();
}

void Form1::commitPendingEdit()
{
    if (su == 1 || Text1->text().isEmpty() || !editorOwnsCurrentCell())
        return;
    FlexGridStore &g = flex->store();
    if (g.col() <= 4)
        g.setText(modul::commitAmount(Text1->text(), g.text()));
    else
        g.setText(Text1->text());
}

void Form1::EditorPositionieren()
{
    const FlexGridStore &g = flex->store();
    setEditorText(g.text(), true);
    // A font change restyles the box; most moves keep the font.
    if (Text1->font().family() != g.fontName() || Design::fontPoints(Text1) != static_cast<double>(g.fontSize())) {
        QFont font = Text1->font();
        font.setFamily(g.fontName());
        Text1->setFont(font);
        Design::setFontPoints(Text1, static_cast<double>(g.fontSize()));
    }
    const QRect grid = Design::twips(flex);
    const int cellLeft = flex->cellLeft();
    const int cellWidth = flex->cellWidth();
    const int width = grid.width() < cellLeft + cellWidth ? grid.width() - cellLeft : cellWidth;
    Design::setTwips(Text1, QRect(grid.left() + cellLeft, grid.top() + flex->cellTop(), width, flex->cellHeight()));
}

void Form1::showEditor()
{
    Text1->setVisible(true);
    if (!Text1->hasFocus()) {
        Text1->setFocus();
        Text1->setCursorPosition(static_cast<int>(Text1->text().size()));
    }
}

void Form1::flex_RowColChange()
{
    if (su == 1)
        return;
    FlexGridStore &g = flex->store();
    m_merkRow = static_cast<short>(g.row());
    m_merkCol = static_cast<short>(g.col());
    if (m_rowColRunning)
        return;
    m_rowColRunning = true;
    if (g.col() != m_lastCol || g.row() != m_lastRow) {
        m_lastRow = static_cast<short>(g.row());
        m_lastCol = static_cast<short>(g.col());
        EditorPositionieren();
        showEditor();
    }
    if (Text1->isVisible())
        showEditor();
    m_rowColRunning = false;
}

void Form1::flex_LeaveCell()
{
    if (su == 1 || Text1->text().isEmpty())
        return;
    commitPendingEdit();
    m_merkRow = static_cast<short>(flex->store().row());
    m_merkCol = static_cast<short>(flex->store().col());
}

void Form1::flex_Click()
{
    FlexGridStore &g = flex->store();
    if (g.row() == 2 && isCarryOverStop(g.col()))
        g.setRow(3);
    if (g.textMatrix(1, 2).isEmpty() && g.col() == 2)
        g.setCol(3);
    EditorPositionieren();
    showEditor();
    modul::BestandBerechnen(g, flex2->store(), m_merkRow, m_merkCol);
}

void Form1::flex_GotFocus()
{
    flex_RowColChange();
}

void Form1::flex_LostFocus()
{
    modul::BestandBerechnen(flex->store(), flex2->store(), m_merkRow, m_merkCol);
}

bool Form1::flex_KeyPress(QKeyEvent *event)
{
    // A key on the grid itself opens the editor on the current cell and goes
    // on there, so the keyboard alone reaches every cell.
    if (su == 1 || (event->text().isEmpty() && KeyCode::fromQtKey(event->key()) == KeyCode::Other))
        return false;
    FlexGridStore &g = flex->store();
    if (g.row() < g.fixedRows())
        return false;
    flex_Click();
    if (Text1->isVisible()) {
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
        QCoreApplication::sendEvent(Text1, &copy);
    }
    return true;
}

void Form1::Text1_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(Shift)
    FlexGridStore &g = flex->store();
    // A key that leaves the cell commits a blank where the editor is empty,
    // which is how Delete empties a cell. Typed characters get no blank.
    const bool moves = KeyCode == KeyCode::Right || KeyCode == KeyCode::Up || KeyCode == KeyCode::Down
                       || KeyCode == KeyCode::Enter || KeyCode == KeyCode::Left;
    if (moves && Text1->text().isEmpty())
        Text1->setText(QStringLiteral(" "));
    switch (KeyCode) {
    case KeyCode::Delete:
        Text1->setText(QString());
        m_editorFollows = true;
        break;
    case KeyCode::Right:
        if (g.textMatrix(1, 2).isEmpty() && g.col() == 1)
            g.setCol(2);
        if (g.col() + 1 < g.cols() && g.row() < g.rows())
            g.setCol(g.col() + 1);
        if (anyIncome(g, g.row()) && g.row() == g.rows() - 1)
            g.setRows(g.rows() + 1);
        if (g.col() == 7 && g.row() == 2)
            g.setRow(3);
        break;
    case KeyCode::Up:
        if (g.row() - 1 > 1)
            g.setRow(g.row() - 1);
        if (g.row() == 2 && isCarryOverStop(g.col()))
            g.setRow(3);
        break;
    case KeyCode::Down:
    case KeyCode::Enter:
        if (g.row() == g.rows() - 1)
            g.setRows(g.rows() + 1);
        if (g.row() + 1 < g.rows())
            g.setRow(g.row() + 1);
        break;
    case KeyCode::Left:
        if (g.textMatrix(1, 2).isEmpty() && g.col() == 3)
            g.setCol(0);
        if (g.col() - 1 != -1)
            g.setCol(g.col() - 1);
        if (g.row() == 2 && g.col() <= 2)
            g.setRow(3);
        if (anyIncome(g, g.row()) && g.row() == g.rows() - 1)
            g.setRows(g.rows() + 1);
        break;
    default:
        break;
    }
    // Every key ends with one recalculation; the moving keys' own one before
    // it would give the same cells, since nothing in between reads them back.
    flex_RowColChange();
    recalculate();
}

void Form1::Text1_LostFocus()
{
    Text1->setVisible(false);
    flex_RowColChange();
}
