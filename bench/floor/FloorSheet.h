#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class FlexGridStore;

// The floor of the editing measures: a month's cell texts in one row-major
// array, as any program must hold them, and the least work a recalculation
// can do on them: one pass that reads each amount once, carries the balance
// and the receipt number as integers, and writes a cell only when its text
// changes. It knows only the sheets the benchmarks build: display-format
// amounts and whole receipt numbers; the check against Barlog's result in
// every floor's set-up holds it to that.
class FloorSheet
{
public:
    static constexpr int Cols = 10;
    // The totals grid's amount column: three incomes, the expense, the last balance.
    static constexpr int Totals = 5;

    // A copy of the sheet's texts, made in the set-up.
    explicit FloorSheet(const FlexGridStore &sheet);

    int rows() const { return m_rows; }
    const QString &cell(int row, int col) const { return m_cells[index(row, col)]; }
    static int index(int row, int col) { return row * Cols + col; }
    void set(int row, int col, const QString &text) { m_cells[static_cast<size_t>(index(row, col))] = text; }

    // The commit of an amount typed into an amount cell; true when the cell changed.
    bool commitAmount(int row, int col, QStringView typed);
    // Balances, receipt numbers, the red marks and the totals in one pass.
    // The index of every sheet cell it rewrote goes into changed.
    void recalculate(std::vector<int> &changed);
    void recalculate()
    {
        m_scratch.clear();
        recalculate(m_scratch);
    }

    // What differs from Barlog's sheet and totals grid, one line a cell.
    QStringList differences(const FlexGridStore &sheet, const FlexGridStore &totals) const;

private:
    bool write(int row, int col, const char *text, qsizetype length);

    int m_rows = 0;
    std::vector<QString> m_cells;
    std::vector<char> m_red; // per row: the balance is below zero
    std::array<QString, Totals> m_totals;
    std::vector<int> m_scratch;
};
