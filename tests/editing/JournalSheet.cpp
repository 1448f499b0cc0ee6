#include "JournalSheet.h"

FlexGridStore journalSheet(int rows)
{
    FlexGridStore sheet(rows, 10, 2, 0);
    fillRow(sheet, 0,
            {QStringLiteral("Einnahmen"), QStringLiteral("Einnahmen"), QStringLiteral("Einnahmen"),
             QStringLiteral("Ausgaben"), QStringLiteral("Bestand"), QStringLiteral("Konto"), QStringLiteral("Beleg-Nr"),
             QStringLiteral("Datum"), QStringLiteral("Text")});
    fillRow(sheet, 1, {QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("0%")});
    fillRow(sheet, 2,
            {QString(), QString(), QString(), QString(), QString(), QString(), QString(), QString(),
             QStringLiteral("Übertrag")});
    return sheet;
}

FlexGridStore totalsGrid()
{
    return FlexGridStore(6, 3, 1, 1);
}

void fillRow(FlexGridStore &sheet, int row, const QStringList &texts)
{
    for (int c = 0; c < texts.size(); ++c)
        sheet.setTextMatrix(row, c, texts[c]);
}

QStringList column(const FlexGridStore &sheet, int col)
{
    QStringList texts;
    for (int r = 0; r < sheet.rows(); ++r)
        texts << sheet.textMatrix(r, col);
    return texts;
}
