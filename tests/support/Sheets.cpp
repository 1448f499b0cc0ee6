#include "Sheets.h"

namespace Fixtures {

QStringList defaultRates()
{
    return {QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("0%")};
}

FlexGridStore startupSheet(int rows)
{
    FlexGridStore sheet(rows, 10, 2, 0);
    setRow(sheet, 0,
           {QStringLiteral("Einnahmen"), QStringLiteral("Einnahmen"), QStringLiteral("Einnahmen"),
            QStringLiteral("Ausgaben"), QStringLiteral("Bestand"), QStringLiteral("Konto"), QStringLiteral("Beleg-Nr"),
            QStringLiteral("Datum"), QStringLiteral("Text")});
    setRow(sheet, 1, defaultRates());
    sheet.setTextMatrix(2, 8, QStringLiteral("Übertrag"));
    return sheet;
}

void setRow(FlexGridStore &sheet, int row, const QStringList &texts)
{
    for (int c = 0; c < texts.size(); ++c)
        sheet.setTextMatrix(row, c, texts[c]);
}

QStringList column(const FlexGridStore &sheet, int col)
{
    QStringList cells;
    for (int r = 0; r < sheet.rows(); ++r)
        cells << sheet.textMatrix(r, col);
    return cells;
}

QList<QStringList> texts(const FlexGridStore &sheet)
{
    QList<QStringList> rows;
    for (int r = 0; r < sheet.rows(); ++r) {
        QStringList row;
        for (int c = 0; c < sheet.cols(); ++c)
            row << sheet.textMatrix(r, c);
        rows << row;
    }
    return rows;
}

} // namespace Fixtures
