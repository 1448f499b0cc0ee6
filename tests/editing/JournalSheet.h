#pragma once

#include "platform/FlexGridStore.h"

#include <QStringList>

// A journal sheet as the main window lays it out: 10 columns, the headings
// in row 0, the rate texts and the month label in row 1, and the totals
// grid beside it.
FlexGridStore journalSheet(int rows);
FlexGridStore totalsGrid();

// Sets the cells of one row from the left; missing cells stay as they are.
void fillRow(FlexGridStore &sheet, int row, const QStringList &texts);
// One column of the sheet from top to bottom.
QStringList column(const FlexGridStore &sheet, int col);
