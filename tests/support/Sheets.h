#pragma once

#include "platform/FlexGridStore.h"

#include <QList>
#include <QStringList>

// Journal sheets as lists of texts, for the tests of every area.
namespace Fixtures {

QStringList defaultRates(); // "19%", "7%", "0%"

// The journal sheet as start-up lays it out: 10 columns, the headings in
// row 0, the default rates in row 1 and "Übertrag" in row 2.
FlexGridStore startupSheet(int rows = 5);

// Sets the texts of one row from column 0; the cells after them stay.
void setRow(FlexGridStore &sheet, int row, const QStringList &texts);

// One column from top to bottom, and every row as a list.
QStringList column(const FlexGridStore &sheet, int col);
QList<QStringList> texts(const FlexGridStore &sheet);

} // namespace Fixtures
