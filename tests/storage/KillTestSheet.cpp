#include "KillTestSheet.h"

#include "platform/FlexGridStore.h"
#include "storage/SheetRecords.h"

namespace KillTestSheet {

Records records(int version)
{
    FlexGridStore sheet(entryRows + 2, 10, 2, 0);
    sheet.setTextMatrix(1, 0, QStringLiteral("19%"));
    sheet.setTextMatrix(1, 6, QStringLiteral("2021-03"));
    sheet.setTextMatrix(2, 8, QStringLiteral("Übertrag"));
    for (int r = 3; r < sheet.rows() - 1; ++r) {
        sheet.setTextMatrix(r, version % 2 == 0 ? 0 : 3,
                            QStringLiteral("%1,%2").arg(r).arg(version, 2, 10, QLatin1Char('0')));
        sheet.setTextMatrix(r, 6, QString::number(r - 2));
        sheet.setTextMatrix(r, 8, QStringLiteral("Fassung %1, Zeile %2, Bürobedarf").arg(version).arg(r));
    }
    return SheetRecords::fromSheet(sheet);
}

} // namespace KillTestSheet
