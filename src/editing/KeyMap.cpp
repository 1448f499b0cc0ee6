#include "editing/KeyMap.h"

#include "editing/KeyCodes.h"
#include "editing/SheetLayout.h"
#include "platform/FlexGridStore.h"

using namespace modul;

namespace {
// Cells of the carry-over row that take no entry: the incomes and the date.
bool isCarryOverStop(int col)
{
    return col == ColEinnahmen1 || col == ColEinnahmen2 || col == ColEinnahmen3 || col == ColDatum;
}

bool anyIncome(const FlexGridStore &g, int row)
{
    return !g.textMatrix(row, ColEinnahmen1).isEmpty() || !g.textMatrix(row, ColEinnahmen2).isEmpty()
           || !g.textMatrix(row, ColEinnahmen3).isEmpty();
}

// A sheet whose third rate has no text skips the third income column.
bool thirdRateUnused(const FlexGridStore &g)
{
    return g.textMatrix(RowRates, ColEinnahmen3).isEmpty();
}
} // namespace

bool KeyMap::leavesCell(int keyCode)
{
    return keyCode == KeyCode::Right || keyCode == KeyCode::Up || keyCode == KeyCode::Down || keyCode == KeyCode::Enter
           || keyCode == KeyCode::Left;
}

void KeyMap::moveByKey(FlexGridStore &g, int keyCode)
{
    switch (keyCode) {
    case KeyCode::Right:
        if (thirdRateUnused(g) && g.col() == ColEinnahmen2)
            g.setCol(ColEinnahmen3);
        if (g.col() + 1 < g.cols() && g.row() < g.rows())
            g.setCol(g.col() + 1);
        if (anyIncome(g, g.row()) && g.row() == g.rows() - 1)
            g.setRows(g.rows() + 1);
        if (g.col() == ColDatum && g.row() == RowUebertrag)
            g.setRow(FirstEntryRow);
        break;
    case KeyCode::Up:
        if (g.row() - 1 > RowRates)
            g.setRow(g.row() - 1);
        if (g.row() == RowUebertrag && isCarryOverStop(g.col()))
            g.setRow(FirstEntryRow);
        break;
    case KeyCode::Down:
    case KeyCode::Enter:
        if (g.row() == g.rows() - 1)
            g.setRows(g.rows() + 1);
        if (g.row() + 1 < g.rows())
            g.setRow(g.row() + 1);
        break;
    case KeyCode::Left:
        if (thirdRateUnused(g) && g.col() == ColAusgaben)
            g.setCol(ColEinnahmen1);
        if (g.col() - 1 != -1)
            g.setCol(g.col() - 1);
        if (g.row() == RowUebertrag && g.col() <= ColEinnahmen3)
            g.setRow(FirstEntryRow);
        if (anyIncome(g, g.row()) && g.row() == g.rows() - 1)
            g.setRows(g.rows() + 1);
        break;
    default:
        break;
    }
}

void KeyMap::redirectClick(FlexGridStore &g)
{
    if (g.row() == RowUebertrag && isCarryOverStop(g.col()))
        g.setRow(FirstEntryRow);
    if (thirdRateUnused(g) && g.col() == ColEinnahmen3)
        g.setCol(ColAusgaben);
}
