#pragma once

class FlexGridStore;

// Where the editor's keys and a click take the journal sheet's cursor. The
// carry-over row takes no income and no date, and a sheet whose third rate is
// unused skips the third income column. Every move goes through the grid's
// setters, so the cell that is left is committed before a later step looks
// at the row's incomes.
namespace KeyMap {

// The keys that leave the cell; an empty editor commits a blank with them.
bool leavesCell(int keyCode);

// Moves the current cell as the key with this code does, and appends a row
// where the last row gets an income (Right, Left) or is left downwards.
void moveByKey(FlexGridStore &sheet, int keyCode);

// A click on a cell that takes no entry moves on to the one that does.
void redirectClick(FlexGridStore &sheet);

} // namespace KeyMap
